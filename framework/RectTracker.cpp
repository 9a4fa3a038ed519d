#include "RectTracker.h"

#include <windowsx.h>

#include <algorithm>

namespace fw {

RECT NormalizedRect(POINT a, POINT b) {
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

namespace {
// The outline is drawn with XOR, so drawing it twice removes it.
void ToggleOutline(HWND window, const RECT& rect) {
    if (rect.right == rect.left || rect.bottom == rect.top) return;
    HDC dc = ::GetDC(window);
    ::DrawFocusRect(dc, &rect);
    ::ReleaseDC(window, dc);
}
}  // namespace

bool RectTracker::TrackRubberBand(HWND window, POINT start) {
    rect_ = RECT{start.x, start.y, start.x, start.y};
    ::SetCapture(window);
    ::UpdateWindow(window);  // pending paints would wipe the outline out of step
    bool done = false, accepted = false;
    while (!done) {
        MSG msg{};
        if (::GetCapture() != window || ::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            if (msg.message == WM_QUIT) ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            // Signed: under capture the mouse may be left of or above the window.
            POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            ToggleOutline(window, rect_);
            rect_ = NormalizedRect(start, pt);
            if (msg.message == WM_LBUTTONUP) {
                done = accepted = true;
            } else {
                ToggleOutline(window, rect_);
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) done = true;
            break;
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            done = true;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
    }
    if (!accepted) ToggleOutline(window, rect_);
    if (::GetCapture() == window) ::ReleaseCapture();
    if (!accepted) rect_ = RECT{};
    return accepted && rect_.right > rect_.left && rect_.bottom > rect_.top;
}

void RectTracker::Draw(HDC dc) const {
    HPEN pen = ::CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    int oldMode = ::SetBkMode(dc, OPAQUE);
    ::Rectangle(dc, rect_.left, rect_.top, rect_.right, rect_.bottom);
    ::SetBkMode(dc, oldMode);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
}

}  // namespace fw
