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
    if (!hwnd_) return false;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        font_ = GdiObject(::CreateFontIndirectW(&metrics.lfStatusFont));
    if (font_) ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return true;
}

int StatusBar::TextWidth(const std::wstring& text) const {
    if (!hwnd_) return 0;
    WindowDC dc(hwnd_);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    SelectedObject selected(dc.get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

void StatusBar::SizeMessagePaneTo(const std::wstring& sample) {
    // The pane's edges and the gap the control keeps around its text.
    int borders[3] = {};
    ::SendMessageW(hwnd_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    messageWidth_ = sample.empty() ? 0 : TextWidth(sample) + 2 * (borders[0] + ::GetSystemMetrics(SM_CXEDGE));
    Resize();
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
    std::vector<int> edges = PaneEdges(rc.right);
    ::SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

std::vector<int> StatusBar::PaneEdges(int width) const {
    std::vector<int> edges(fixed_.size() + 1);
    if (messageWidth_ > 0) {
        // Left to right from the sized message pane; the rest of the bar stays empty.
        int right = messageWidth_;
        edges[0] = right;
        for (size_t i = 0; i < fixed_.size(); ++i) edges[i + 1] = right += fixed_[i];
        return edges;
    }
    int right = width;
    edges.back() = -1;  // the last pane reaches the right edge
    for (size_t i = fixed_.size(); i > 0; --i) {
        right -= fixed_[i - 1];
        edges[i - 1] = right > 0 ? right : 0;
    }
    return edges;
}

}  // namespace fw
