#include "JpegAbort.h"

#include <jerror.h>

namespace device {

namespace {

void AbortOperation(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegAbort*>(cinfo->err)->jump, 1); }

void Silent(j_common_ptr) {}

// libjpeg only warns when the data ends early and fills the rest with grey;
// a picture cut short is a damaged file to us, not a picture.
void EmitMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) AbortOperation(cinfo);
}

}  // namespace

jpeg_error_mgr* InitJpegAbort(JpegAbort& abort) {
    jpeg_error_mgr* manager = jpeg_std_error(&abort.manager);
    manager->error_exit = AbortOperation;
    manager->output_message = Silent;
    manager->emit_message = EmitMessage;
    return manager;
}

}  // namespace device
