#include "convert/PptDlg.h"

#include <new>

#include "Handles.h"
#include "base/AppMessages.h"
#include "base/AppServices.h"
#include "base/ControlDialog.h"
#include "base/FileSelDlg.h"
#include "base/PathName.h"
#include "base/Registry.h"
#include "base/TraceLog.h"
#include "base/Utilities.h"
#include "convert/CountedModal.h"
#include "convert/PathChecks.h"
#include "convert/TransErrDlg.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kSourceFileValue = L"CnvInputFileFolder";
constexpr const wchar_t* kSourceFolderValue = L"CnvInputFolder";
constexpr const wchar_t* kDestinationValue = L"CnvOutputFileFolder";
constexpr const wchar_t* kCaption = L"File Conversion";
constexpr const wchar_t* kSourceFilter = L"PPT (*.ppt; *.pptx)|*.ppt; *.pptx|JPEG (*.jpg)|*.jpg|BMP (*.bmp)|*.bmp||";

std::wstring ReadSetting(const wchar_t* name) { return RegReadString(HKEY_CURRENT_USER, kUserKey, kUserSection, name, L""); }

std::wstring ControlText(HWND dialog, UINT id, size_t limit) {
    wchar_t text[MAX_PATH + 1] = {};
    ::GetDlgItemTextW(dialog, static_cast<int>(id), text, MAX_PATH + 1);
    return std::wstring(text).substr(0, limit);
}

DWORD FilterFor(const std::wstring& extension) {
    if (::lstrcmpiW(extension.c_str(), L".JPG") == 0) return 2;
    if (::lstrcmpiW(extension.c_str(), L".BMP") == 0) return 3;
    return 1;
}

bool IsExistingFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

CPptDlg::CPptDlg() : fw::Dialog(IDD_FILE_CONVERSION) {}

CPptDlg::~CPptDlg() = default;

BOOL CPptDlg::OnInitDialog() {
    if (!progress_) {
        try {
            progress_ = std::make_unique<CPlogressDlg>();
        } catch (const std::bad_alloc&) {
            WriteTraceLogNoMemory(kTraceApp, L"CPptDlg::OnInitDialog", L"new CCnvPlogressDlg");
            EndDialog(3);
            return TRUE;
        }
        progress_->SetTexts(kCaption, L"Converting File...", L"Number of converted files:");
    }
    job_.SetWindow(hwnd());
    job_.errors().FreeErrorList();
    for (UINT id : {IDC_CNV_SOURCE_FILE, IDC_CNV_SOURCE_FOLDER, IDC_CNV_DESTINATION})
        ::SendDlgItemMessageW(hwnd(), static_cast<int>(id), EM_LIMITTEXT, id == IDC_CNV_SOURCE_FILE ? 260 : 256, 0);
    SetFileMode(fileMode_);
    sourceFile_ = ReadSetting(kSourceFileValue);
    sourceFolder_ = ReadSetting(kSourceFolderValue);
    destination_ = ReadSetting(kDestinationValue);
    ShowPaths();
    return TRUE;
}

bool CPptDlg::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_CNV_FILE_MODE: SetFileMode(true); return true;
    case IDC_CNV_FOLDER_MODE: SetFileMode(false); return true;
    case IDC_CNV_BROWSE_FILE: OnBtnRefIn(); return true;
    case IDC_CNV_BROWSE_FOLDER: BrowseFolder(IDC_CNV_SOURCE_FOLDER, sourceFolder_); return true;
    case IDC_CNV_BROWSE_DESTINATION: BrowseFolder(IDC_CNV_DESTINATION, destination_); return true;
    case IDOK: OnOK(); return true;
    case IDCANCEL: OnClose(); return true;
    default: return false;
    }
}

void CPptDlg::ReadControls() {
    sourceFile_ = ControlText(hwnd(), IDC_CNV_SOURCE_FILE, MAX_PATH);
    sourceFolder_ = ControlText(hwnd(), IDC_CNV_SOURCE_FOLDER, 256);
    destination_ = ControlText(hwnd(), IDC_CNV_DESTINATION, 256);
}

void CPptDlg::ShowPaths() {
    ::SetDlgItemTextW(hwnd(), IDC_CNV_SOURCE_FILE, sourceFile_.c_str());
    ::SetDlgItemTextW(hwnd(), IDC_CNV_SOURCE_FOLDER, sourceFolder_.c_str());
    ::SetDlgItemTextW(hwnd(), IDC_CNV_DESTINATION, destination_.c_str());
}

void CPptDlg::SetFileMode(bool fileMode) {
    fileMode_ = fileMode;
    ::CheckRadioButton(hwnd(), IDC_CNV_FILE_MODE, IDC_CNV_FOLDER_MODE,
                       fileMode ? IDC_CNV_FILE_MODE : IDC_CNV_FOLDER_MODE);
    for (UINT id : {IDC_CNV_SOURCE_FILE, IDC_CNV_BROWSE_FILE})
        ::EnableWindow(::GetDlgItem(hwnd(), static_cast<int>(id)), fileMode);
    for (UINT id : {IDC_CNV_SOURCE_FOLDER, IDC_CNV_BROWSE_FOLDER})
        ::EnableWindow(::GetDlgItem(hwnd(), static_cast<int>(id)), !fileMode);
}

void CPptDlg::OnBtnRefIn() {
    ReadControls();
    std::wstring folder, name;
    DWORD filter = 1;
    if (!sourceFile_.empty() && IsExistingFolder(sourceFile_)) {
        folder = sourceFile_;
    } else if (!sourceFile_.empty() && ::GetFileAttributesW(sourceFile_.c_str()) != INVALID_FILE_ATTRIBUTES) {
        CPathName path(sourceFile_);
        name = path.DriveFolderName();
        filter = FilterFor(path.Extension());
    } else {
        GetMyDocumentsFolder(folder);
    }
    CFileSelDlg dialog(true, L"PPT", name.empty() ? nullptr : name.c_str(),
                       OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSourceFilter, hwnd());
    dialog.SetFilterIndex(filter);
    wchar_t path[256] = {};
    int result = 0;
    {
        CountedModal counted;
        result = dialog.DoModal(nullptr, folder.empty() ? nullptr : folder.c_str(), path, 256);
    }
    if (result == IDOK) {
        sourceFile_ = path;
        ::SetDlgItemTextW(hwnd(), IDC_CNV_SOURCE_FILE, path);
    } else if (result != IDCANCEL) {
        WriteTraceLog(kTraceApp, L"CPptDlg::OnBtnRefIn", L"The error occurred with the [DoModal()] function. Return Code[%d]",
                      result);
        EndDialog(3);
    }
}

void CPptDlg::BrowseFolder(UINT editId, std::wstring& folder) {
    ReadControls();
    wchar_t chosen[MAX_PATH] = {};
    CountedModal counted;
    if (BrowseForFolder(hwnd(), folder.c_str(), chosen) != 1) return;
    folder = chosen;
    ::SetDlgItemTextW(hwnd(), static_cast<int>(editId), chosen);
}

bool CPptDlg::Refuse(UINT messageId, UINT focusId) {
    ShowAppMessage(messageId, MB_OK | MB_ICONEXCLAMATION);
    ::SetFocus(::GetDlgItem(hwnd(), static_cast<int>(focusId)));
    return false;
}

bool CPptDlg::CheckInput() {
    const UINT sourceId = fileMode_ ? IDC_CNV_SOURCE_FILE : IDC_CNV_SOURCE_FOLDER;
    switch (CheckSrcPath(fileMode_ ? sourceFile_ : sourceFolder_, fileMode_)) {
    case SourceCheck::Empty: return Refuse(IDS_SOURCE_NOT_SPECIFIED, sourceId);
    case SourceCheck::NotAvailable: return Refuse(IDS_SOURCE_NOT_AVAILABLE, sourceId);
    case SourceCheck::Usable: break;
    }
    switch (CheckDirPath(destination_)) {
    case DestinationCheck::Empty: return Refuse(IDS_DESTINATION_NOT_SPECIFIED, IDC_CNV_DESTINATION);
    case DestinationCheck::NotAvailable: return Refuse(IDS_OUTPUT_FOLDER_UNAVAILABLE, IDC_CNV_DESTINATION);
    case DestinationCheck::CreateFailed: return Refuse(IDS_CREATE_FOLDER_FAILED, IDC_CNV_DESTINATION);
    case DestinationCheck::Declined: return false;
    case DestinationCheck::Ready: break;
    }
    if (!fileMode_ && SameFolder(sourceFolder_, destination_)) return Refuse(IDS_SAME_FOLDERS, IDC_CNV_SOURCE_FOLDER);
    return true;
}

void CPptDlg::OnOK() {
    ReadControls();
    if (!CheckInput()) return;
    CConvertJob::Source source{fileMode_, sourceFile_, sourceFolder_, destination_};
    progress_->SetThreadProc([this, source](CPlogressDlg::Work& work) {
        // The presentation server is called from this thread's own apartment.
        fw::OleInit apartment;
        job_.keepGoing = work.keepGoing;
        job_.progress = work.report;
        job_.DoConvert(source);
    });
    INT_PTR result = 0;
    {
        CountedModal counted;
        result = progress_->DoModal(hwnd());
    }
    if (result == IDOK || result == IDCANCEL) {
        ShowErrorList();
    } else {
        WriteTraceLog(kTraceApp, L"CPptDlg::OnOK", L"The error occurred with the [DoModal()] function. Return Code[%d]",
                      static_cast<int>(result));
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    }
    if (job_.focusControl()) ::SetFocus(::GetDlgItem(hwnd(), static_cast<int>(job_.focusControl())));
}

void CPptDlg::ShowErrorList() {
    if (!job_.aborted() && !job_.errors().empty()) {
        CTransErrDlg list;
        list.SetCaption(kCaption);
        list.SetHeader(L"Error list");
        list.SetErrorList(&job_.errors());
        CountedModal counted;
        list.DoModal(hwnd());
    }
    job_.errors().FreeErrorList();
}

void CPptDlg::OnClose() {
    ReadControls();
    RegWriteString(HKEY_CURRENT_USER, kUserKey, kUserSection, kSourceFileValue, sourceFile_);
    RegWriteString(HKEY_CURRENT_USER, kUserKey, kUserSection, kSourceFolderValue, sourceFolder_);
    RegWriteString(HKEY_CURRENT_USER, kUserKey, kUserSection, kDestinationValue, destination_);
    EndDialog(IDCANCEL);
    if (HWND owner = ::GetWindow(hwnd(), GW_OWNER)) ::PostMessageW(owner, WM_RESUME_LIVE, 0, 0);
}
