#pragma once
// The data source's narrow-character helpers; they behave as the image
// application's wide ones do, so both find the same mutex and settings.
#include <windows.h>

#include <string>

namespace twain {

// 1 created (the handle is held), 2 already exists, 3 access denied, 0 other failure.
int CreateGlobalMutex(const char* name, bool useGlobalPrefix, HANDLE* handle);

// A 32-bit number under HKEY\SOFTWARE\<key>\<section>, or the fallback.
DWORD RegReadDword(HKEY hive, const char* key, const char* section, const char* name, DWORD fallback);

// A string under HKEY\SOFTWARE\<key>\<section>, or empty.
std::wstring RegReadString(HKEY hive, const char* key, const char* section, const wchar_t* name);

// A library of the installation, looked for only in the installation folder
// ("InstallPath"), the folder of `self` and the system folder: never in the
// host's folder, its current folder or PATH. Its own imports resolve the same way.
HMODULE LoadInstalledLibrary(HINSTANCE self, const wchar_t* name);

}  // namespace twain
