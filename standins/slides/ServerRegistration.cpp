#include "ServerRegistration.h"

#include "DispatchIds.h"
#include "Handles.h"

namespace slides {

namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";
constexpr wchar_t kDescription[] = L"Pictavo presentation server stand-in";

bool SetDefault(HKEY hive, const std::wstring& key, const std::wstring& value, const wchar_t* name = nullptr) {
    fw::RegKey opened;
    if (::RegCreateKeyExW(hive, (kClasses + key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.receive(),
                          nullptr) != ERROR_SUCCESS)
        return false;
    DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(opened.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
}

std::wstring ReadDefault(HKEY hive, const std::wstring& key) {
    wchar_t value[128] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    if (::RegGetValueW(hive, (kClasses + key).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return {};
    return value;
}

bool DeleteTree(HKEY hive, const std::wstring& key) {
    LSTATUS status = ::RegDeleteTreeW(hive, (kClasses + key).c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        ::RegDeleteKeyW(hive, (kClasses + key).c_str());
        return true;
    }
    return false;
}

}  // namespace

bool RegisterServer(HKEY hive, const std::wstring& serverPath) {
    const std::wstring progId = kProgId, clsid = std::wstring(L"CLSID\\") + kServerClsidText;
    return SetDefault(hive, progId, kDescription) && SetDefault(hive, progId + L"\\CLSID", kServerClsidText) &&
           SetDefault(hive, clsid, kDescription) && SetDefault(hive, clsid + L"\\ProgID", progId) &&
           SetDefault(hive, clsid + L"\\LocalServer32", L"\"" + serverPath + L"\"");
}

bool UnregisterServer(HKEY hive) {
    bool ok = DeleteTree(hive, std::wstring(L"CLSID\\") + kServerClsidText);
    if (::lstrcmpiW(ReadDefault(hive, std::wstring(kProgId) + L"\\CLSID").c_str(), kServerClsidText) == 0)
        ok = DeleteTree(hive, kProgId) && ok;
    return ok;
}

}  // namespace slides
