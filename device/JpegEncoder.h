#pragma once
// Bitmap to baseline JPEG file with libjpeg-turbo: the work behind the codec
// libraries' save entry and the built-in coder.
#include <windows.h>

namespace device {

// Sampling 2x1 for luminance, 1x1 for both chroma components. The target is
// replaced only once the whole file is written; on failure it is untouched.
bool SaveDibAsJpeg(const wchar_t* path, HBITMAP bitmap, int quality);

}  // namespace device
