#include "picture/ScrollBars.h"
#include "ScrollMath.h"

#include <algorithm>

#include "picture/ImageMath.h"

POINT FitScrollBars(HWND window, SIZE extent, POINT wanted) {
    RECT rc{};
    ::GetClientRect(window, &rc);
    SIZE client{rc.right, rc.bottom};
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    if (style & WS_VSCROLL) client.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) client.cy += ::GetSystemMetrics(SM_CYHSCROLL);
    POINT result = wanted;
    // A bar that only the second pass brings in narrows the other bar's page
    // after that bar was set; a third pass sets it again.
    for (int pass = 0; pass < 3; ++pass) {
        const ScrollBarSetting bars[2] = {ComputeScrollBar(extent.cx, client.cx, wanted.x),
                                          ComputeScrollBar(extent.cy, client.cy, wanted.y)};
        const int ids[2] = {SB_HORZ, SB_VERT};
        for (int i = 0; i < 2; ++i) {
            SCROLLINFO si = fw::ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS);
            si.nMax = bars[i].maximum;
            si.nPage = static_cast<UINT>(std::max(bars[i].page, 0));
            si.nPos = bars[i].position;
            ::SetScrollInfo(window, ids[i], &si, TRUE);
        }
        result = POINT{bars[0].position, bars[1].position};
        ::GetClientRect(window, &rc);
        if (pass > 0 && rc.right == client.cx && rc.bottom == client.cy) break;
        client = SIZE{rc.right, rc.bottom};
    }
    return result;
}

int LimitDragPosition(int position, int extent, int client) {
    const int greatest = extent > client ? extent - client + 1 : 0;
    return std::clamp(position, 0, greatest);
}

bool RequestedScrollPosition(HWND window, int bar, UINT code, int& oldPosition, int& newPosition) {
    SCROLLINFO si = fw::ScrollInfo(SIF_ALL);
    if (!::GetScrollInfo(window, bar, &si)) return false;
    int position = si.nPos;
    switch (code) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(si.nPage); break;
    // The 32-bit track position: the message's own is cut to 16 bits.
    case SB_THUMBTRACK: position = si.nTrackPos; break;
    default: return false;
    }
    oldPosition = si.nPos;
    newPosition = LimitScrollPosition(position, si.nMin, si.nMax, static_cast<int>(si.nPage));
    return true;
}
