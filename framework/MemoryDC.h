#pragma once
#include <windows.h>

namespace fw {

// A memory device context with a screen-compatible bitmap selected into it;
// the bitmap it displaced is put back before both are freed.
class MemoryDC {
public:
    MemoryDC(HDC reference, int width, int height);
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ && bitmap_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ displaced_ = nullptr;
};

}  // namespace fw
