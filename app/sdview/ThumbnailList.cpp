#include "sdview/ThumbnailList.h"

#include "Handles.h"
#include "Strings.h"
#include "base/AppMessages.h"
#include "base/Utilities.h"
#include "resource.h"
#include "sdview/OwnedItemData.h"
#include "sdview/PlayListRules.h"
#include "transfer/CameraNames.h"
#include "transfer/CardMessages.h"
#include "transfer/SDTree.h"

namespace {

std::wstring NameOf(const std::wstring& path) {
    const size_t last = path.rfind(L'\\');
    return last == std::wstring::npos ? path : path.substr(last + 1);
}

// A folder that cannot go leaves a cache that is only read again after a refresh.
void DeleteTree(const std::wstring& folder) {
    try {
        if (PathExists(folder)) DeleteFolderTree(folder);
    } catch (const FileException&) {
    }
}

}  // namespace

CThumbnailList::CThumbnailList(device::IDeviceControl* device) : cacheRoot_(ThumbnailCacheRoot()), card_(device) {}

CThumbnailList::~CThumbnailList() {
    if (IsWindow()) ::DestroyWindow(hwnd());
}

bool CThumbnailList::Create(HWND parent, UINT id, HWND pane, CSDTree* tree) {
    pane_ = pane;
    tree_ = tree;
    if (!images_.Create(kThumbnailSize, ILC_COLOR24 | ILC_MASK, 0, 16)) return false;
    if (!fw::ListView::Create(parent, id, RECT{0, 0, 100, 100}, Mode::Icon, WS_CHILD)) return false;
    SetImageLists(&images_, nullptr);
    return true;
}

std::wstring CThumbnailList::CacheFolderOf(const std::wstring& cardFolder) const {
    return cacheRoot_ + L"\\" + CacheFolderName(cardFolder);
}

void CThumbnailList::ShowFolder(const std::wstring& cardFolder) {
    stop_ = 0;
    ClearAll();
    LoadFolder(cardFolder, !cardFolder.empty() && PathExists(CacheFolderOf(cardFolder)));
}

void CThumbnailList::ClearAll() {
    DeleteAll();
    ImageList_RemoveAll(images_.get());
}

int CThumbnailList::LoadFolder(const std::wstring& cardFolder, bool fromCache) {
    if (cardFolder.empty()) return 0;
    index_ = count_ = 0;
    names_.clear();
    errors_.FreeErrorList();
    cardFolder_ = cardFolder;
    cacheMode_ = fromCache && !CacheFolderName(cardFolder).empty();
    cacheFolder_ = CacheFolderOf(cardFolder);
    if (!cacheMode_) {
        ::CreateDirectoryW(cacheRoot_.c_str(), nullptr);
        ::CreateDirectoryW(cacheFolder_.c_str(), nullptr);
        if (!PathExists(cacheFolder_)) {
            Message(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
            return 0;
        }
    }
    if (!CollectNames(cardFolder)) return 0;
    count_ = static_cast<int>(names_.size());
    if (count_ == 0) {
        // Nothing to read, yet the user should learn why nothing shows.
        ShowErrorList();
        return 0;
    }
    busy_ = true;
    ::SendMessageW(pane_, WM_THUMBNAILS_START, count_, 0);
    ::GetClientRect(hwnd(), &lastClient_);
    if (!StartFile()) EndWithAccessFailure();
    return 1;
}

bool CThumbnailList::CollectNames(const std::wstring& cardFolder) {
    if (cacheMode_) {
        CollectCachedNames();
        return true;
    }
    return CollectCardNames(cardFolder);
}

void CThumbnailList::CollectCachedNames() {
    WIN32_FIND_DATAW found{};
    fw::FindHandle find(::FindFirstFileW((cacheFolder_ + L"\\*.jpg").c_str(), &found));
    if (!find) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) AddName(found.cFileName);
    } while (::FindNextFileW(find.get(), &found));
}

bool CThumbnailList::CollectCardNames(const std::wstring& cardFolder) {
    const auto* listing = card_.SD_GetFileList(cardFolder);
    if (!listing) {
        ShowCardAccessMessage(hwnd(), card_.status(), MB_ICONERROR, MB_ICONERROR);
        card_.Clear();
        DeleteCacheFolder();
        busy_ = false;
        return false;
    }
    for (const device::ListingEntry& entry : *listing) AddName(NameOf(fw::FromAnsi(entry.path)));
    card_.Clear();
    return true;
}

void CThumbnailList::AddName(const std::wstring& name) {
    if (IsCameraFileName(name))
        names_.push_back(name);
    else
        errors_.AddError(IDS_INVALID_CARD_NAME, name);
}

bool CThumbnailList::StartFile() {
    const std::wstring& name = names_[index_];
    cardPath_ = cardFolder_ + L"\\" + name;
    cachePath_ = cacheFolder_ + L"\\" + name;
    if (cacheMode_) return ::PostMessageW(hwnd(), device::WM_DEVICE_REQUEST_COMPLETE, 0, 0) != FALSE;
    return card_.SD_GetJpegFile(hwnd(), cardPath_);
}

void CThumbnailList::EndWithAccessFailure() {
    Message(IDS_SD_UNAVAILABLE, MB_OK | MB_ICONERROR);
    ::SendMessageW(pane_, WM_THUMBNAILS_END, 0, 0);
    errors_.FreeErrorList();
    busy_ = false;
}

void CThumbnailList::Stop() {
    if (busy_) ::InterlockedExchange(&stop_, 1);
}

void CThumbnailList::DeleteCacheFolder() { DeleteTree(cacheFolder_); }

int CThumbnailList::Message(UINT stringId, UINT type) const { return ShowCardMessage(hwnd(), stringId, type); }

LRESULT CThumbnailList::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case device::WM_DEVICE_REQUEST_COMPLETE: OnCompletion(wParam, lParam); return 0;
    case WM_SDTREE_REFRESHING: {
        fw::WaitCursor wait;
        if (wParam) DeleteTree(cacheRoot_);
        ShowFolder(tree_ ? tree_->GetSelectedPath() : L"");
        return 0;
    }
    case WM_THUMBNAILS_CLEAR:
        ClearAll();
        DeleteCacheFolder();
        return 0;
    case WM_KEYUP:
        if (wParam == VK_ESCAPE) ::InterlockedExchange(&stop_, 1);
        break;
    case WM_DESTROY:
        DrainOnDestroy();
        ClearAll();
        DeleteTree(cacheRoot_);
        break;
    default: break;
    }
    return fw::ListView::WindowProc(msg, wParam, lParam);
}

bool CThumbnailList::OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (DeleteOwnedItemData<Thumbnail>(msg, lParam)) {
        result = 0;
        return true;
    }
    return fw::ListView::OnReflected(msg, wParam, lParam, result);
}
