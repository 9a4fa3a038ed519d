#pragma once
// The bitmaps live frames are decoded into, besides the document's picture:
// spares for the decode thread, and the one a paint is reading without the
// picture lock, pinned so that no decode writes into it until the paint is
// done. With three bitmaps in all, a decode, the swap that follows it and a
// long paint overlap instead of taking turns, and no frame allocates one.
#include <windows.h>

#include "Handles.h"

class CFrameBitmaps {
public:
    CFrameBitmaps() = default;
    ~CFrameBitmaps();
    CFrameBitmaps(const CFrameBitmaps&) = delete;
    CFrameBitmaps& operator=(const CFrameBitmaps&) = delete;

    // Any thread. A spare no paint reads, now the caller's; null when there
    // is none, and the decode makes a bitmap of its own.
    HBITMAP Take();
    // A bitmap the caller is done with: kept as a spare, or deleted when
    // enough are kept; a pinned one is never deleted.
    void Give(HBITMAP bitmap);

    // The painting thread, one bitmap at a time: `bitmap` is being read.
    void Pin(HBITMAP bitmap);
    void Unpin();

private:
    static constexpr int kSpares = 2;

    fw::CriticalSection lock_;
    HBITMAP spares_[kSpares] = {};
    HBITMAP pinned_ = nullptr;
};
