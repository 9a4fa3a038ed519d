#include "live/LiveThreads.h"

#include <new>
#include <utility>

#include "base/AppMessages.h"
#include "base/TraceLog.h"
#include "live/AnimeViewThread.h"
#include "live/ViewAnimeThread.h"

namespace {

constexpr const wchar_t* kPlaySource = L"CAnimeFrame::PlaySemiAnimation";
constexpr const wchar_t* kStopSource = L"CAnimeFrame::StopSemiAnimation";
// Time the request thread gets to end beyond its own wait for the request in flight.
constexpr DWORD kEndMarginMs = 2000;

// Waits for one of `handles` while running the messages other threads send to
// this one: the live threads send to the user-interface thread's windows (the
// pause) and would wait for it forever. Posted input stays queued, so no
// handler runs in the middle of a start or a stop.
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

fw::Handle MakeEvent(const wchar_t* step) {
    fw::Handle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event) WriteTraceLogLastError(kTraceApp, kPlaySource, step);
    return event;
}

// Both threads, made and still suspended; whatever was made ends with the pair.
struct ThreadPair {
    std::unique_ptr<CViewAnimeThread> request;
    std::unique_ptr<CAnimeViewThread> decode;

    bool Make(device::IDeviceControl* device) {
        try {
            request = std::make_unique<CViewAnimeThread>(device);
            decode = std::make_unique<CAnimeViewThread>();
        } catch (const std::bad_alloc&) {
            WriteTraceLogNoMemory(kTraceApp, kPlaySource, L"new CViewAnimeThread");
            return false;
        }
        if (!request->eventsMade() || !request->Create(THREAD_PRIORITY_LOWEST)) {
            WriteTraceLog(kTraceApp, kPlaySource, L"The error occurred with the [AfxBeginThread()(1)] function.");
            return false;
        }
        if (!decode->Create(THREAD_PRIORITY_LOWEST)) {
            WriteTraceLog(kTraceApp, kPlaySource, L"The error occurred with the [AfxBeginThread()(2)] function.");
            return false;
        }
        return true;
    }
};

// Runs the decode thread until its hidden window exists; false when it did not come.
bool RunDecodeThread(CAnimeViewThread& decode, const LiveStart& start, HANDLE frameReady, HANDLE initDone) {
    decode.SetSink(start.sink);
    decode.SetFrameWindow(start.frameWindow);
    decode.SetFrameReadyEvent(frameReady);
    decode.Resume();
    decode.Post(WM_INIT_VIEW_WND, reinterpret_cast<WPARAM>(initDone), reinterpret_cast<LPARAM>(start.frameWindow));
    // The decode thread's end also ends the wait, should it never get that far.
    HANDLE waits[] = {initDone, decode.handle()};
    WaitRunningSentMessages(waits, 2, INFINITE);
    return decode.windowCreated();
}

void RunRequestThread(CViewAnimeThread& request, const CAnimeViewThread& decode, HWND frameWindow,
                      HANDLE frameReady) {
    request.SetFrameReadyEvent(frameReady);
    request.Start(decode.GetViewWindow());
    request.SetDecodeThread(decode.id(), decode.handle());
    request.SetFrameWindow(frameWindow);
    request.Resume();
    request.Post(WM_VIEW_ANIME_REQ);
}

void EndRequestThread(CViewAnimeThread& request) {
    request.StopRequests();
    request.ResumeFully();
    const DWORD limit = CViewAnimeThread::kStopWaitMs + kEndMarginMs;
    if (WaitForThread(request.handle(), limit)) return;
    // Only a call into the device library that never returns keeps it: the
    // last resort, so the application can still close.
    WriteTraceLog(kTraceApp, kStopSource, L"The request thread did not end within %u ms of the stop and was terminated.",
                  static_cast<unsigned>(limit));
    ::TerminateThread(request.handle(), 1);
    ::WaitForSingleObject(request.handle(), INFINITE);
}

void EndDecodeThread(CAnimeViewThread& decode) {
    if (decode.HasEnded()) return;  // the request thread ends it, unless it was terminated
    decode.ResumeFully();
    decode.Post(WM_QUIT);
    WaitForThread(decode.handle(), INFINITE);
}

}  // namespace

CLiveThreads::CLiveThreads() = default;

CLiveThreads::~CLiveThreads() { Stop(); }

int CLiveThreads::Start(const LiveStart& start) {
    if (running()) return 1;
    if (!start.device) {
        WriteTraceLog(kTraceApp, kPlaySource, L"The error occurred with the [deviceControl()] function.");
        return 0;
    }
    // Declared before the threads, so a failed start ends them before it closes the events.
    fw::Handle ready = MakeEvent(L"CreateEvent()[1]");
    if (!ready) return 0;
    fw::Handle initDone = MakeEvent(L"CreateEvent()[2]");
    if (!initDone) return 0;
    ThreadPair pair;
    if (!pair.Make(start.device)) return 0;
    if (!RunDecodeThread(*pair.decode, start, ready.get(), initDone.get())) {
        WriteTraceLog(kTraceApp, kPlaySource, L"Initialization error of data demand thread.");
        return 0;
    }
    RunRequestThread(*pair.request, *pair.decode, start.frameWindow, ready.get());
    // Kept only now: a stop run by a message sent during the wait above finds nothing half made.
    frameReady_ = std::move(ready);
    request_ = std::move(pair.request);
    decode_ = std::move(pair.decode);
    return 1;
}

void CLiveThreads::Stop() {
    // Taken out first, so that a stop run by a message sent during the wait
    // finds nothing to stop; the event, declared first, goes last.
    fw::Handle ready = std::move(frameReady_);
    std::unique_ptr<CViewAnimeThread> request = std::move(request_);
    std::unique_ptr<CAnimeViewThread> decode = std::move(decode_);
    if (!request) return;
    EndRequestThread(*request);
    if (decode) EndDecodeThread(*decode);
}

void CLiveThreads::Pause() {
    if (request_) request_->PauseRequests();
}

void CLiveThreads::Resume() {
    if (request_) request_->ResumeRequests();
}

int CLiveThreads::RedrawKeptFrame() { return decode_ ? decode_->DrawView() : 0; }

void CLiveThreads::PostRedrawKeptFrame() {
    if (decode_) decode_->Post(WM_DRAW_VIEW);
}
