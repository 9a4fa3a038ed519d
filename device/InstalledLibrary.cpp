#include "InstalledLibrary.h"

namespace device {

namespace {

HMODULE LoadFrom(const std::wstring& folder, const wchar_t* name) {
    if (folder.empty()) return nullptr;
    std::wstring path = folder;
    if (path.back() != L'\\' && path.back() != L'/') path += L'\\';
    path += name;
    DWORD error = ::GetLastError();
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ::SetLastError(error);
        return nullptr;
    }
    HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Systems without the search flags know only the older altered search path.
    if (!module && ::GetLastError() == ERROR_INVALID_PARAMETER)
        module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module;
}

}  // namespace

std::wstring ModuleFolder(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::wstring folder(path, length);
    size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

std::wstring SystemFolder() {
    wchar_t path[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    return length && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

HMODULE LoadLibraryFrom(std::initializer_list<std::wstring> folders, const wchar_t* name) {
    // What a plain load reports for a library found nowhere; a copy that is
    // there but fails to load leaves its own error.
    ::SetLastError(ERROR_MOD_NOT_FOUND);
    for (const std::wstring& folder : folders)
        if (HMODULE module = LoadFrom(folder, name)) return module;
    return nullptr;
}

}  // namespace device
