#include "ScrollView.h"

#include <algorithm>

#include "ScrollMath.h"

namespace fw {
void ScrollView::SetScrollSizes(SIZE total, SIZE page, SIZE line) {
    total_ = {std::max(0L, total.cx), std::max(0L, total.cy)};
    page_ = page;
    line_ = line;
    if (hwnd()) UpdateBars();
}

POINT ScrollView::scrollPosition() const {
    if (!hwnd()) return POINT{0, 0};
    return POINT{::GetScrollPos(hwnd(), SB_HORZ), ::GetScrollPos(hwnd(), SB_VERT)};
}

void ScrollView::ScrollToPosition(POINT position) {
    POINT old = scrollPosition();
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO si = ScrollInfo(SIF_ALL);
        if (!::GetScrollInfo(hwnd(), bar, &si)) continue;
        si.nTrackPos = bar == SB_HORZ ? position.x : position.y;
        si.fMask = SIF_POS;
        si.nPos = NextScrollPosition(SB_THUMBPOSITION, si, 0, 0);
        ::SetScrollInfo(hwnd(), bar, &si, TRUE);
    }
    POINT now = scrollPosition();
    if (now.x != old.x || now.y != old.y) OnScrolled(old);
}

void ScrollView::OnPrepareDC(HDC dc) {
    POINT pos = scrollPosition();
    ::SetViewportOrgEx(dc, -pos.x, -pos.y, nullptr);
}

void ScrollView::OnScrolled(POINT) { ::InvalidateRect(hwnd(), nullptr, FALSE); }

void ScrollView::UpdateBars() {
    if (updatingBars_) return;
    updatingBars_ = true;
    POINT old = scrollPosition();
    RECT rc;
    ::GetClientRect(hwnd(), &rc);
    LONG style = ::GetWindowLongW(hwnd(), GWL_STYLE);
    SIZE bars{::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL)};
    SIZE whole{rc.right + ((style & WS_VSCROLL) ? bars.cx : 0), rc.bottom + ((style & WS_HSCROLL) ? bars.cy : 0)};
    ScrollBarNeeds needs = DecideScrollBars(total_, whole, bars);
    SetBar(SB_HORZ, total_.cx, needs.horizontal ? whole.cx - (needs.vertical ? bars.cx : 0) : total_.cx);
    SetBar(SB_VERT, total_.cy, needs.vertical ? whole.cy - (needs.horizontal ? bars.cy : 0) : total_.cy);
    updatingBars_ = false;
    POINT now = scrollPosition();
    if (now.x != old.x || now.y != old.y) OnScrolled(old);
}

void ScrollView::SetBar(int bar, int total, int visible) {
    bool needed = visible < total;
    SCROLLINFO si = ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS);
    si.nMin = 0;
    si.nMax = needed ? total - 1 : 0;
    si.nPage = needed ? static_cast<UINT>(std::max(1, visible)) : 1;
    si.nPos = needed ? std::min(::GetScrollPos(hwnd(), bar), total - visible) : 0;
    ::SetScrollInfo(hwnd(), bar, &si, TRUE);
    ::ShowScrollBar(hwnd(), bar, needed);
}

void ScrollView::OnScroll(int bar, int code) {
    SCROLLINFO si = ScrollInfo(SIF_ALL);
    if (!::GetScrollInfo(hwnd(), bar, &si)) return;
    LONG pageSet = bar == SB_HORZ ? page_.cx : page_.cy;
    LONG lineSet = bar == SB_HORZ ? line_.cx : line_.cy;
    int pageStep = pageSet > 0 ? pageSet : std::max(1, static_cast<int>(si.nPage));
    int lineStep = lineSet > 0 ? lineSet : std::max(1, pageStep / 10);
    int pos = NextScrollPosition(code, si, lineStep, pageStep);
    if (pos == si.nPos) return;
    POINT old = scrollPosition();
    si.fMask = SIF_POS;
    si.nPos = pos;
    ::SetScrollInfo(hwnd(), bar, &si, TRUE);
    OnScrolled(old);
}

LRESULT ScrollView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE: {
        LRESULT r = View::WindowProc(msg, wParam, lParam);
        UpdateBars();
        return r;
    }
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
    default:
        return View::WindowProc(msg, wParam, lParam);
    }
}

}  // namespace fw
