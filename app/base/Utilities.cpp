#include "base/Utilities.h"

#include <shlobj.h>

#include <cmath>
#include <cwchar>

#include "Handles.h"
#include "base/Registry.h"

std::wstring GlobalMutexName(const wchar_t* name, bool useGlobalPrefix, DWORD majorVersion) {
    if (useGlobalPrefix && majorVersion > 4) return std::wstring(L"Global\\") + name;
    return name;
}

int CreateGlobalMutex(const wchar_t* name, bool useGlobalPrefix, HANDLE* handle) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&version);
#pragma GCC diagnostic pop
    std::wstring full = GlobalMutexName(name, useGlobalPrefix, version.dwMajorVersion);
    HANDLE h = ::CreateMutexW(nullptr, FALSE, full.c_str());
    DWORD error = ::GetLastError();
    if (h && error != ERROR_ALREADY_EXISTS) {
        *handle = h;
        return kMutexCreated;
    }
    if (h) {
        ::CloseHandle(h);
        *handle = nullptr;
        return kMutexExists;
    }
    *handle = nullptr;
    return error == ERROR_ACCESS_DENIED ? kMutexAccessDenied : kMutexFailed;
}

namespace {
int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED && data) ::SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}
}  // namespace

int AcceptBrowsedFolder(const std::wstring& chosen, wchar_t* path) {
    if (chosen.size() > 256) return 0;
    wcscpy_s(path, MAX_PATH, chosen.c_str());
    return 1;
}

int BrowseForFolder(HWND owner, const wchar_t* initialFolder, wchar_t* path) {
    BROWSEINFOW bi{};
    bi.hwndOwner = owner;
    bi.lpszTitle = L"Please select folder";
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bi.lpfn = BrowseCallback;
    bi.lParam = reinterpret_cast<LPARAM>(initialFolder && *initialFolder ? initialFolder : nullptr);
    LPITEMIDLIST item = ::SHBrowseForFolderW(&bi);
    if (!item) {
        path[0] = L'\0';
        return 0;
    }
    // SHGetPathFromIDList writes up to MAX_PATH characters.
    wchar_t chosen[MAX_PATH + 1] = {};
    BOOL ok = ::SHGetPathFromIDListW(item, chosen);
    ::CoTaskMemFree(item);
    return ok ? AcceptBrowsedFolder(chosen, path) : 0;
}

HRESULT GetMyDocumentsFolder(std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    HRESULT hr = ::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer);
    path = SUCCEEDED(hr) ? buffer : L"";
    return hr;
}

void GetClientRectWithScrollBars(HWND window, RECT* rect) {
    ::GetClientRect(window, rect);
    LONG style = ::GetWindowLongW(window, GWL_STYLE);
    if (style & WS_HSCROLL) rect->bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    if (style & WS_VSCROLL) rect->right += ::GetSystemMetrics(SM_CXVSCROLL);
}

double PointDistance(int x1, int y1, int x2, int y2) {
    double dy = static_cast<double>(y1) - y2;
    double dx = static_cast<double>(x1) - x2;
    return std::sqrt(dy * dy + dx * dx);
}

unsigned long ParseNumberInRange(const std::wstring& text, unsigned long minimum, unsigned long maximum) {
    size_t digits = text.find_first_not_of(L"0123456789");
    if (text.empty() || digits != std::wstring::npos) return 0;
    // Beyond nine digits no dialog range can hold it; avoid overflow.
    size_t significant = text.find_first_not_of(L'0');
    if (significant != std::wstring::npos && text.size() - significant > 9) return 0;
    unsigned long value = std::wcstoul(text.c_str(), nullptr, 10);
    return (value >= minimum && value <= maximum) ? value : 0;
}

void AddBackslash(std::wstring& path) {
    if (!path.empty() && path.back() != L'\\') path += L'\\';
}

void AddBackslash(wchar_t* path) {
    size_t n = std::wcslen(path);
    if (n > 0 && n + 1 < MAX_PATH && path[n - 1] != L'\\') {
        path[n] = L'\\';
        path[n + 1] = L'\0';
    }
}

bool PathExists(const std::wstring& path) {
    if (path.empty()) return false;
    std::wstring p = path;
    if (p.size() > 1 && p.back() == L'\\' && p[p.size() - 2] != L':') p.pop_back();
    return ::GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int DeleteFolderTree(const std::wstring& folder) {
    if (!PathExists(folder)) return 1;
    std::wstring base = folder;
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    WIN32_FIND_DATAW fd;
    {
        fw::FindHandle find(::FindFirstFileW((base + L"\\*.*").c_str(), &fd));
        if (find) {
            do {
                std::wstring name = fd.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring full = base + L"\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT && fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    // A junction: remove the link, never what it points to.
                    ::RemoveDirectoryW(full.c_str());
                } else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    DeleteFolderTree(full);
                } else if (!::DeleteFileW(full.c_str())) {
                    throw FileException{full, ::GetLastError()};
                }
            } while (::FindNextFileW(find.get(), &fd));
        }
    }
    ::RemoveDirectoryW(base.c_str());
    return 1;
}

std::wstring GetInstallPath() {
    return RegReadString(HKEY_LOCAL_MACHINE, kInstallKey, kInstallSection, L"InstallPath", L"");
}

DWORD GetJpegLibSetting() { return RegReadDword(HKEY_LOCAL_MACHINE, kInstallKey, kInstallSection, L"JpegLib", 1); }

std::wstring GetHelpFilePath() {
    std::wstring path = GetInstallPath();
    if (!path.empty()) path += std::wstring(L"\\HELP\\") + L"Pictavo.chm";
    return path;
}
