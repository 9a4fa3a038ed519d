// Transfer to SD memory: the card is checked before the live monitor rests.
#include "shell/MainFrame.h"

#include "base/TraceLog.h"
#include "base/ControlDialog.h"
#include "resource.h"
#include "transfer/FTransDlg.h"

void CMainFrame::OnSdTransfer() {
    if (!CheckSdCard()) return;
    SuspendLive();
    // On success the dialog asks for the resume itself as it closes.
    if (!CreateTransFerDlg()) ResumeLive();
}

bool CMainFrame::CreateTransFerDlg() {
    if (!transfer_) return false;
    transfer_->PrepareRun();
    return ModalEndedNormally(transfer_->DoModal(hwnd()), L"CMainFrame::CreateTransFerDlg");
}

bool CMainFrame::ModalEndedNormally(INT_PTR result, const wchar_t* source) {
    if (result == IDOK || result == IDCANCEL) return true;
    WriteTraceLog(kTraceApp, source, L"The error occurred with the [DoModal()] function. Return Code[%d]",
                  static_cast<int>(result));
    ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    return false;
}
