#include "live/FrameBitmaps.h"

#include <mutex>
#include <utility>

namespace {

using Guard = std::lock_guard<fw::CriticalSection>;

}  // namespace

CFrameBitmaps::~CFrameBitmaps() {
    for (HBITMAP spare : spares_)
        if (spare) ::DeleteObject(spare);
}

HBITMAP CFrameBitmaps::Take() {
    Guard guard(lock_);
    for (HBITMAP& spare : spares_)
        if (spare && spare != pinned_) return std::exchange(spare, nullptr);
    return nullptr;
}

void CFrameBitmaps::Give(HBITMAP bitmap) {
    if (!bitmap) return;
    Guard guard(lock_);
    for (HBITMAP& spare : spares_) {
        if (!spare) {
            spare = bitmap;
            return;
        }
    }
    if (bitmap != pinned_) {
        ::DeleteObject(bitmap);
        return;
    }
    // The paint's bitmap stays; a spare nothing reads goes in its place.
    for (HBITMAP& spare : spares_) {
        if (spare != pinned_) {
            ::DeleteObject(spare);
            spare = bitmap;
            return;
        }
    }
}

void CFrameBitmaps::Pin(HBITMAP bitmap) {
    Guard guard(lock_);
    pinned_ = bitmap;
}

void CFrameBitmaps::Unpin() {
    Guard guard(lock_);
    pinned_ = nullptr;
}
