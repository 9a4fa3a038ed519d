// The live frame's side of the request and decode threads.
#include "AnimeFrame.h"
#include "AnimeView.h"
#include "AnimeViewThread.h"
#include "ControlDialog.h"
#include "LiveMessages.h"
#include "MainFrame.h"
#include "PictavoApp.h"
#include "ViewAnimeThread.h"
#include "resource.h"

int CAnimeFrame::PlaySemiAnimation() {
    if (requestThread_) return 1;
    CAnimeView* view = animeView();
    if (view && GetMainFrame()) view->SetDecodeScale(GetMainFrame()->liveDenominator());
    LiveStart start{PictavoApp() ? PictavoApp()->deviceControl() : nullptr, view, hwnd()};
    if (StartLiveThreads(start, requestThread_, decodeThread_, frameReady_)) return 1;
    ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    return 0;
}

void CAnimeFrame::StopSemiAnimation() { StopLiveThreads(requestThread_, decodeThread_, frameReady_); }

void CAnimeFrame::SuspendRequests() {
    if (requestThread_) requestThread_->PauseRequests();
}

void CAnimeFrame::ResumeRequests() {
    if (requestThread_) requestThread_->ResumeRequests();
}

void CAnimeFrame::RedrawKeptFrame() {
    if (decodeThread_) decodeThread_->DrawView();
}

void CAnimeFrame::PostRedrawKeptFrame() {
    if (decodeThread_) decodeThread_->Post(WM_DRAW_VIEW);
}
