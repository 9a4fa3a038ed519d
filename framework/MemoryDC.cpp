#include "MemoryDC.h"

namespace fw {

MemoryDC::MemoryDC(HDC reference, int width, int height) {
    dc_ = ::CreateCompatibleDC(reference);
    if (!dc_) return;
    bitmap_ = ::CreateCompatibleBitmap(reference, width > 0 ? width : 1, height > 0 ? height : 1);
    if (bitmap_) displaced_ = ::SelectObject(dc_, bitmap_);
}

MemoryDC::~MemoryDC() {
    if (displaced_) ::SelectObject(dc_, displaced_);
    if (bitmap_) ::DeleteObject(bitmap_);
    if (dc_) ::DeleteDC(dc_);
}

}  // namespace fw
