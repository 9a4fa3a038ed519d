#include "MemoryDC.h"

namespace fw {

MemoryDC::MemoryDC(HDC reference, int width, int height) : dc_(::CreateCompatibleDC(reference)) {
    if (!dc_) return;
    bitmap_.reset(::CreateCompatibleBitmap(reference, width > 0 ? width : 1, height > 0 ? height : 1));
    if (bitmap_) displaced_ = ::SelectObject(dc_.get(), bitmap_.get());
}

MemoryDC::~MemoryDC() {
    // A bitmap still selected into a DC cannot be deleted.
    if (displaced_) ::SelectObject(dc_.get(), displaced_);
}

}  // namespace fw
