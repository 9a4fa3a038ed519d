#include "ScrollMath.h"

#include <algorithm>

namespace fw {

ScrollBarNeeds DecideScrollBars(SIZE content, SIZE client, SIZE bars) {
    ScrollBarNeeds needs;
    needs.horizontal = content.cx > client.cx;
    needs.vertical = content.cy > client.cy;
    // One bar narrows the area for the other direction.
    if (needs.horizontal && !needs.vertical) needs.vertical = content.cy > client.cy - bars.cy;
    if (needs.vertical && !needs.horizontal) needs.horizontal = content.cx > client.cx - bars.cx;
    return needs;
}

int NextScrollPosition(int code, const SCROLLINFO& info, int lineStep, int pageStep) {
    int pos = info.nPos;
    switch (code) {
    case SB_LINEUP: pos -= lineStep; break;
    case SB_LINEDOWN: pos += lineStep; break;
    case SB_PAGEUP: pos -= pageStep; break;
    case SB_PAGEDOWN: pos += pageStep; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = info.nMin; break;
    case SB_BOTTOM: pos = info.nMax; break;
    default: break;
    }
    int page = std::max(1, static_cast<int>(info.nPage));
    int greatest = std::max(info.nMin, info.nMax - page + 1);
    return std::clamp(pos, info.nMin, greatest);
}

}  // namespace fw
