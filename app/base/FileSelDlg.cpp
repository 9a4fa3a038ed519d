#include "base/FileSelDlg.h"

#include "base/ControlDialog.h"
#include "base/PathName.h"
#include "base/TraceLog.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kSource = L"CFileSelDlg::DoModal";
// A path of MAX_PATH characters and its terminator.
constexpr DWORD kResultCapacity = MAX_PATH + 1;
constexpr UINT kFileNotAvailable = 160;

int Refuse(const wchar_t* why) {
    WriteTraceLog(kTraceApp, kSource, L"%s", why);
    ShowAppMessage(kFileNotAvailable, MB_OK | MB_ICONEXCLAMATION);
    return 2;
}

}  // namespace

CFileSelDlg::CFileSelDlg(bool open, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, HWND parent)
    : dialog_(open), fileName_(fileName ? fileName : L""), parent_(parent) {
    if (defaultExt) dialog_.SetDefaultExtension(defaultExt);
    if (filter) dialog_.SetFilter(filter);
    dialog_.SetFlags(flags | OFN_EXPLORER);
}

int CFileSelDlg::DoModal(const wchar_t* title, const wchar_t* initialFolder, wchar_t* path, int maxLength) {
    // The dialog adds the extension of the filter the user picks; a name too
    // long for its buffer is dropped there rather than cut.
    dialog_.SetFileName(path ? CPathName(path).DriveFolderName() : fileName_);
    dialog_.SetFilterIndex(filterIndex_);
    // The structure without the places bar; its size differs between 32 and
    // 64 bits, so it is asked of the headers rather than written down.
    dialog_.SetStructSize(fw::FileDialog::Nt4StructSize());
    dialog_.SetInitialFolder(initialFolder ? initialFolder : L"");
    dialog_.SetTitle(title ? title : L"");
    dialog_.SetBufferCapacity(kResultCapacity);

    switch (dialog_.DoModal(parent_)) {
    case IDOK:
        break;
    case IDCANCEL:
        return 2;
    default:
        // A path longer than the dialog's buffer is the same refusal as one
        // longer than the caller's.
        if (dialog_.extendedError() == FNERR_BUFFERTOOSMALL) return Refuse(L"Invalid File Path Length.");
        WriteTraceLog(kTraceApp, kSource, L"The error occurred with the [DoModal()] function. Return Code[%d]",
                      static_cast<int>(dialog_.extendedError()));
        return 2;
    }

    const std::wstring& result = dialog_.path();
    // A buffer of no size can hold no path either.
    if ((path || maxLength > 0) && (maxLength <= 0 || result.size() >= static_cast<size_t>(maxLength)))
        return Refuse(L"Invalid File Path Length.");
    if (!CPathName(result).IsValidFileName()) return Refuse(L"Invalid File Name.");

    if (path) {
        result.copy(path, result.size());
        path[result.size()] = L'\0';
    }
    chosen_ = result;
    filterIndex_ = dialog_.filterIndex();
    return 1;
}
