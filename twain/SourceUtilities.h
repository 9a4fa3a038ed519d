#pragma once
// The data source's narrow-character helpers; they behave as the image
// application's wide ones do, so both find the same mutex and settings.
#include <windows.h>

namespace twain {

// 1 created (the handle is held), 2 already exists, 3 access denied, 0 other failure.
int CreateGlobalMutex(const char* name, bool useGlobalPrefix, HANDLE* handle);

// A 32-bit number under HKEY\SOFTWARE\<key>\<section>, or the fallback.
DWORD RegReadDword(HKEY hive, const char* key, const char* section, const char* name, DWORD fallback);

}  // namespace twain
