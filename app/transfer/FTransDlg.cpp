#include "transfer/FTransDlg.h"

#include "Handles.h"
#include "Strings.h"
#include "base/AppMessages.h"
#include "base/Registry.h"
#include "base/TraceLog.h"
#include "base/Utilities.h"
#include "convert/CountedModal.h"
#include "convert/PathChecks.h"
#include "convert/TransErrDlg.h"
#include "resource.h"
#include "transfer/CardMessages.h"
#include "transfer/FTransTreeDlg.h"

namespace {

constexpr const wchar_t* kSourceValue = L"TransSrcFolder";
constexpr UINT kButtons[] = {IDOK, IDCANCEL, IDC_TRANS_BROWSE_SOURCE, IDC_TRANS_BROWSE_DESTINATION};

}  // namespace

CFTransDlg::CFTransDlg(device::IDeviceControl* device)
    : fw::Dialog(IDD_FILE_TRANSFER), device_(device), card_(device), job_(card_) {}

CFTransDlg::~CFTransDlg() = default;

void CFTransDlg::PrepareRun() {
    destination_.clear();
    shown_.clear();
    source_ = RegReadString(HKEY_CURRENT_USER, kUserKey, kUserSection, kSourceValue, L"");
}

std::wstring CFTransDlg::ShownDestination(const std::wstring& destination) {
    if (destination.size() < 3) return destination;
    const std::wstring root = destination.substr(0, 3);
    const UINT type = ::GetDriveTypeW(root.c_str());
    return type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR ? destination : destination.substr(3);
}

BOOL CFTransDlg::OnInitDialog() {
    ::SendDlgItemMessageW(hwnd(), IDC_TRANS_SOURCE, EM_LIMITTEXT, MAX_PATH - 1, 0);
    ::SetDlgItemTextW(hwnd(), IDC_TRANS_SOURCE, source_.c_str());
    ::SetDlgItemTextW(hwnd(), IDC_TRANS_DESTINATION, shown_.c_str());
    return TRUE;
}

bool CFTransDlg::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_TRANS_BROWSE_SOURCE: OnBrowseSource(); return true;
    case IDC_TRANS_BROWSE_DESTINATION: OnBnClickedBtnTo(); return true;
    case IDOK: OnTransfer(); return true;
    case IDCANCEL: OnClose(); return true;
    default: return false;
    }
}

void CFTransDlg::ReadControls() {
    wchar_t text[MAX_PATH] = {};
    ::GetDlgItemTextW(hwnd(), IDC_TRANS_SOURCE, text, MAX_PATH);
    source_ = text;
}

void CFTransDlg::OnBrowseSource() {
    ReadControls();
    wchar_t chosen[MAX_PATH] = {};
    CountedModal counted;
    if (BrowseForFolder(hwnd(), L"", chosen) != 1) return;
    source_ = chosen;
    ::SetDlgItemTextW(hwnd(), IDC_TRANS_SOURCE, chosen);
}

void CFTransDlg::OnBnClickedBtnTo() {
    ReadControls();
    CFTransTreeDlg browser(device_);
    INT_PTR result = 0;
    {
        CountedModal counted;
        result = browser.DoModal(hwnd());
    }
    if (result == IDOK) {
        destination_ = browser.chosenPath();
        shown_ = ShownDestination(destination_);
        ::SetDlgItemTextW(hwnd(), IDC_TRANS_DESTINATION, shown_.c_str());
    } else if (result != IDCANCEL) {
        WriteTraceLog(kTraceApp, L"CFTransDlg::OnBnClickedBtnTo",
                      L"The error occurred with the [DoModal()] function. Return Code[%d]", static_cast<int>(result));
        ShowCardMessage(hwnd(), IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    }
}

void CFTransDlg::OnTransfer() {
    fw::WaitCursor wait;
    ReadControls();
    if (CheckInput()) TransFiles();
}

bool CFTransDlg::Refuse(UINT messageId, UINT focusId) {
    ShowCardMessage(hwnd(), messageId, MB_OK | MB_ICONEXCLAMATION);
    ::SetFocus(::GetDlgItem(hwnd(), static_cast<int>(focusId)));
    return false;
}

bool CFTransDlg::CheckInput() {
    switch (CheckSrcPath(source_, false)) {
    case SourceCheck::Empty: return Refuse(IDS_TRANS_SOURCE_NOT_SPECIFIED, IDC_TRANS_SOURCE);
    case SourceCheck::NotAvailable: return Refuse(IDS_TRANS_SOURCE_NOT_AVAILABLE, IDC_TRANS_SOURCE);
    case SourceCheck::Usable: break;
    }
    if (destination_.empty()) return Refuse(IDS_TRANS_DESTINATION_NOT_SPECIFIED, IDC_TRANS_DESTINATION);
    return true;
}

bool CFTransDlg::TransFiles() {
    if (!ReportCheck(job_.Prepare(source_, destination_))) return false;
    EnableButtons(false);
    RunWithProgress();
    if (job_.cardPulled()) ShowCardMessage(hwnd(), IDS_SD_NOT_INSERTED, MB_OK | MB_ICONERROR);
    ShowErrorList();
    EnableButtons(true);
    job_.errors().FreeErrorList();
    return true;
}

bool CFTransDlg::ReportCheck(CTransferJob::Check check) {
    switch (check) {
    case CTransferJob::Check::Ready: return true;
    case CTransferJob::Check::NoCard: ShowCardMessage(hwnd(), IDS_SD_NOT_INSERTED, MB_OK | MB_ICONERROR); break;
    case CTransferJob::Check::CardUnavailable:
        ShowCardMessage(hwnd(), IDS_SD_UNAVAILABLE, MB_OK | MB_ICONEXCLAMATION);
        break;
    case CTransferJob::Check::Duplicate:
        ShowCardMessage(hwnd(), fw::Format(fw::LoadResString(IDS_SAME_NAME_EXISTS).c_str(), source_.c_str(), shown_.c_str()),
                        MB_OK | MB_ICONEXCLAMATION);
        break;
    case CTransferJob::Check::NothingToSend:
        ShowCardMessage(hwnd(), IDS_NOTHING_TO_TRANSFER, MB_OK | MB_ICONEXCLAMATION);
        break;
    }
    return false;
}

// The files go out on the progress dialog's own thread; Cancel takes effect
// from the next file on.
void CFTransDlg::RunWithProgress() {
    if (!progress_) {
        progress_ = std::make_unique<CPlogressDlg>();
        progress_->SetTexts(L"Transfer image to SD Memory", L"Transferring files...", L"Number of transferred files");
    }
    progress_->SetThreadProc([this](CPlogressDlg::Work& work) { job_.Run(work.keepGoing, work.report); });
    CountedModal counted;
    if (progress_->DoModal(hwnd()) < 0) {
        WriteTraceLog(kTraceApp, L"CCnvPlogressDlg::ShowDialog", L"The error occurred with the [Create()] function.");
        ShowCardMessage(hwnd(), IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    }
}

void CFTransDlg::ShowErrorList() {
    if (job_.errors().empty()) return;
    CTransErrDlg list;
    list.SetCaption(L"Transfer Error");
    list.SetHeader(L"Error list");
    list.SetErrorList(&job_.errors());
    CountedModal counted;
    list.DoModal(hwnd());
}

void CFTransDlg::EnableButtons(bool enable) {
    for (UINT id : kButtons) ::EnableWindow(::GetDlgItem(hwnd(), static_cast<int>(id)), enable);
}

void CFTransDlg::OnClose() {
    ReadControls();
    RegWriteString(HKEY_CURRENT_USER, kUserKey, kUserSection, kSourceValue, source_);
    EndDialog(IDCANCEL);
    if (HWND owner = ::GetWindow(hwnd(), GW_OWNER)) ::PostMessageW(owner, WM_RESUME_LIVE, 0, 0);
}
