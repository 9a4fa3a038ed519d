#include "drawing/ColorLabel.h"

bool CColorLabel::Attach(HWND form, int id, COLORREF color, std::function<void(COLORREF)> clicked) {
    color_ = color;
    clicked_ = std::move(clicked);
    brush_.reset(::CreateSolidBrush(color));
    if (!brush_ || !SubclassDlgItem(form, id)) return false;
    // A static control sees the mouse only with the notify style.
    HWND label = hwnd();
    ::SetWindowLongPtrW(label, GWL_STYLE, ::GetWindowLongPtrW(label, GWL_STYLE) | SS_NOTIFY);
    return true;
}

LRESULT CColorLabel::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_LBUTTONDOWN && clicked_) clicked_(color_);
    return fw::Window::WindowProc(msg, wParam, lParam);
}

bool CColorLabel::OnReflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC) return false;
    ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    result = reinterpret_cast<LRESULT>(brush_.get());
    return true;
}
