#include "Splitter.h"

#include <algorithm>
#include <cmath>

namespace fw {

int ClampSplit(int wanted, int extent, int bar, int minFirst, int minSecond) {
    return std::max({std::min(wanted, extent - bar - minSecond), minFirst, 0});
}

bool Splitter::Create(HWND parent, const RECT& rect, UINT id) {
    WNDCLASSEXW wc{};
    wc.lpszClassName = kClassName;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterClass(wc)) return false;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    if (!Window::Create(kClassName, L"", style, 0, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return false;
    Place(static_cast<int>(std::lround(ratio_ * (Extent() - bar_))), true);
    return true;
}

void Splitter::SetPanes(HWND first, HWND second) {
    panes_[0] = first;
    panes_[1] = second;
    Layout();
}

void Splitter::SetMinimumWidths(int first, int second) {
    minimum_[0] = std::max(first, 0);
    minimum_[1] = std::max(second, 0);
    Place(position_, false);
}

void Splitter::SetBarWidth(int width) {
    bar_ = std::max(width, 1);
    Place(position_, false);
}

void Splitter::SetPosition(int position) { Place(position, true); }

RECT Splitter::BarRect() const {
    RECT client{};
    if (hwnd()) ::GetClientRect(hwnd(), &client);
    return RECT{position_, 0, position_ + bar_, client.bottom};
}

int Splitter::Extent() const {
    RECT client{};
    if (hwnd()) ::GetClientRect(hwnd(), &client);
    return client.right;
}

void Splitter::Place(int wanted, bool chosen) {
    const int extent = Extent();
    position_ = ClampSplit(wanted, extent, bar_, minimum_[0], minimum_[1]);
    if (chosen) {
        chosen_ = position_;
        if (extent > bar_) ratio_ = static_cast<double>(position_) / (extent - bar_);
    }
    Layout();
}

void Splitter::Layout() {
    RECT client{};
    if (!hwnd()) return;
    ::GetClientRect(hwnd(), &client);
    const int secondLeft = position_ + bar_;
    if (panes_[0]) ::MoveWindow(panes_[0], 0, 0, position_, client.bottom, TRUE);
    if (panes_[1]) ::MoveWindow(panes_[1], secondLeft, 0, std::max<int>(client.right - secondLeft, 0), client.bottom, TRUE);
}

void Splitter::OnButtonDown(POINT at) {
    const RECT bar = BarRect();
    if (!::PtInRect(&bar, at)) return;
    grab_ = at.x - position_;
    ::SetCapture(hwnd());
}

void Splitter::OnMouseMove(int x) {
    if (grab_ >= 0) Place(x - grab_, true);
}

void Splitter::EndDrag() {
    if (grab_ < 0) return;
    grab_ = -1;  // before the capture goes: releasing it comes back here
    if (::GetCapture() == hwnd()) ::ReleaseCapture();
    if (onMoved) onMoved(position_);
}

bool Splitter::OnSetCursor(HWND under, UINT hitTest) {
    if (under != hwnd() || hitTest != HTCLIENT) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
    return true;
}

LRESULT Splitter::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Client coordinates, negative left of the window while the mouse is captured.
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
    case WM_SIZE:
        Place(keep_ == Keep::Ratio ? static_cast<int>(std::lround(ratio_ * (LOWORD(lParam) - bar_))) : chosen_, false);
        return 0;
    case WM_LBUTTONDOWN: OnButtonDown(at); return 0;
    case WM_MOUSEMOVE: OnMouseMove(at.x); return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: EndDrag(); return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
        break;
    case WM_NOTIFY:
    case WM_COMMAND:
        // A pane's notification that its own object left alone.
        return ::SendMessageW(::GetParent(hwnd()), msg, wParam, lParam);
    default: break;
    }
    return Window::WindowProc(msg, wParam, lParam);
}

}  // namespace fw
