#include "CardPath.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>

namespace standin {

namespace {
constexpr const wchar_t* kDeviceNames[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};

std::optional<std::wstring> FromAnsi(const std::string& text) {
    if (text.empty()) return std::wstring();
    int n = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

bool IsDeviceName(const std::wstring& name) {
    // "NUL.txt" and "COM1" are devices too on Windows.
    std::wstring stem = name.substr(0, name.find(L'.'));
    for (auto& c : stem) c = static_cast<wchar_t>(std::towupper(c));
    for (const wchar_t* device : kDeviceNames)
        if (stem == device) return true;
    return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'0' && stem[3] <= L'9';
}
}  // namespace

bool IsSafeCardName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    // Windows drops trailing dots and spaces, which would make two names one.
    if (name.back() == L'.' || name.back() == L' ') return false;
    for (wchar_t c : name)
        if (c < 32 || std::wcschr(L"<>:\"/\\|?*", c)) return false;
    return !IsDeviceName(name);
}

std::optional<std::vector<std::wstring>> SplitCardPath(const std::string& cardPath) {
    auto wide = FromAnsi(cardPath);
    if (!wide || wide->size() < 2 || std::towupper((*wide)[0]) != L'C' || (*wide)[1] != L':') return std::nullopt;
    std::wstring rest = wide->substr(2);
    std::vector<std::wstring> parts;
    if (rest.empty() || rest == L"\\") return parts;
    if (rest[0] != L'\\') return std::nullopt;
    for (size_t start = 1;;) {
        size_t slash = rest.find(L'\\', start);
        std::wstring part = rest.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start);
        if (!IsSafeCardName(part)) return std::nullopt;
        parts.push_back(part);
        if (slash == std::wstring::npos) return parts;
        start = slash + 1;
    }
}

std::wstring HostPath(const std::wstring& hostRoot, const std::vector<std::wstring>& parts) {
    std::wstring path = hostRoot;
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    for (const std::wstring& part : parts) path += L"\\" + part;
    return path;
}

std::optional<std::string> CardPathOf(const std::vector<std::wstring>& parts) {
    std::wstring wide = L"C:\\";
    for (size_t i = 0; i < parts.size(); ++i) wide += (i ? L"\\" : L"") + parts[i];
    BOOL lossy = FALSE;
    int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                  nullptr, &lossy);
    if (n <= 0 || lossy) return std::nullopt;
    std::string ansi(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), &ansi[0], n,
                          nullptr, &lossy);
    return ansi;
}

}  // namespace standin
