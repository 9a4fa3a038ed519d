#pragma once
// Small helpers used all over the application.
#include <windows.h>

#include <string>

// Result of CreateGlobalMutex.
enum GlobalMutexResult { kMutexFailed = 0, kMutexCreated = 1, kMutexExists = 2, kMutexAccessDenied = 3 };

int CreateGlobalMutex(const wchar_t* name, bool useGlobalPrefix, HANDLE* handle);
// "Global\" is only understood from Windows 2000 (major version 5) on.
std::wstring GlobalMutexName(const wchar_t* name, bool useGlobalPrefix, DWORD majorVersion);

int BrowseForFolder(HWND owner, const wchar_t* initialFolder, wchar_t* path /* MAX_PATH */);
// Copies a chosen folder to the out buffer: 1 when it fits in 256 characters.
int AcceptBrowsedFolder(const std::wstring& chosen, wchar_t* path);
HRESULT GetMyDocumentsFolder(std::wstring& path);
void GetClientRectWithScrollBars(HWND window, RECT* rect);
double PointDistance(int x1, int y1, int x2, int y2);
unsigned long ParseNumberInRange(const std::wstring& text, unsigned long minimum, unsigned long maximum);
void AddBackslash(std::wstring& path);
void AddBackslash(wchar_t* path /* MAX_PATH */);
bool PathExists(const std::wstring& path);
int DeleteFolderTree(const std::wstring& folder);

std::wstring GetInstallPath();
DWORD GetJpegLibSetting();
std::wstring GetHelpFilePath();

// Thrown by DeleteFolderTree for a file that cannot be deleted.
struct FileException {
    std::wstring path;
    DWORD error;
};
