#include "base/PathName.h"

#include <cwctype>
#include <stdlib.h>

namespace {

constexpr size_t kDrive = 3, kFolder = 256, kName = 256, kExtension = 256;

bool IsForbidden(wchar_t c) {
    if (c <= 31 || (c >= 127 && c <= 160)) return true;
    return std::wstring(L"\"*/:<>?\\|").find(c) != std::wstring::npos;
}

// Tests the text after a reserved word: a device name is the word, for COM
// and LPT followed by digits, then only blanks up to a dot or the end.
bool IsDeviceNameTail(const std::wstring& s, size_t i, bool numbered) {
    if (numbered) {
        if (i == s.size() || s[i] == L' ' || s[i] == L'.') return false;
        while (i < s.size() && s[i] != L'.') {
            if (!std::iswdigit(s[i])) {
                if (s[i] != L' ') return false;
                break;
            }
            ++i;
        }
    }
    while (i < s.size() && s[i] == L' ') ++i;
    return i == s.size() || s[i] == L'.';
}

}  // namespace

void CPathName::SetPath(const std::wstring& path) {
    path_ = path;
    drive_.clear();
    folder_.clear();
    name_.clear();
    extension_.clear();
    if (path.empty()) return;
    wchar_t drive[kDrive] = {}, folder[kFolder] = {}, name[kName] = {}, ext[kExtension] = {};
    if (_wsplitpath_s(path.c_str(), drive, kDrive, folder, kFolder, name, kName, ext, kExtension) != 0) return;
    drive_ = drive;
    folder_ = folder;
    name_ = name;
    extension_ = ext;
}

bool CPathName::IsValidFileName() const {
    std::wstring file = NameExtension().substr(0, 259);
    if (path_.empty() || file.empty()) return false;
    bool ascii = true;
    for (wchar_t c : file) {
        if (IsForbidden(c)) return false;
        if (c > 127) ascii = false;
    }
    if (!ascii) return true;
    if (file.size() <= 2) return true;
    static const wchar_t* const kReserved[] = {L"AUX", L"CON", L"PRN", L"NUL", L"CLOCK$", L"COM", L"LPT"};
    std::wstring upper = file;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    for (const wchar_t* word : kReserved) {
        std::wstring w = word;
        if (upper.compare(0, w.size(), w) != 0) continue;
        bool numbered = (w == L"COM" || w == L"LPT");
        return !IsDeviceNameTail(upper, w.size(), numbered);
    }
    return true;
}
