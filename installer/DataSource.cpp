#include "DataSource.h"

namespace installer {

namespace {

constexpr const wchar_t* kManagerFolders[] = {L"twain_32", L"twain_64"};

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool PlaceDataSource(const std::wstring& from, const wchar_t* managerFolder, Output& out) {
    const std::wstring folder = DataSourceFolder(managerFolder);
    const std::wstring target = folder + L"\\" + kDataSourceFile;
    // The manager's own folder may not exist on a machine that never had a source.
    CreateDirectoryW(folder.substr(0, folder.rfind(L'\\')).c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!CopyFileW(from.c_str(), target.c_str(), FALSE)) {
        DWORD error = GetLastError();
        out.Write(L"ERROR TWAIN data source: " + target + L"\r\n");
        out.SystemError(error);
        return false;
    }
    out.Write(L"TWAIN data source: " + target + L"\r\n");
    return true;
}

}  // namespace

bool InstallDataSources(const InstallContext& context, Output& out) {
    bool placed = true;
    for (const wchar_t* managerFolder : kManagerFolders) {
        const std::wstring from = context.packageFolder + L"\\" + managerFolder + L"\\" + kDataSourceFile;
        if (Exists(from)) placed = PlaceDataSource(from, managerFolder, out) && placed;
    }
    return placed;
}

void UninstallDataSources(Output& out) {
    for (const wchar_t* managerFolder : kManagerFolders) {
        const std::wstring folder = DataSourceFolder(managerFolder);
        const std::wstring file = folder + L"\\" + kDataSourceFile;
        if (!Exists(file)) continue;
        // A source still loaded by a running host cannot go now: Windows removes it at the next start.
        if (!DeleteFileW(file.c_str())) MoveFileExW(file.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        RemoveDirectoryW(folder.c_str());
        out.Write(L"Removing TWAIN data source: " + file + L"\r\n");
    }
}

}  // namespace installer
