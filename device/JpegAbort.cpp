#include "JpegAbort.h"

namespace device {

namespace {

void AbortOperation(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegAbort*>(cinfo->err)->jump, 1); }

void Silent(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InitJpegAbort(JpegAbort& abort) {
    jpeg_error_mgr* manager = jpeg_std_error(&abort.manager);
    manager->error_exit = AbortOperation;
    manager->output_message = Silent;
    return manager;
}

}  // namespace device
