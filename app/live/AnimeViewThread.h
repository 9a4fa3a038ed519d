#pragma once
// The live decode thread: a message loop that owns the hidden window
// receiving the camera's completions, and redraws the kept frame on request.
#include <windows.h>

#include <atomic>

#include "UiThread.h"
#include "live/ViewJpeg.h"

class ILiveFrameSink;

class CAnimeViewThread : public fw::UiThread {
public:
    CAnimeViewThread() = default;
    // Ends the thread first: its window object is a member.
    ~CAnimeViewThread() override;

    // Before the thread is resumed.
    void SetSink(ILiveFrameSink* sink) { viewJpeg_.SetSink(sink); }
    void SetFrameWindow(HWND frame) { viewJpeg_.SetFrameWindow(frame); }
    void SetFrameReadyEvent(HANDLE event) { viewJpeg_.SetFrameReadyEvent(event); }

    // Once the init-done event is set.
    bool windowCreated() const { return windowCreated_.load(); }
    HWND GetViewWindow() const { return viewJpeg_.hwnd(); }

    // Any thread: the kept frame through the view again.
    int DrawView() { return viewJpeg_.DrawView(); }
    const CViewJpeg& viewJpeg() const { return viewJpeg_; }

protected:
    bool OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int ExitInstance() override;

private:
    void OnInitViewWnd(HANDLE initDone, HWND frame);

    std::atomic<bool> windowCreated_{false};
    CViewJpeg viewJpeg_;
};
