#include "LibraryThread.h"

#include <process.h>

#include "DeviceControl.h"
#include "DeviceProtocol.h"

namespace standin {

namespace {
constexpr UINT kWakeMessage = WM_APP + 1;  // a job was queued
constexpr UINT kStopMessage = WM_APP + 2;
}  // namespace

LibraryThread::LibraryThread(LibraryThreadOwner& owner, HANDLE controlEvent)
    : owner_(owner), controlEvent_(controlEvent) {}

LibraryThread::~LibraryThread() { Stop(); }

bool LibraryThread::Start() {
    ready_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ready_) return false;
    unsigned id = 0;
    thread_.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Main, this, 0, &id)));
    if (!thread_) return false;
    id_ = id;
    // Thread messages posted before the thread has a queue would be lost.
    ::WaitForSingleObject(ready_.get(), INFINITE);
    return true;
}

void LibraryThread::Stop() {
    if (!thread_) return;
    ::PostThreadMessageW(id_, kStopMessage, 0, 0);
    ::WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
}

bool LibraryThread::Queue(ULONGLONG dueMs, Job job) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        jobs_.push(Pending{dueMs, queued_++, std::move(job)});
    }
    return ::PostThreadMessageW(id_, kWakeMessage, 0, 0) != FALSE;
}

unsigned __stdcall LibraryThread::Main(void* self) {
    auto* thread = static_cast<LibraryThread*>(self);
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // creates the queue
    ::SetEvent(thread->ready_.get());
    thread->Loop();
    return 0;
}

void LibraryThread::Loop() {
    for (;;) {
        DWORD count = controlEvent_ ? 1 : 0;
        DWORD woke = ::MsgWaitForMultipleObjectsEx(count, &controlEvent_, MsUntilNextJob(), QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
        if (count && woke == WAIT_OBJECT_0) owner_.OnControlSignal();
        if (!PumpMessages()) break;
        RunDueJobs();
    }
    // Records handed back before the stop are still taken.
    PumpMessages();
    std::lock_guard<std::mutex> guard(lock_);
    jobs_ = {};
}

bool LibraryThread::PumpMessages() {
    bool running = true;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == device::WM_DEVICE_RESPONSE_RELEASE && !msg.hwnd)
            owner_.OnRecordReturned(reinterpret_cast<device::ResponseRecord*>(msg.lParam));
        else if (msg.message == kStopMessage && !msg.hwnd)
            running = false;
        else
            ::DispatchMessageW(&msg);
    }
    return running;
}

void LibraryThread::RunDueJobs() {
    for (;;) {
        Job job;
        {
            std::lock_guard<std::mutex> guard(lock_);
            if (jobs_.empty() || jobs_.top().due > ::GetTickCount64()) return;
            job = std::move(const_cast<Pending&>(jobs_.top()).job);
            jobs_.pop();
        }
        job();
    }
}

DWORD LibraryThread::MsUntilNextJob() {
    std::lock_guard<std::mutex> guard(lock_);
    if (jobs_.empty()) return INFINITE;
    ULONGLONG now = ::GetTickCount64();
    return jobs_.top().due <= now ? 0 : static_cast<DWORD>(jobs_.top().due - now);
}

}  // namespace standin
