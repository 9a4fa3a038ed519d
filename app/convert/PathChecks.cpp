#include "convert/PathChecks.h"

#include <windows.h>

#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "base/Utilities.h"
#include "resource.h"

namespace {

bool HasDrive(const std::wstring& path) { return path.size() >= 2 && path[1] == L':' && iswalpha(path[0]); }

bool DriveUsable(const std::wstring& path) {
    if (!HasDrive(path)) return false;
    const std::wstring root = path.substr(0, 2) + L"\\";
    const UINT type = ::GetDriveTypeW(root.c_str());
    return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

SourceCheck CheckSrcPath(const std::wstring& path, bool fileMode) {
    if (path.empty()) return SourceCheck::Empty;
    if (!HasDrive(path)) return SourceCheck::NotAvailable;
    std::wstring trimmed = path;
    if (trimmed.back() == L'\\') trimmed.pop_back();
    if (fileMode) return IsFile(trimmed) ? SourceCheck::Usable : SourceCheck::NotAvailable;
    if (trimmed.size() == 2) return DriveUsable(trimmed) ? SourceCheck::Usable : SourceCheck::NotAvailable;
    return IsFolder(trimmed) ? SourceCheck::Usable : SourceCheck::NotAvailable;
}

DestinationCheck CheckDirPath(const std::wstring& destination) {
    if (destination.empty()) return DestinationCheck::Empty;
    if (destination.size() >= 257) return DestinationCheck::NotAvailable;
    std::wstring path = destination;
    AddBackslash(path);
    if (!DriveUsable(path)) return DestinationCheck::NotAvailable;
    bool asked = false;
    for (size_t end = path.find(L'\\', 3); end != std::wstring::npos; end = path.find(L'\\', end + 1)) {
        const std::wstring folder = path.substr(0, end);
        if (IsFolder(folder)) continue;
        if (!asked && ShowAppMessage(IDS_CREATE_FOLDER_QUESTION, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
            return DestinationCheck::Declined;
        asked = true;
        if (!::CreateDirectoryW(folder.c_str(), nullptr)) {
            WriteTraceLogLastError(kTraceApp, L"CPptDlg::CheckDirPath", L"CreateDirectory()");
            return DestinationCheck::CreateFailed;
        }
    }
    return DestinationCheck::Ready;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    std::wstring left = a, right = b;
    AddBackslash(left);
    AddBackslash(right);
    return ::lstrcmpiW(left.c_str(), right.c_str()) == 0;
}
