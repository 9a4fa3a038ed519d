#include "MdiFrame.h"

#include <vector>

#include "Application.h"
#include "MdiChild.h"

namespace fw {
namespace {
// Window-list entries of the MDI client start here, above every command id.
constexpr UINT kFirstChildId = 0xFF00;
// Window-arrangement commands (cascade, tile, arrange) of the framework range.
constexpr UINT kFirstWindowCommand = 0xE130;
constexpr UINT kLastWindowCommand = 0xE13F;
// Ids from here on are system or window-list commands, not the program's.
constexpr UINT kFirstSystemId = 0xF000;
// Posted to refresh the caption once a child's change has settled.
constexpr UINT kUpdateFrameTitle = WM_APP + 0x3E0;

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}
}  // namespace

HWND MdiFrame::ActiveChild() const {
    if (!mdiClient_) return nullptr;
    return reinterpret_cast<HWND>(::SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0));
}

MdiChild* MdiFrame::ActiveMdiChild() const {
    HWND child = ActiveChild();
    return child ? dynamic_cast<MdiChild*>(FromHandle(child)) : nullptr;
}

bool MdiFrame::TranslateMdiAccelerator(MSG* msg) const {
    return mdiClient_ && ::TranslateMDISysAccel(mdiClient_, msg);
}

HMENU MdiFrame::FindWindowMenu(HMENU menu) {
    for (int i = menu ? ::GetMenuItemCount(menu) - 1 : -1; i >= 0; --i) {
        HMENU popup = ::GetSubMenu(menu, i);
        if (!popup) continue;
        for (int j = 0, n = ::GetMenuItemCount(popup); j < n; ++j) {
            UINT id = ::GetMenuItemID(popup, j);
            if (id >= kFirstWindowCommand && id <= kLastWindowCommand) return popup;
        }
    }
    return nullptr;
}

bool MdiFrame::CreateMdiClient() {
    CLIENTCREATESTRUCT ccs{};
    ownMenu_ = ::GetMenu(hwnd());
    int pos = WindowMenuPosition();
    ccs.hWindowMenu = pos >= 0 && ownMenu_ ? ::GetSubMenu(ownMenu_, pos) : FindWindowMenu(ownMenu_);
    ccs.idFirstChild = kFirstChildId;
    // All child styles: a child created without WS_VISIBLE stays hidden.
    mdiClient_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                   WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE |
                                       MDIS_ALLCHILDSTYLES,
                                   0, 0, 0, 0, hwnd(), nullptr, ::GetModuleHandleW(nullptr), &ccs);
    return mdiClient_ != nullptr;
}

DWORD MdiFrame::TakeFrameStyle(DWORD style, const std::wstring& title) {
    addToTitle_ = (style & kAddToTitle) != 0;
    appTitle_ = title;
    return style & ~kAddToTitle;
}

void MdiFrame::UpdateFrameTitle() {
    titlePending_ = false;
    if (!addToTitle_ || !hwnd() || destroying_) return;
    std::wstring title = appTitle_;
    HWND active = ActiveChild();
    // A maximised child's name is in the caption already: DefFrameProc adds it.
    if (active && ::IsWindowVisible(active) && !::IsZoomed(active)) {
        MdiChild* child = ActiveMdiChild();
        std::wstring name = child ? child->DocumentTitle() : WindowText(active);
        if (!name.empty()) title += L" - " + name;
    }
    if (title == shownTitle_) return;
    shownTitle_ = title;
    ::SetWindowTextW(hwnd(), title.c_str());
}

void MdiFrame::DelayUpdateFrameTitle() {
    if (titlePending_ || !addToTitle_ || !hwnd()) return;
    titlePending_ = ::PostMessageW(hwnd(), kUpdateFrameTitle, 0, 0) != FALSE;
}

bool MdiFrame::RouteCommand(UINT id) {
    if (MdiChild* child = ActiveMdiChild())
        if (child->RouteCommand(id)) return true;
    if (OnCommand(id)) return true;
    Application* app = Application::Instance();
    return app && app->OnCommand(id);
}

bool MdiFrame::RouteUpdate(UINT id, CommandState& state) {
    if (MdiChild* child = ActiveMdiChild())
        if (child->RouteUpdate(id, state)) return true;
    if (OnUpdateCommand(id, state)) return true;
    Application* app = Application::Instance();
    return app && app->OnUpdateCommand(id, state);
}

void MdiFrame::ShowMenu(HMENU childMenu) {
    if (destroying_ || !mdiClient_) return;
    HMENU menu = childMenu ? childMenu : ownMenu_;
    if (!menu || ::GetMenu(hwnd()) == menu) return;
    HMENU windowMenu = menu == ownMenu_ && WindowMenuPosition() >= 0 ? ::GetSubMenu(menu, WindowMenuPosition())
                                                                      : FindWindowMenu(menu);
    ::SendMessageW(mdiClient_, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu), reinterpret_cast<LPARAM>(windowMenu));
    ::DrawMenuBar(hwnd());
}

RECT MdiFrame::ChildArea() const {
    RECT rc{};
    ::GetClientRect(hwnd(), &rc);
    rc.top += toolBar_.Height();
    rc.bottom -= statusBar_.Height();
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    return rc;
}

void MdiFrame::RecalcLayout() {
    toolBar_.Resize();
    statusBar_.Resize();
    RECT area = ChildArea();
    if (mdiClient_) ::MoveWindow(mdiClient_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

bool MdiFrame::IsCommand(LPARAM source) const {
    // Menus and accelerators name no window; a tool button names its bar.
    return source == 0 || reinterpret_cast<HWND>(source) == toolBar_.hwnd();
}

void MdiFrame::OnIdle() {
    toolBar_.UpdateButtons([this](UINT id, CommandState& state) { return RouteUpdate(id, state); });
    UpdateFrameTitle();
}

void MdiFrame::UpdateMenu(HMENU popup) {
    for (int i = 0, n = ::GetMenuItemCount(popup); i < n; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(popup, i, TRUE, &mii) || mii.hSubMenu || (mii.fType & MFT_SEPARATOR)) continue;
        if (mii.wID == 0 || mii.wID >= kFirstSystemId) continue;
        CommandState state;
        if (!RouteUpdate(mii.wID, state)) state.enabled = false;
        ::EnableMenuItem(popup, i, MF_BYPOSITION | (state.enabled ? MF_ENABLED : MF_GRAYED));
        MENUITEMINFOW change{};
        change.cbSize = sizeof(change);
        if (state.checked) {
            change.fMask |= MIIM_FTYPE | MIIM_STATE;
            change.fType = state.radio ? (mii.fType | MFT_RADIOCHECK) : (mii.fType & ~MFT_RADIOCHECK);
            change.fState = (state.enabled ? MFS_ENABLED : MFS_GRAYED) | (*state.checked ? MFS_CHECKED : MFS_UNCHECKED);
        }
        if (state.text) {
            change.fMask |= MIIM_STRING;
            change.dwTypeData = &(*state.text)[0];
        }
        if (change.fMask) ::SetMenuItemInfoW(popup, i, TRUE, &change);
    }
}

bool MdiFrame::SaveAllModified() {
    if (!mdiClient_) return true;
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(mdiClient_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        auto* frame = dynamic_cast<MdiChild*>(Window::FromHandle(child));
        if (frame && ::IsWindow(child) && !frame->CanClose()) return false;
    }
    return true;
}

LRESULT MdiFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        // Not to DefFrameProc: it would give the MDI client the whole area.
        if (wParam != SIZE_MINIMIZED) RecalcLayout();
        return 0;
    case WM_COMMAND: {
        // A control's notification its object left alone is no command, and
        // DefFrameProc would take its id for a window-list entry.
        if (!IsCommand(lParam)) return 0;
        UINT id = LOWORD(wParam);
        // Window-list and system ids belong to DefFrameProc.
        if (id < kFirstSystemId) {
            RouteCommand(id);
            return 0;
        }
        break;
    }
    case WM_CLOSE:
        // Exit, Alt+F4 and the close box end every picture: each gets the
        // question its own close box would ask.
        if (!SaveAllModified()) return 0;
        break;
    case WM_QUERYENDSESSION:
        return SaveAllModified() ? TRUE : FALSE;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam)) UpdateMenu(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        break;
    case WM_EXITMENULOOP:
        ShowIdleMessage();
        break;
    case kUpdateFrameTitle:
        UpdateFrameTitle();
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        if (OnToolBarHotItem(header)) return 0;  // 0: the button may light up
        if (toolBar_.OnNotify(header, result)) return result;
        break;
    }
    case WM_DESTROY:
        // The templates own the child menus: the frame goes with its own.
        destroying_ = true;
        if (ownMenu_ && ::GetMenu(hwnd()) != ownMenu_) ::SetMenu(hwnd(), ownMenu_);
        break;
    case WM_NCDESTROY:
        // The object may be deleted next: the message loop must forget it.
        if (Application* app = Application::Instance(); app && app->mdiFrame() == this)
            app->SetMainWindow(nullptr, nullptr, nullptr);
        break;
    default:
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}

LRESULT MdiFrame::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProcW(hwnd(), mdiClient_, msg, wParam, lParam);
}

}  // namespace fw
