#pragma once
// The live request thread: one asynchronous frame request at a time, the next
// one as soon as the decode window has taken the previous completion in.
#include <windows.h>

#include <atomic>

#include "DeviceControl.h"
#include "Handles.h"
#include "UiThread.h"

class CViewAnimeThread : public fw::UiThread {
public:
    // Refused requests in a row that end the live picture, and the pause between them.
    static constexpr int kRefusalLimit = 3;
    static constexpr DWORD kRetryPauseMs = 100;
    // How long a stop waits for the completion of the request in flight.
    static constexpr DWORD kStopWaitMs = 5000;

    explicit CViewAnimeThread(device::IDeviceControl* device);
    ~CViewAnimeThread() override;
    // False when the thread's own events could not be made.
    bool eventsMade() const { return stop_ && resume_; }

    // Before the thread is resumed.
    void SetFrameReadyEvent(HANDLE event) { frameReady_ = event; }
    void SetDecodeThread(DWORD id, HANDLE handle) {
        decodeThreadId_ = id;
        decodeThread_ = handle;
    }
    void SetFrameWindow(HWND frame) { frameWindow_ = frame; }
    void Start(HWND completionWindow);

    // From the user-interface thread. The stop takes effect once the request
    // in flight has completed, or after kStopWaitMs without its completion.
    void StopRequests();
    // Counted like thread suspension: requests go on after as many resumes
    // as pauses. A pause holds the loop before its next request, never
    // inside the device library.
    void PauseRequests();
    void ResumeRequests();

protected:
    bool OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    enum class Sent { kAccepted, kFailed, kStopped };
    void OnViewAnimeReq();
    Sent RequestFrame();
    bool WaitUntilResumed();
    bool WaitForFrameTakenIn();
    // Waits up to `ms` for the stop; true when it came.
    bool StopWithin(DWORD ms);

    device::IDeviceControl* device_;
    HWND completionWindow_ = nullptr;
    HWND frameWindow_ = nullptr;
    DWORD decodeThreadId_ = 0;
    HANDLE decodeThread_ = nullptr;  // the decode thread object's
    HANDLE frameReady_ = nullptr;    // the frame's
    std::atomic<int> running_{0};
    fw::Handle stop_;    // set once by StopRequests
    fw::Handle resume_;  // set while not paused
    int pauses_ = 0;     // user-interface thread only
};
