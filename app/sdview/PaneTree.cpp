#include "sdview/PaneTree.h"

#include "Strings.h"
#include "base/AppMessages.h"
#include "resource.h"
#include "sdview/ThumbnailList.h"
#include "transfer/CardMessages.h"

bool CPaneTree::Attach(CThumbnailList* thumbnails) {
    thumbnails_ = thumbnails;
    onSelectionChanged = [this](HTREEITEM item) { OnFolderChanged(item); };
    return InitTree(thumbnails->hwnd(), thumbnails->stopFlag());
}

// At most one reading per pane: the old one has ended before the new starts.
void CPaneTree::OnFolderChanged(HTREEITEM item) {
    if (!thumbnails_) return;
    if (thumbnails_->IsBusy()) {
        thumbnails_->Stop();
        ::SendMessageW(thumbnails_->hwnd(), CThumbnailList::WM_THUMBNAILS_CLEAR, 0, 0);
        MSG msg;
        while (thumbnails_->IsBusy()) {
            if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
                // The program is ending: the quit goes on to the main loop.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    // A refresh empties the tree first; the flag waits for the folder selected after it.
    if (!item) return;
    ::SendMessageW(thumbnails_->hwnd(), WM_SDTREE_REFRESHING, clearCache_ ? 1 : 0, 0);
    clearCache_ = false;
}

PopupMenu CPaneTree::BuildContextMenu() const {
    PopupMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_SD_FOLDER_MENU)), &::DestroyMenu);
    if (!menu) return menu;
    HMENU popup = ::GetSubMenu(menu.get(), 0);
    for (UINT id : {ID_SD_CREATE_FOLDER, ID_SD_DELETE_FOLDER, ID_SD_REFRESH})
        ::EnableMenuItem(popup, id, MF_BYCOMMAND | (Offers(id) ? MF_ENABLED : MF_GRAYED));
    return menu;
}

void CPaneTree::ShowContextMenu(POINT screen) {
    PopupMenu menu = BuildContextMenu();
    if (!menu) {
        ShowCardMessage(hwnd(), IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return;
    }
    const UINT id = ::TrackPopupMenu(::GetSubMenu(menu.get(), 0), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y,
                                     0, hwnd(), nullptr);
    if (id && Offers(id)) OnMenuCommand(id);
}

void CPaneTree::OnMenuCommand(UINT id) {
    if (id == ID_SD_REFRESH) ::SendMessageW(hwnd(), WM_SDTREE_REFRESH, 0, 0);
}

LRESULT CPaneTree::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SDTREE_REFRESH: clearCache_ = true; break;
    case WM_RBUTTONDOWN: return 0;
    case WM_RBUTTONUP: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ClientToScreen(hwnd(), &at);
        OnRightButtonUp(at);
        return 0;
    }
    case WM_CONTEXTMENU: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (lParam == -1) {
            at = POINT{0, 0};
            ::ClientToScreen(hwnd(), &at);
        }
        ShowContextMenu(at);
        return 0;
    }
    default: break;
    }
    return CSDTree::WindowProc(msg, wParam, lParam);
}
