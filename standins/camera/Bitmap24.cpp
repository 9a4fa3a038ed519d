#include "Bitmap24.h"

namespace standin {

Bitmap24::Bitmap24(int width, int height) : width_(width), height_(height), stride_((width * 3 + 3) & ~3) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first, as the encoder wants
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_ = ::CreateCompatibleDC(nullptr);
    if (!bitmap_ || !dc_) return;
    previous_ = ::SelectObject(dc_, bitmap_.get());
    bits_ = static_cast<uint8_t*>(bits);
}

Bitmap24::~Bitmap24() {
    if (!dc_) return;
    if (previous_) ::SelectObject(dc_, previous_);
    ::DeleteDC(dc_);
}

}  // namespace standin
