#include "transfer/SDTree.h"

#include <shellapi.h>

#include <algorithm>

#include "Handles.h"
#include "MessageBox.h"
#include "Strings.h"
#include "base/AppMessages.h"
#include "resource.h"
#include "transfer/CameraNames.h"
#include "transfer/CardMessages.h"
#include "transfer/SdRootSetting.h"

namespace {

constexpr UINT kKeptStates = TVIS_SELECTED | TVIS_EXPANDED | TVIS_EXPANDEDONCE;
constexpr size_t kFolderNameLength = 8;

// The system's own list: shared by every program's windows and never freed.
HIMAGELIST SystemSmallIcons() {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

int FolderIcon(bool open) {
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | (open ? SHGFI_OPENICON : 0);
    ::SHGetFileInfoW(windows, FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags);
    return info.iIcon;
}

std::wstring Upper(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return ::towupper(c); });
    return text;
}

}  // namespace

bool CSDTree::InitTree(HWND ownerWindow, volatile LONG* escapeFlag) {
    ownerWindow_ = ownerWindow;
    escapeFlag_ = escapeFlag;
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE, style | kDefaultStyle);
    HIMAGELIST icons = SystemSmallIcons();
    if (!icons) return false;
    TreeView_SetImageList(hwnd(), icons, TVSIL_NORMAL);
    folderIcon_ = FolderIcon(false);
    openFolderIcon_ = FolderIcon(true);
    return true;
}

void CSDTree::FillTree() {
    root_ = ReadSdRootPath();
    card_.FindDcimFolder(root_);
    AddFolders();
    const std::vector<HTREEITEM> top = Children(nullptr);
    if (!top.empty()) Select(top.front());
}

void CSDTree::AddFolders() {
    fw::WaitCursor wait;
    const auto* list = card_.SD_GetFolderList();
    const int32_t status = card_.status();
    HTREEITEM last = TVI_FIRST;
    if (list) {
        for (const device::ListingEntry& entry : *list)
            if (HTREEITEM item = InsertFolder(fw::FromAnsi(entry.path), last)) last = item;
    }
    card_.Clear();
    if (!list && status != 0) ShowCardAccessMessage(MessageOwner(), status, MB_ICONERROR, MB_ICONERROR);
}

// Only the camera folders: the card's other folders are not places for pictures.
HTREEITEM CSDTree::InsertFolder(const std::wstring& path, HTREEITEM after) {
    const std::wstring name = path.size() > kFolderNameLength ? path.substr(path.size() - kFolderNameLength) : path;
    if (!IsCameraFolderName(name)) return nullptr;
    return Insert(nullptr, Item{name, folderIcon_, openFolderIcon_}, after);
}

std::wstring CSDTree::GetSelectedPath() const {
    HTREEITEM selected = Selection();
    return selected ? root_ + L"\\" + Text(selected) : L"";
}

void CSDTree::RefreshTree() {
    remembered_ = nullptr;
    SaveStates(nullptr);
    Select(nullptr);
    DeleteAll();
    if (ownerWindow_) ::SendMessageW(ownerWindow_, WM_SDTREE_REFRESHING, 0, 0);
    if (root_.empty()) card_.FindDcimFolder(root_);
    AddFolders();
    RestoreStates(nullptr);
    const std::vector<HTREEITEM> top = Children(nullptr);
    if (remembered_)
        Select(remembered_);
    else if (!top.empty())
        Select(top.front());
    saved_.clear();
}

void CSDTree::SaveStates(HTREEITEM parent) {
    for (HTREEITEM item : Children(parent)) {
        saved_[Text(item)] = TreeView_GetItemState(hwnd(), item, kKeptStates);
        SaveStates(item);
    }
}

void CSDTree::RestoreStates(HTREEITEM parent) {
    for (HTREEITEM item : Children(parent)) {
        auto found = saved_.find(Text(item));
        if (found == saved_.end()) continue;
        const UINT state = found->second;
        if (state & (TVIS_EXPANDED | TVIS_EXPANDEDONCE)) {
            Expand(item);
            if (!(state & TVIS_EXPANDED)) Expand(item, false);
        }
        if (state & TVIS_SELECTED) remembered_ = item;
        RestoreStates(item);
    }
}

void CSDTree::CreateFolder(const std::wstring& name) {
    if (root_.empty()) return;
    const std::wstring folder = Upper(name);
    if (folder.empty()) {
        ShowCardMessage(MessageOwner(), IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return;
    }
    const bool made = card_.SD_CreateFolder(root_ + L"\\" + folder);
    card_.Clear();
    if (!made) {
        ShowCardMessage(MessageOwner(), IDS_CREATE_FOLDER_FAILED, MB_OK | MB_ICONERROR);
        return;
    }
    if (HTREEITEM item = InsertFolder(folder, TVI_LAST)) Select(item);
}

void CSDTree::DeleteFolder(HTREEITEM item) {
    const std::wstring path = GetSelectedPath();
    if (path.empty()) return;
    const bool deleted = card_.SD_DeleteFolder(path);
    card_.Clear();
    if (deleted)
        Delete(item);
    else
        ShowCardMessage(hwnd(), IDS_DELETE_FOLDER_FAILED, MB_OK | MB_ICONERROR);
}

LRESULT CSDTree::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SDTREE_FILL: FillTree(); return 0;
    case WM_SDTREE_REFRESH: RefreshTree(); return 0;
    case WM_KEYUP:
        if (wParam == VK_ESCAPE && escapeFlag_) ::InterlockedExchange(escapeFlag_, 1);
        break;
    default: break;
    }
    return fw::TreeView::WindowProc(msg, wParam, lParam);
}

bool CSDTree::OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The tree's own right-click handling would only bring up a menu of nothing.
    if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == NM_RCLICK) {
        result = 1;
        return true;
    }
    return fw::TreeView::OnReflected(msg, wParam, lParam, result);
}
