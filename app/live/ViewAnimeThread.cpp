#include "live/ViewAnimeThread.h"

#include <new>
#include <utility>

#include "live/AnimeViewThread.h"
#include "base/AppMessages.h"
#include "base/TraceLog.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kReqSource = L"CViewAnimeThread::OnViewAnimeReq";
constexpr const wchar_t* kPlaySource = L"CAnimeFrame::PlaySemiAnimation";
constexpr const wchar_t* kStopSource = L"CAnimeFrame::StopSemiAnimation";
// Time the request thread gets to end beyond its own wait for the request in flight.
constexpr DWORD kEndMarginMs = 2000;

// Waits for one of `handles` while running the messages other threads send to
// this one: the live threads send to the user-interface thread's windows (the
// pause, the synchronous repaint) and would wait for it forever. Posted input
// stays queued, so no handler runs in the middle of a start or a stop.
DWORD WaitRunningSentMessages(const HANDLE* handles, DWORD count, DWORD ms) {
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        DWORD left = INFINITE;
        if (ms != INFINITE) {
            ULONGLONG spent = ::GetTickCount64() - start;
            left = spent >= ms ? 0 : static_cast<DWORD>(ms - spent);
        }
        DWORD woke = ::MsgWaitForMultipleObjects(count, handles, FALSE, left, QS_SENDMESSAGE);
        if (woke != WAIT_OBJECT_0 + count) return woke;
    }
}

bool WaitForThread(HANDLE thread, DWORD ms) { return WaitRunningSentMessages(&thread, 1, ms) == WAIT_OBJECT_0; }

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
        if (device_->bRequestAsync(completionWindow_, &header, &value, &detail)) return Sent::kAccepted;
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

int StartLiveThreads(const LiveStart& start, std::unique_ptr<CViewAnimeThread>& request,
                     std::unique_ptr<CAnimeViewThread>& decode, HANDLE& frameReady) {
    if (request) return 1;
    if (!start.device) {
        WriteTraceLog(kTraceApp, kPlaySource, L"The error occurred with the [deviceControl()] function.");
        return 0;
    }
    fw::Handle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ready) {
        WriteTraceLogLastError(kTraceApp, kPlaySource, L"CreateEvent()[1]");
        return 0;
    }
    fw::Handle initDone(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!initDone) {
        WriteTraceLogLastError(kTraceApp, kPlaySource, L"CreateEvent()[2]");
        return 0;
    }
    std::unique_ptr<CViewAnimeThread> requester;
    std::unique_ptr<CAnimeViewThread> decoder;
    try {
        requester = std::make_unique<CViewAnimeThread>(start.device);
        decoder = std::make_unique<CAnimeViewThread>();
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, kPlaySource, L"new CViewAnimeThread");
        return 0;
    }
    if (!requester->eventsMade() || !requester->Create(THREAD_PRIORITY_LOWEST)) {
        WriteTraceLog(kTraceApp, kPlaySource, L"The error occurred with the [AfxBeginThread()(1)] function.");
        return 0;
    }
    if (!decoder->Create(THREAD_PRIORITY_LOWEST)) {
        requester->EndAndJoin();
        WriteTraceLog(kTraceApp, kPlaySource, L"The error occurred with the [AfxBeginThread()(2)] function.");
        return 0;
    }
    decoder->SetSink(start.sink);
    decoder->SetFrameWindow(start.frameWindow);
    decoder->SetFrameReadyEvent(ready.get());
    requester->SetFrameReadyEvent(ready.get());

    decoder->Resume();
    decoder->Post(WM_INIT_VIEW_WND, reinterpret_cast<WPARAM>(initDone.get()),
                  reinterpret_cast<LPARAM>(start.frameWindow));
    // The decode thread's end also ends the wait, should it never get that far.
    HANDLE waits[] = {initDone.get(), decoder->handle()};
    WaitRunningSentMessages(waits, 2, INFINITE);
    initDone.reset();

    if (!decoder->windowCreated()) {
        requester->EndAndJoin();
        decoder->EndAndJoin();
        WriteTraceLog(kTraceApp, kPlaySource, L"Initialization error of data demand thread.");
        return 0;
    }
    requester->Start(decoder->GetViewWindow());
    requester->SetDecodeThread(decoder->id(), decoder->handle());
    requester->SetFrameWindow(start.frameWindow);
    requester->Resume();
    requester->Post(WM_VIEW_ANIME_REQ);
    request = std::move(requester);
    decode = std::move(decoder);
    frameReady = ready.release();
    return 1;
}

void StopLiveThreads(std::unique_ptr<CViewAnimeThread>& request, std::unique_ptr<CAnimeViewThread>& decode,
                     HANDLE& frameReady) {
    // Taken from the caller first: a handler run during the wait that stops
    // again finds nothing to stop.
    std::unique_ptr<CViewAnimeThread> requester = std::move(request);
    std::unique_ptr<CAnimeViewThread> decoder = std::move(decode);
    fw::Handle ready(std::exchange(frameReady, nullptr));
    if (!requester) return;
    requester->StopRequests();
    requester->ResumeFully();
    if (!WaitForThread(requester->handle(), CViewAnimeThread::kStopWaitMs + kEndMarginMs)) {
        // Only a call into the device library that never returns keeps it:
        // the last resort, so the application can still close.
        WriteTraceLog(kTraceApp, kStopSource,
                      L"The request thread did not end within %u ms of the stop and was terminated.",
                      static_cast<unsigned>(CViewAnimeThread::kStopWaitMs + kEndMarginMs));
        ::TerminateThread(requester->handle(), 1);
        ::WaitForSingleObject(requester->handle(), INFINITE);
    }
    if (decoder && !decoder->HasEnded()) {  // the request thread ends it, unless it was terminated
        decoder->ResumeFully();
        decoder->Post(WM_QUIT);
        WaitForThread(decoder->handle(), INFINITE);
    }
    // Both have ended: the event goes last, when the objects are gone.
    requester.reset();
    decoder.reset();
}
