#pragma once
// A top-down 24-bit DIB section selected into its own memory DC, so GDI can
// draw into it and the pixels (blue, green, red) can be read directly.
#include <windows.h>

#include <cstdint>

#include "Handles.h"

namespace standin {

class Bitmap24 {
public:
    Bitmap24(int width, int height);
    ~Bitmap24();
    Bitmap24(const Bitmap24&) = delete;
    Bitmap24& operator=(const Bitmap24&) = delete;

    bool valid() const { return bits_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    uint8_t* row(int y) const { return bits_ + static_cast<size_t>(y) * stride_; }
    HDC dc() const { return dc_; }

private:
    int width_, height_, stride_;
    uint8_t* bits_ = nullptr;
    HDC dc_ = nullptr;
    fw::GdiObject bitmap_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace standin
