#pragma once
// The application's one open/save file dialog: it refuses paths longer than
// the caller can hold and reserved or invalid file names, and starts the next
// run on the filter the user last chose.
#include <windows.h>

#include <string>

#include "FileDialog.h"

class CFileSelDlg {
public:
    // filter in the pipe form, e.g. "JPEG (*.jpg)|*.jpg|BMP (*.bmp)|*.bmp||".
    CFileSelDlg(bool open, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags, const wchar_t* filter,
                HWND parent);

    // title, initialFolder and path may be null. path, when given, holds the
    // starting name on entry and the chosen path (at most maxLength - 1
    // characters) on return. Returns 1 for a usable path, 2 otherwise.
    int DoModal(const wchar_t* title, const wchar_t* initialFolder, wchar_t* path, int maxLength);

    // The filter the next run starts on (1-based), until a choice is accepted.
    void SetFilterIndex(DWORD index) { filterIndex_ = index; }
    // The filter index of the last accepted choice; 0 before the first
    // unless the caller set one.
    DWORD GetFilterIndex() const { return filterIndex_; }
    // The last accepted path, for callers that pass no buffer.
    const std::wstring& GetPathName() const { return chosen_; }

private:
    fw::FileDialog dialog_;
    std::wstring fileName_;
    HWND parent_;
    DWORD filterIndex_ = 0;
    std::wstring chosen_;
};
