#include "FileDialog.h"

#include <mutex>
#include <utility>
#include <vector>

namespace fw {
namespace {
std::mutex& HandlerLock() {
    static std::mutex m;
    return m;
}
FileDialogHandler& Handler() {
    static FileDialogHandler h;
    return h;
}
}  // namespace

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    std::lock_guard<std::mutex> guard(HandlerLock());
    return std::exchange(Handler(), std::move(handler));
}

std::wstring FileDialogFilter(const std::wstring& pipeSeparated) {
    std::wstring filter = pipeSeparated;
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    // The list ends in two terminators whether or not the text did.
    while (filter.size() >= 1 && filter.back() == L'\0') filter.pop_back();
    if (!filter.empty()) filter.append(2, L'\0');
    return filter;
}

int FileDialog::DoModal(HWND owner) {
    error_ = 0;
    path_.clear();
    if (capacity_ < 2) {
        error_ = FNERR_BUFFERTOOSMALL;
        return 0;
    }
    std::vector<wchar_t> buffer(capacity_, L'\0');
    // A starting name that does not fit would make the dialog fail: start empty.
    if (fileName_.size() < capacity_) fileName_.copy(buffer.data(), fileName_.size());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = structSize_;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
    ofn.nFilterIndex = filterIndex_;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = capacity_;
    ofn.lpstrInitialDir = folder_.empty() ? nullptr : folder_.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.Flags = flags_;
    ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();

    FileDialogHandler handler;
    {
        std::lock_guard<std::mutex> guard(HandlerLock());
        handler = Handler();
    }
    BOOL ok;
    if (handler) {
        ok = handler(!open_, ofn, error_);
    } else {
        ok = open_ ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
        error_ = ok ? 0 : ::CommDlgExtendedError();
    }
    if (!ok) return error_ ? 0 : IDCANCEL;
    buffer.back() = L'\0';  // never trust the answer to be terminated
    path_ = buffer.data();
    if (path_.empty()) {
        error_ = FNERR_INVALIDFILENAME;
        return 0;
    }
    filterIndex_ = ofn.nFilterIndex;
    return IDOK;
}

}  // namespace fw
