#include "live/AnimeViewThread.h"

#include "base/AppMessages.h"
#include "base/TraceLog.h"

CAnimeViewThread::~CAnimeViewThread() { EndAndJoin(); }

bool CAnimeViewThread::OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INIT_VIEW_WND:
        OnInitViewWnd(reinterpret_cast<HANDLE>(wParam), reinterpret_cast<HWND>(lParam));
        return true;
    case WM_DRAW_VIEW:
        viewJpeg_.DrawView();
        return true;
    default:
        return false;
    }
}

void CAnimeViewThread::OnInitViewWnd(HANDLE initDone, HWND frame) {
    if (viewJpeg_.CreateHidden()) {
        viewJpeg_.SetFrameWindow(frame);
        windowCreated_ = true;
    } else {
        // The frame shows the message: a box from this thread would need the
        // user-interface thread, which is waiting for the event below.
        WriteTraceLog(kTraceApp, L"CAnimeViewThread::OnInitViewWnd", L"The error occurred with the [CreateEx()] function.");
    }
    if (initDone) ::SetEvent(initDone);
}

int CAnimeViewThread::ExitInstance() {
    // A completion the library posted before the window went is still queued;
    // one posted after it is refused and stays with the library.
    viewJpeg_.HandBackQueued();
    viewJpeg_.Destroy();
    viewJpeg_.HandBackQueued();
    viewJpeg_.ReleaseKeptRecord();
    return UiThread::ExitInstance();
}
