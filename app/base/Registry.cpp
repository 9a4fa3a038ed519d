#include "base/Registry.h"

#include <vector>

#include "Handles.h"
#include "SharedNames.h"

const wchar_t* const kInstallKey = L"" PICTAVO_INSTALL_KEY;
const wchar_t* const kInstallSection = L"" PICTAVO_INSTALL_SECTION;
const wchar_t* const kUserKey = L"Vexa\\Pictavo (QZT)\\PictavoForPresentation";
const wchar_t* const kUserSection = L"ImgSection";

namespace {
std::wstring SubKey(const wchar_t* key, const wchar_t* section) {
    return std::wstring(L"SOFTWARE\\") + key + L"\\" + section;
}
}  // namespace

DWORD RegReadDword(HKEY hive, const wchar_t* key, const wchar_t* section, const wchar_t* name, DWORD fallback) {
    fw::RegKey k;
    if (::RegOpenKeyExW(hive, SubKey(key, section).c_str(), 0, KEY_READ, k.receive()) != ERROR_SUCCESS) return fallback;
    DWORD type = 0, value = 0, size = sizeof(value);
    if (::RegQueryValueExW(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return fallback;
    // A string of two bytes plus terminator is also four bytes long: only numbers count.
    if (size != sizeof(DWORD) || (type != REG_DWORD && type != REG_BINARY)) return fallback;
    return value;
}

std::wstring RegReadString(HKEY hive, const wchar_t* key, const wchar_t* section, const wchar_t* name,
                           const std::wstring& fallback) {
    fw::RegKey k;
    if (::RegOpenKeyExW(hive, SubKey(key, section).c_str(), 0, KEY_READ, k.receive()) != ERROR_SUCCESS) return fallback;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(k.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return fallback;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return fallback;
    // Room for a terminator the stored value may lack.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = size;
    if (::RegQueryValueExW(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS)
        return fallback;
    return std::wstring(buffer.data());
}

int RegWriteString(HKEY hive, const wchar_t* key, const wchar_t* section, const wchar_t* name,
                   const std::wstring& text) {
    fw::RegKey software;
    if (::RegOpenKeyExW(hive, L"SOFTWARE", 0, KEY_ALL_ACCESS, software.receive()) != ERROR_SUCCESS) return 0;
    fw::RegKey k;
    std::wstring sub = std::wstring(key) + L"\\" + section;
    if (::RegCreateKeyExW(software.get(), sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.receive(), nullptr) !=
        ERROR_SUCCESS)
        return 0;
    DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(k.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
                   ERROR_SUCCESS
               ? 1
               : 0;
}
