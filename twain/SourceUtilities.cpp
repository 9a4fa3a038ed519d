#include "SourceUtilities.h"

#include <string>

#include "Handles.h"
#include "InstalledLibrary.h"
#include "SharedNames.h"

namespace twain {

int CreateGlobalMutex(const char* name, bool useGlobalPrefix, HANDLE* handle) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(&version);
#pragma GCC diagnostic pop
    // "Global\" is only understood from Windows 2000 (major version 5) on.
    std::string full = useGlobalPrefix && version.dwMajorVersion > 4 ? std::string("Global\\") + name : name;
    HANDLE h = ::CreateMutexA(nullptr, FALSE, full.c_str());
    DWORD error = ::GetLastError();
    *handle = nullptr;
    if (h && error != ERROR_ALREADY_EXISTS) {
        *handle = h;
        return 1;
    }
    if (h) {
        ::CloseHandle(h);
        return 2;
    }
    return error == ERROR_ACCESS_DENIED ? 3 : 0;
}

DWORD RegReadDword(HKEY hive, const char* key, const char* section, const char* name, DWORD fallback) {
    std::string sub = std::string("SOFTWARE\\") + key + "\\" + section;
    fw::RegKey k;
    if (::RegOpenKeyExA(hive, sub.c_str(), 0, KEY_READ, k.receive()) != ERROR_SUCCESS) return fallback;
    DWORD type = 0, value = 0, size = sizeof(value);
    if (::RegQueryValueExA(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return fallback;
    // A short string is also four bytes long: only numbers count.
    if (size != sizeof(DWORD) || (type != REG_DWORD && type != REG_BINARY)) return fallback;
    return value;
}

std::wstring RegReadString(HKEY hive, const char* key, const char* section, const wchar_t* name) {
    std::string narrow = std::string("SOFTWARE\\") + key + "\\" + section;
    std::wstring sub(narrow.begin(), narrow.end());
    fw::RegKey k;
    if (::RegOpenKeyExW(hive, sub.c_str(), 0, KEY_READ, k.receive()) != ERROR_SUCCESS) return {};
    wchar_t value[MAX_PATH] = {};
    DWORD type = 0, size = sizeof(value) - sizeof(wchar_t);
    if (::RegQueryValueExW(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return value;
}

HMODULE LoadInstalledLibrary(HINSTANCE self, const wchar_t* name) {
    return device::LoadLibraryFrom(
        {RegReadString(HKEY_LOCAL_MACHINE, PICTAVO_INSTALL_KEY, PICTAVO_INSTALL_SECTION, L"InstallPath"),
         device::ModuleFolder(self), device::SystemFolder()},
        name);
}

}  // namespace twain
