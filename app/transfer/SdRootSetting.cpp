#include "transfer/SdRootSetting.h"

#include <windows.h>

#include "Strings.h"

std::wstring SettingsFilePath() {
    std::wstring path = fw::ModuleFileName();
    if (path.size() < 3) return L"";
    return path.substr(0, path.size() - 3) + L"ini";
}

std::wstring ReadSdRootPath(const std::wstring& settingsFile) {
    wchar_t root[MAX_PATH + 1] = {};
    ::GetPrivateProfileStringW(L"VIEWER", L"ROOTPATH", L"C:\\DCIM", root, MAX_PATH, settingsFile.c_str());
    return root;
}
