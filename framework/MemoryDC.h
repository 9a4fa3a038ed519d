#pragma once
#include <windows.h>

#include "Handles.h"

namespace fw {

// A memory device context with a screen-compatible bitmap selected into it;
// the bitmap it displaced is put back before both are freed.
class MemoryDC {
public:
    MemoryDC(HDC reference, int width, int height);
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_.get(); }
    explicit operator bool() const { return dc_ && bitmap_; }

private:
    // Declared first, freed last: the DC goes after its bitmap is put back.
    DcHandle dc_;
    GdiObject bitmap_;
    HGDIOBJ displaced_ = nullptr;
};

}  // namespace fw
