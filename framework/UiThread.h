#pragma once
// A worker thread with its own message loop. The owner creates it (suspended,
// at a priority), resumes it, talks to it with thread messages and ends it
// with WM_QUIT, whose wParam becomes the exit code; the owner always joins it.
#include <windows.h>

#include "Handles.h"

namespace fw {

class UiThread {
public:
    UiThread() = default;
    // Ends and joins a thread that still runs. A derived class whose members
    // the thread uses must call EndAndJoin in its own destructor.
    virtual ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    // Starts the system thread and leaves it suspended at `priority`. Its
    // message queue exists on return, so messages posted before Resume wait
    // for it instead of being refused.
    bool Create(int priority = THREAD_PRIORITY_NORMAL, unsigned stackSize = 0);

    // The previous suspend count, or (DWORD)-1 without a thread.
    DWORD Resume();
    DWORD Suspend();
    // Resumes until the suspend count is 0.
    void ResumeFully();

    bool Post(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Waits up to `ms`; true once the thread has ended (or never existed).
    bool Join(DWORD ms = INFINITE) const;
    bool HasEnded() const { return Join(0); }
    // Resumes, posts WM_QUIT with `exitCode` and waits without a limit.
    void EndAndJoin(int exitCode = 0);

    HANDLE handle() const { return thread_.get(); }
    DWORD id() const { return id_; }
    // STILL_ACTIVE while it runs.
    DWORD exitCode() const;

protected:
    // On the thread, before the loop; false ends the thread with ExitInstance's code.
    virtual bool InitInstance() { return true; }
    // On the thread, after the loop; the result is the thread's exit code.
    virtual int ExitInstance() { return quitCode_; }
    // A message posted to the thread rather than to one of its windows;
    // false leaves it unhandled.
    virtual bool OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    int quitCode() const { return quitCode_; }

private:
    static unsigned __stdcall Main(void* self);
    int Run();

    Handle thread_;
    DWORD id_ = 0;
    Handle started_;
    Handle go_;
    int quitCode_ = 0;
};

}  // namespace fw
