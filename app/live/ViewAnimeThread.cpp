#include "live/ViewAnimeThread.h"

#include "base/AppMessages.h"
#include "base/TraceLog.h"
#include "PendingRequests.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kReqSource = L"CViewAnimeThread::OnViewAnimeReq";

}  // namespace

CViewAnimeThread::CViewAnimeThread(device::IDeviceControl* device)
    : device_(device),
      stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      resume_(::CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}

CViewAnimeThread::~CViewAnimeThread() {
    // Its loop does not read messages; the stop event wakes it.
    StopRequests();
    EndAndJoin();
}

void CViewAnimeThread::Start(HWND completionWindow) {
    completionWindow_ = completionWindow;
    running_ = 1;
}

void CViewAnimeThread::StopRequests() {
    running_ = 0;
    ::SetEvent(stop_.get());
}

void CViewAnimeThread::PauseRequests() {
    if (pauses_++ == 0) ::ResetEvent(resume_.get());
}

void CViewAnimeThread::ResumeRequests() {
    if (pauses_ > 0 && --pauses_ == 0) ::SetEvent(resume_.get());
}

bool CViewAnimeThread::OnThreadMessage(UINT msg, WPARAM, LPARAM) {
    if (msg != WM_VIEW_ANIME_REQ) return false;
    OnViewAnimeReq();
    return true;
}

void CViewAnimeThread::OnViewAnimeReq() {
    bool failed = false;
    while (running_ && WaitUntilResumed()) {
        Sent sent = RequestFrame();
        if (sent != Sent::kAccepted) {
            failed = sent == Sent::kFailed;
            break;
        }
        if (!WaitForFrameTakenIn()) break;
    }
    if (failed && frameWindow_) ::PostMessageW(frameWindow_, WM_LIVE_FAILED, IDS_LIVE_FAILED, 0);
    // The decode thread ends first: it hands back what it holds while the
    // library still takes records.
    if (decodeThreadId_) ::PostThreadMessageW(decodeThreadId_, WM_QUIT, 0, 0);
    if (decodeThread_) ::WaitForSingleObject(decodeThread_, INFINITE);
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_QUIT, 0, 0);
}

CViewAnimeThread::Sent CViewAnimeThread::RequestFrame() {
    if (!device_) return Sent::kFailed;
    for (int errors = 1;; ++errors) {
        device::RequestHeader header = device::MakeRequest(device::kGetJpegImage);
        DWORD value = 0;
        DWORD detail = 0;
        if (device::PendingRequests::Shared().Send(*device_, completionWindow_, header, &value, &detail))
            return Sent::kAccepted;
        WriteTraceLog(kTraceApp, kReqSource,
                      L"The error occurred with the [bRequestAsync] function of Device control. Detailed Error "
                      L"Code[0x%08X] ErrorCount = %d",
                      static_cast<unsigned>(detail), errors);
        if (errors >= kRefusalLimit) return Sent::kFailed;
        if (!device_->IsConnect()) {
            WriteTraceLog(kTraceApp, kReqSource, L"Because the device was a unconnection, retrying was discontinued.");
            return Sent::kFailed;
        }
        if (StopWithin(kRetryPauseMs)) return Sent::kStopped;
    }
}

bool CViewAnimeThread::StopWithin(DWORD ms) { return ::WaitForSingleObject(stop_.get(), ms) == WAIT_OBJECT_0; }

bool CViewAnimeThread::WaitUntilResumed() {
    HANDLE waits[] = {stop_.get(), resume_.get()};
    return ::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

bool CViewAnimeThread::WaitForFrameTakenIn() {
    HANDLE waits[] = {frameReady_, stop_.get()};
    if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
        // Stopped with a request in flight: its completion is still awaited,
        // so the record comes back, but not for ever.
        if (::WaitForSingleObject(frameReady_, kStopWaitMs) != WAIT_OBJECT_0) {
            WriteTraceLog(kTraceApp, kReqSource,
                          L"The requested frame did not arrive within %u ms of the stop; the threads end without it.",
                          static_cast<unsigned>(kStopWaitMs));
            return false;
        }
    }
    ::ResetEvent(frameReady_);
    return true;
}
