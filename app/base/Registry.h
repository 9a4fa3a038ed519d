#pragma once
// Settings in the registry, under "SOFTWARE\<key>\<section>" of a hive.
#include <windows.h>

#include <string>

DWORD RegReadDword(HKEY hive, const wchar_t* key, const wchar_t* section, const wchar_t* name, DWORD fallback);
std::wstring RegReadString(HKEY hive, const wchar_t* key, const wchar_t* section, const wchar_t* name,
                           const std::wstring& fallback);
int RegWriteString(HKEY hive, const wchar_t* key, const wchar_t* section, const wchar_t* name,
                   const std::wstring& text);

// The two keys of the system.
extern const wchar_t* const kInstallKey;  // local machine: "Vexa\Utility Software (QZT)"
extern const wchar_t* const kInstallSection;
extern const wchar_t* const kUserKey;  // current user: "Vexa\Pictavo (QZT)\PictavoForPresentation"
extern const wchar_t* const kUserSection;
