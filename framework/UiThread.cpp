#include "UiThread.h"

#include <process.h>

namespace fw {

UiThread::~UiThread() { EndAndJoin(); }

bool UiThread::Create(int priority, unsigned stackSize) {
    if (thread_) return false;
    started_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    go_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!started_ || !go_) return false;
    unsigned id = 0;
    HANDLE thread =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, stackSize, Main, this, CREATE_SUSPENDED, &id));
    if (!thread) return false;
    thread_.reset(thread);
    id_ = id;
    ::SetThreadPriority(thread, priority);
    // A thread has no message queue until it makes one, and messages posted
    // before that are refused: it makes its queue first, then waits here
    // until it has been suspended again.
    ::ResumeThread(thread);
    HANDLE waits[] = {started_.get(), thread};
    if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) return false;
    ::SuspendThread(thread);
    ::SetEvent(go_.get());
    return true;
}

DWORD UiThread::Resume() { return thread_ ? ::ResumeThread(thread_.get()) : static_cast<DWORD>(-1); }

DWORD UiThread::Suspend() { return thread_ ? ::SuspendThread(thread_.get()) : static_cast<DWORD>(-1); }

void UiThread::ResumeFully() {
    for (DWORD previous = Resume(); previous != static_cast<DWORD>(-1) && previous > 1; previous = Resume()) {
    }
}

bool UiThread::Post(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return id_ != 0 && ::PostThreadMessageW(id_, msg, wParam, lParam) != FALSE;
}

bool UiThread::Join(DWORD ms) const {
    return !thread_ || ::WaitForSingleObject(thread_.get(), ms) == WAIT_OBJECT_0;
}

void UiThread::EndAndJoin(int exitCode) {
    if (!thread_) return;
    if (!HasEnded()) {
        ResumeFully();
        Post(WM_QUIT, static_cast<WPARAM>(exitCode));
        Join();
    }
}

DWORD UiThread::exitCode() const {
    DWORD code = 0;
    if (thread_ && !::GetExitCodeThread(thread_.get(), &code)) return 0;
    return code;
}

bool UiThread::OnThreadMessage(UINT, WPARAM, LPARAM) { return false; }

unsigned __stdcall UiThread::Main(void* self) {
    auto* thread = static_cast<UiThread*>(self);
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    ::SetEvent(thread->started_.get());
    ::WaitForSingleObject(thread->go_.get(), INFINITE);
    if (!thread->InitInstance()) return static_cast<unsigned>(thread->ExitInstance());
    return static_cast<unsigned>(thread->Run());
}

int UiThread::Run() {
    MSG msg;
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quitCode_ = static_cast<int>(msg.wParam);
            break;
        }
        if (got < 0) break;
        if (!msg.hwnd && OnThreadMessage(msg.message, msg.wParam, msg.lParam)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return ExitInstance();
}

}  // namespace fw
