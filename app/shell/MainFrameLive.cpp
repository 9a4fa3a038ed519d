// The main frame's live monitor and remote-control panel.
#include <windows.h>

#include "DocTemplate.h"
#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "convert/PptDlg.h"
#include "live/AnimeFrame.h"
#include "remote/VexaDialog.h"
#include "resource.h"
#include "shell/MainFrame.h"

CAnimeFrame* CMainFrame::liveFrame() const { return dynamic_cast<CAnimeFrame*>(live_.monitor()); }

int CMainFrame::bPlaySemiAnimetion() {
    fw::DocTemplate* anime = FindTemplate(L"Anime");
    fw::DocTemplate::Opened opened = anime ? anime->OpenNew(*this, true) : fw::DocTemplate::Opened{};
    auto* frame = opened ? static_cast<CAnimeFrame*>(opened.frame) : nullptr;
    live_.Attach(frame);
    if (frame && frame->PlaySemiAnimation()) {
        live_.Started();
        return 1;
    }
    WriteTraceLog(kTraceApp, L"CMainFrame::bPlaySemiAnimetion", L"The error occurred with the [PlaySemiAnimation()] function.");
    if (opened.frame) ::SendMessageW(mdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(opened.frame->hwnd()), 0);
    live_.Release();
    return 0;
}

void CMainFrame::CloseLiveFrame() {
    if (ILiveMonitor* monitor = live_.Release()) ::SendMessageW(monitor->monitorWindow(), WM_CLOSE, 0, 0);
}

void CMainFrame::OnStartLive() {
    if (!live_.ResumeExisting()) bPlaySemiAnimetion();
}

void CMainFrame::SuspendLive() {
    live_.SuspendForModal();
    if (remote_ && remote_->IsVisible()) remote_->Enable(false);
}

void CMainFrame::ResumeLive() {
    live_.ResumeAfterModal();
    if (remote_ && remote_->IsVisible()) remote_->Enable(true);
    ::SetActiveWindow(hwnd());
}

void CMainFrame::OnLiveFailed(UINT messageId) {
    if (!live_.monitor()) return;
    CloseLiveFrame();
    ShowAppMessage(messageId, MB_OK | MB_ICONERROR);
}

void CMainFrame::SetRemoteTopmost(bool topmost) {
    if (remote_ && deviceOpen() && remote_->IsVisible()) remote_->SetTopmost(topmost);
}

void CMainFrame::OnRemoteControl() {
    if (!remote_) return;
    if (remote_->IsVisible())
        remote_->HidePanel();
    else
        remote_->ShowPanel();
}

void CMainFrame::OnFileConversion() {
    SuspendLive();
    // On success the dialog asks for the resume itself as it closes.
    if (!CreateConverDlg()) ResumeLive();
}

bool CMainFrame::CreateConverDlg() {
    if (!conversion_) return false;
    return ModalEndedNormally(conversion_->DoModal(hwnd()), L"CMainFrame::CreateConverDlg");
}
