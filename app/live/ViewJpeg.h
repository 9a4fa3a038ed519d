#pragma once
// The decode thread's hidden window: it receives every completed live-frame
// request, lets the request thread send the next one, decodes the frame into
// the live picture and keeps the last response record for redrawing.
#include <windows.h>

#include <atomic>

#include "DeviceProtocol.h"
#include "Handles.h"
#include "Window.h"

class ILiveFrameSink;

class CViewJpeg : public fw::Window {
public:
    static constexpr const wchar_t* kClassName = L"PictavoViewJpeg";
    // Consecutive failures of one kind that end the live picture.
    static constexpr int kFailureLimit = 3;

    CViewJpeg() = default;
    // Hands the kept record back.
    ~CViewJpeg() override;

    // Makes the never-shown window on the calling thread, which then owns it.
    bool CreateHidden();
    void Destroy();

    void SetSink(ILiveFrameSink* sink) { sink_ = sink; }
    void SetFrameWindow(HWND frame) { frameWindow_ = frame; }
    void SetFrameReadyEvent(HANDLE event) { frameReady_ = event; }

    // WM_DEVICE_REQUEST_COMPLETE: wParam the library thread, lParam the record.
    LRESULT OnRequestComp(WPARAM threadId, LPARAM recordParam);
    // Decodes and draws the kept frame again, on any thread; 1 when there
    // was one to hand to the view.
    int DrawView();
    void ReleaseKeptRecord();
    // Completions still queued on this thread after its loop has ended: each
    // is handed back, none decoded.
    void HandBackQueued();

    bool stopped() const { return stopped_.load(); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void SetFrameReady();
    void DecodeFrame(const device::ResponseRecord& record);
    void OnFailedResponse(const device::ResponseRecord& record);
    // Hands the kept record back and keeps `record` in its place.
    void Keep(DWORD threadId, device::ResponseRecord* record);
    void PostToFrame(UINT msg, WPARAM wParam);

    ILiveFrameSink* sink_ = nullptr;
    HWND frameWindow_ = nullptr;
    HANDLE frameReady_ = nullptr;  // the frame's
    std::atomic<bool> stopped_{false};
    DWORD keptThreadId_ = 0;
    device::ResponseRecord* kept_ = nullptr;
    fw::CriticalSection keptLock_;
    int decodeErrors_ = 0;
    int responseErrors_ = 0;
    // Still set at the next completion only when a decode never came back to
    // the loop: the live picture is then paused.
    std::atomic<bool> decoding_{false};
};

// A response carrying a frame: a data response the camera reports as successful.
bool IsFrameResponse(const device::ResponseRecord& record);
// Frees a record's data and posts the record back to the library thread that issued it.
bool HandBackRecord(DWORD threadId, device::ResponseRecord* record);
