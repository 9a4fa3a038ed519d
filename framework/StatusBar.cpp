#include "StatusBar.h"

#include <commctrl.h>

namespace fw {

StatusBar::~StatusBar() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

bool StatusBar::Create(HWND parent, DWORD extraStyle, UINT id) {
    if (hwnd_) return false;
    hwnd_ = ::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | extraStyle, 0, 0,
                              0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              ::GetModuleHandleW(nullptr), nullptr);
    return hwnd_ != nullptr;
}

int StatusBar::Height() const {
    if (!hwnd_ || !::IsWindowVisible(hwnd_)) return 0;
    RECT rc;
    ::GetWindowRect(hwnd_, &rc);
    return rc.bottom - rc.top;
}

void StatusBar::SetFixedPanes(std::vector<int> widths) {
    fixed_ = std::move(widths);
    Resize();
}

void StatusBar::SetText(int pane, const std::wstring& text, UINT drawing) {
    if (pane < 0 || pane >= PaneCount()) return;
    ::SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(pane) | drawing, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring StatusBar::Text(int pane) const {
    if (!hwnd_ || pane < 0 || pane >= PaneCount()) return std::wstring();
    size_t length = LOWORD(::SendMessageW(hwnd_, SB_GETTEXTLENGTHW, pane, 0));
    std::wstring text(length + 1, L'\0');
    ::SendMessageW(hwnd_, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length);
    return text;
}

void StatusBar::Resize() {
    if (!hwnd_) return;
    ::SendMessageW(hwnd_, WM_SIZE, 0, 0);
    RECT rc;
    ::GetClientRect(hwnd_, &rc);
    std::vector<int> edges(fixed_.size() + 1);
    int right = rc.right;
    edges.back() = -1;  // the last pane reaches the right edge
    for (size_t i = fixed_.size(); i > 0; --i) {
        right -= fixed_[i - 1];
        edges[i - 1] = right > 0 ? right : 0;
    }
    ::SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

}  // namespace fw
