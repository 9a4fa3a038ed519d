#include "ToolBar.h"

#include <algorithm>

#include "Strings.h"

namespace fw {

std::wstring ToolTipFromCommandString(const std::wstring& text) {
    size_t nl = text.find(L'\n');
    return nl == std::wstring::npos ? text : text.substr(nl + 1);
}

std::wstring PromptFromCommandString(const std::wstring& text) { return text.substr(0, text.find(L'\n')); }

std::vector<ToolButton> LoadToolBarResource(HINSTANCE module, UINT id, SIZE* imageSize) {
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(241));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const WORD* words = loaded ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
    DWORD bytes = found ? ::SizeofResource(module, found) : 0;
    if (!words || bytes < 8 || words[0] != 1 || bytes < 8 + 2u * words[3]) return {};
    if (imageSize) *imageSize = SIZE{words[1], words[2]};
    std::vector<ToolButton> buttons;
    for (WORD i = 0; i < words[3]; ++i)
        buttons.push_back(words[4 + i] ? ToolButton::Push(words[4 + i]) : ToolButton::Separator());
    return buttons;
}

ToolBar::~ToolBar() {
    // Before its image list goes.
    if (rebar_ && ::IsWindow(rebar_)) ::DestroyWindow(rebar_);
}

bool ToolBar::Create(HWND parent, HINSTANCE module, UINT bitmapId, SIZE imageSize,
                     const std::vector<ToolButton>& buttons, DWORD extraStyle, UINT id) {
    HBITMAP strip = static_cast<HBITMAP>(
        ::LoadImageW(module, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip) return false;
    bool created = Create(parent, strip, imageSize, buttons, extraStyle, id);
    ::DeleteObject(strip);
    return created;
}

bool ToolBar::Create(HWND parent, HBITMAP strip, SIZE imageSize, const std::vector<ToolButton>& buttons,
                     DWORD extraStyle, UINT id) {
    if (hwnd_ || !strip || imageSize.cx <= 0 || imageSize.cy <= 0) return false;
    if (!images_.Create(imageSize, ILC_COLOR24 | ILC_MASK, 0, 4) || images_.AddMasked(strip, kMaskColor) < 0)
        return false;
    if (!CreateBar(parent, extraStyle, id)) return false;
    ::SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    std::vector<TBBUTTON> tb;
    int image = 0;
    for (const ToolButton& b : buttons) {
        TBBUTTON button{};
        button.idCommand = static_cast<int>(b.id);
        button.fsStyle = b.style;
        button.fsState = TBSTATE_ENABLED;
        button.iBitmap = b.id ? image++ : 0;
        tb.push_back(button);
    }
    buttons_ = buttons;
    if (!tb.empty() && !::SendMessageW(hwnd_, TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data())))
        return false;
    return FitBand(true);
}

bool ToolBar::CreateBar(HWND parent, DWORD extraStyle, UINT id) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    rebar_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                                   RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                               0, 0, 0, 0, parent, nullptr, module, nullptr);
    if (!rebar_) return false;
    // The band places and sizes the toolbar, not the toolbar itself.
    hwnd_ = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                  CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN | extraStyle,
                              0, 0, 0, 0, rebar_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), module, nullptr);
    if (!hwnd_) return false;
    ::SendMessageW(hwnd_, TB_SETPARENT, reinterpret_cast<WPARAM>(parent), 0);
    ::SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return true;
}

bool ToolBar::FitBand(bool insert) {
    SIZE size{};
    ::SendMessageW(hwnd_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE;
    band.fStyle = RBBS_GRIPPERALWAYS;
    band.hwndChild = hwnd_;
    band.cxMinChild = band.cx = band.cxIdeal = size.cx;
    band.cyMinChild = size.cy;
    UINT msg = insert ? RB_INSERTBANDW : RB_SETBANDINFOW;
    WPARAM index = insert ? static_cast<WPARAM>(-1) : 0;
    return ::SendMessageW(rebar_, msg, index, reinterpret_cast<LPARAM>(&band)) != 0;
}

int ToolBar::Height() const {
    if (!rebar_ || !::IsWindowVisible(rebar_)) return 0;
    RECT rc;
    ::GetWindowRect(rebar_, &rc);
    return rc.bottom - rc.top;
}

void ToolBar::Resize() {
    if (rebar_) ::SendMessageW(rebar_, WM_SIZE, 0, 0);
}

void ToolBar::HideButtons(const std::vector<UINT>& ids) {
    const size_t n = buttons_.size();
    std::vector<bool> shown(n);
    for (size_t i = 0; i < n; ++i)
        shown[i] = !buttons_[i].id || std::find(ids.begin(), ids.end(), buttons_[i].id) == ids.end();
    // A separator stays only with a shown button on each side before the next separator.
    auto buttonWithin = [&](size_t i, int step) {
        for (size_t j = i + step; j < n; j += step) {
            if (buttons_[j].id && shown[j]) return true;
            if (!buttons_[j].id && shown[j]) return false;
        }
        return false;
    };
    for (size_t i = 0; i < n; ++i)
        if (!buttons_[i].id) shown[i] = buttonWithin(i, -1) && buttonWithin(i, +1);
    for (size_t i = 0; i < n; ++i) {
        if (shown[i]) continue;
        TBBUTTONINFOW info{};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_BYINDEX | TBIF_STATE;
        ::SendMessageW(hwnd_, TB_GETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&info));
        info.fsState |= TBSTATE_HIDDEN;
        ::SendMessageW(hwnd_, TB_SETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&info));
    }
    FitBand(false);
}

bool ToolBar::IsHidden(UINT id) const { return ::SendMessageW(hwnd_, TB_ISBUTTONHIDDEN, id, 0) != 0; }

void ToolBar::SetChecked(UINT id, bool checked) { ::SendMessageW(hwnd_, TB_CHECKBUTTON, id, MAKELPARAM(checked, 0)); }

bool ToolBar::IsChecked(UINT id) const { return ::SendMessageW(hwnd_, TB_ISBUTTONCHECKED, id, 0) != 0; }

void ToolBar::SetEnabled(UINT id, bool enabled) { ::SendMessageW(hwnd_, TB_ENABLEBUTTON, id, MAKELPARAM(enabled, 0)); }

bool ToolBar::IsEnabled(UINT id) const { return ::SendMessageW(hwnd_, TB_ISBUTTONENABLED, id, 0) != 0; }

void ToolBar::UpdateButtons(const std::function<bool(UINT, CommandState&)>& query) {
    if (!hwnd_) return;
    for (const ToolButton& b : buttons_) {
        if (!b.id) continue;
        CommandState state;
        if (!query(b.id, state)) state.enabled = false;
        if (IsEnabled(b.id) != state.enabled) SetEnabled(b.id, state.enabled);
        if (state.checked && IsChecked(b.id) != *state.checked) SetChecked(b.id, *state.checked);
    }
}

bool ToolBar::OnNotify(const NMHDR& header, LRESULT& result) {
    if (!hwnd_ || header.code != TTN_GETDISPINFOW) return false;
    HWND tips = reinterpret_cast<HWND>(::SendMessageW(hwnd_, TB_GETTOOLTIPS, 0, 0));
    if (header.hwndFrom != tips) return false;
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    tip_ = ToolTipFromCommandString(LoadResString(static_cast<UINT>(header.idFrom)));
    info.hinst = nullptr;
    info.lpszText = &tip_[0];
    result = 0;
    return true;
}

}  // namespace fw
