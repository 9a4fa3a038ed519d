#include "HostFolder.h"

#include <algorithm>

#include "Handles.h"

namespace standin {

std::vector<HostEntry> ListHostFolder(const std::wstring& folder) {
    std::vector<HostEntry> entries;
    WIN32_FIND_DATAW found;
    fw::FindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!find) return entries;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        DWORD a = found.dwFileAttributes;
        entries.push_back({name, (a & FILE_ATTRIBUTE_DIRECTORY) != 0, (a & FILE_ATTRIBUTE_READONLY) != 0,
                           (a & FILE_ATTRIBUTE_REPARSE_POINT) != 0,
                           (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow});
    } while (::FindNextFileW(find.get(), &found));
    std::sort(entries.begin(), entries.end(),
              [](const HostEntry& a, const HostEntry& b) { return _wcsicmp(a.name.c_str(), b.name.c_str()) < 0; });
    return entries;
}

uint64_t BytesBelow(const std::wstring& folder) {
    uint64_t total = 0;
    for (const HostEntry& e : ListHostFolder(folder)) {
        if (e.link) continue;
        total += e.folder ? BytesBelow(folder + L"\\" + e.name) : e.size;
    }
    return total;
}

bool HasReadOnlyFileBelow(const std::wstring& folder) {
    for (const HostEntry& e : ListHostFolder(folder)) {
        if (e.link) continue;
        if (e.folder ? HasReadOnlyFileBelow(folder + L"\\" + e.name) : e.readOnly) return true;
    }
    return false;
}

bool RemoveHostTree(const std::wstring& folder) {
    bool ok = true;
    for (const HostEntry& e : ListHostFolder(folder)) {
        std::wstring path = folder + L"\\" + e.name;
        if (e.folder && !e.link)
            ok = RemoveHostTree(path) && ok;
        else if (e.folder)
            ok = ::RemoveDirectoryW(path.c_str()) && ok;  // the link itself, not its target
        else
            ok = ::DeleteFileW(path.c_str()) && ok;
    }
    return ::RemoveDirectoryW(folder.c_str()) && ok;
}

}  // namespace standin
