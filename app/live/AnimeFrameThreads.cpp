// The live frame's side of the request and decode threads.
#include "live/AnimeFrame.h"
#include "live/AnimeView.h"
#include "live/AnimeViewThread.h"
#include "base/ControlDialog.h"
#include "base/AppMessages.h"
#include "base/AppServices.h"
#include "live/ViewAnimeThread.h"
#include "resource.h"

int CAnimeFrame::PlaySemiAnimation() {
    if (requestThread_) return 1;
    CAnimeView* view = animeView();
    if (view && host_) view->SetDecodeScale(LiveDenominator());
    LiveStart start{AppDeviceControl(), view, hwnd()};
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
