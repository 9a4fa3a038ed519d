#pragma once
// libjpeg reports a fatal error by calling error_exit, which must not return:
// it jumps back to the operation, which then fails as a whole. The jumping
// frames hold only plain data; everything to release lives in the caller's
// object, whose destructor runs normally afterwards.
#include <windows.h>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace device {

struct JpegAbort {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer is ours as well
    std::jmp_buf jump;
};

// Sets up the error manager; its messages are not printed (the coder is silent).
jpeg_error_mgr* InitJpegAbort(JpegAbort& abort);

}  // namespace device
