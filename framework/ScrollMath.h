#pragma once
// The arithmetic of scroll bars, apart from any window.
#include <windows.h>

namespace fw {

// A SCROLLINFO of the right size asking for `mask`.
inline SCROLLINFO ScrollInfo(UINT mask) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = mask;
    return si;
}

struct ScrollBarNeeds {
    bool horizontal = false;
    bool vertical = false;
};

// Which bars content of `content` needs in a window whose client area is
// `client` when no bar is shown; a bar takes `bars` (vertical bar width,
// horizontal bar height) from the other direction. Content exactly as large
// as the area needs no bar.
ScrollBarNeeds DecideScrollBars(SIZE content, SIZE client, SIZE bars);

// The position a scroll request leads to, within [nMin, nMax - nPage + 1].
// Thumb requests take the 32-bit nTrackPos, never the 16 bits of the message.
int NextScrollPosition(int code, const SCROLLINFO& info, int lineStep, int pageStep);

}  // namespace fw
