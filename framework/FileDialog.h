#pragma once
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <functional>
#include <string>

namespace fw {

// Answers file dialogs in place of the system (tests). It gets the filled-in
// structure, writes the chosen path into lpstrFile (within nMaxFile) and the
// filter index, and returns what GetOpenFileName would, with the extended
// error for a FALSE that is not a cancel.
using FileDialogHandler = std::function<BOOL(bool save, OPENFILENAMEW& ofn, DWORD& extendedError)>;
// Replaces the handler; empty restores the system dialogs. Returns the old one.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

// "JPEG (*.jpg)|*.jpg|BMP (*.bmp)|*.bmp||" to the dialog's NUL-separated form.
std::wstring FileDialogFilter(const std::wstring& pipeSeparated);

// An open or save dialog over the system's common dialogs.
class FileDialog {
public:
    // The structure size without the later extensions (no places bar); 76
    // bytes in a 32-bit program, 136 in a 64-bit one.
    static DWORD Nt4StructSize() { return OPENFILENAME_SIZE_VERSION_400W; }

    explicit FileDialog(bool open) : open_(open) {}

    void SetFilter(const std::wstring& pipeSeparated) { filter_ = FileDialogFilter(pipeSeparated); }
    void SetInitialFolder(std::wstring folder) { folder_ = std::move(folder); }
    void SetTitle(std::wstring title) { title_ = std::move(title); }
    void SetFileName(std::wstring name) { fileName_ = std::move(name); }
    void SetDefaultExtension(std::wstring ext) { defaultExt_ = std::move(ext); }
    void SetFlags(DWORD flags) { flags_ = flags; }
    void SetFilterIndex(DWORD index) { filterIndex_ = index; }
    void SetStructSize(DWORD size) { structSize_ = size; }
    // Characters of the result buffer, terminator included.
    void SetBufferCapacity(DWORD characters) { capacity_ = characters; }

    // IDOK with a path, IDCANCEL when the user cancelled, 0 when the dialog
    // failed (extendedError() says why; a path too long for the buffer is one).
    int DoModal(HWND owner);

    const std::wstring& path() const { return path_; }
    DWORD filterIndex() const { return filterIndex_; }
    DWORD extendedError() const { return error_; }

private:
    bool open_;
    std::wstring filter_, folder_, title_, fileName_, defaultExt_, path_;
    DWORD flags_ = OFN_EXPLORER;
    DWORD filterIndex_ = 0;
    DWORD structSize_ = sizeof(OPENFILENAMEW);
    DWORD capacity_ = MAX_PATH;
    DWORD error_ = 0;
};

}  // namespace fw
