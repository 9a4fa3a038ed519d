#pragma once
// The TWAIN data source beside the driver: each build of KorvoDocCamera.ds the
// package carries (twain_32\ for 32-bit hosts, twain_64\ for 64-bit ones) goes
// to the same-named folder of Windows, in a folder of its own, where TWAIN_32.DLL
// and TWAINDSM.DLL both look for sources.
#include <windows.h>

#include <string>

#include "InstallContext.h"
#include "Output.h"

namespace installer {

constexpr const wchar_t kDataSourceFolder[] = L"Korvo";
constexpr const wchar_t kDataSourceFile[] = L"KorvoDocCamera.ds";

// %WINDIR%\<managerFolder>\Korvo, for managerFolder "twain_32" or "twain_64".
inline std::wstring DataSourceFolder(const wchar_t* managerFolder) {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\" + managerFolder + L"\\" + kDataSourceFolder;
}

// Copies the package's builds; prints a line for each one copied or failed.
// False when one of them could not be put in place (the driver is then left alone).
bool InstallDataSources(const InstallContext& context, Output& out);
// Removes what InstallDataSources put in place; a line for each one removed.
void UninstallDataSources(Output& out);

}  // namespace installer
