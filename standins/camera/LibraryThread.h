#pragma once
// The library's own thread: a message loop that runs queued jobs when they
// are due (completions of asynchronous requests), takes response records
// back (WM_DEVICE_RESPONSE_RELEASE) and wakes for the control channel's event.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <queue>
#include <vector>

#include "Handles.h"

namespace device {
struct ResponseRecord;
}

namespace standin {

class LibraryThreadOwner {
public:
    virtual void OnRecordReturned(device::ResponseRecord* record) = 0;
    virtual void OnControlSignal() = 0;

protected:
    ~LibraryThreadOwner() = default;
};

class LibraryThread {
public:
    using Job = std::function<void()>;

    LibraryThread(LibraryThreadOwner& owner, HANDLE controlEvent);
    ~LibraryThread();  // stops and joins
    LibraryThread(const LibraryThread&) = delete;
    LibraryThread& operator=(const LibraryThread&) = delete;

    bool Start();
    void Stop();
    DWORD id() const { return id_; }
    // Runs `job` on the thread once GetTickCount64() reaches `dueMs`; jobs
    // due at the same time run in the order they were queued.
    bool Queue(ULONGLONG dueMs, Job job);

private:
    struct Pending {
        ULONGLONG due;
        uint64_t order;
        Job job;
        bool operator>(const Pending& o) const { return due != o.due ? due > o.due : order > o.order; }
    };

    static unsigned __stdcall Main(void* self);
    void Loop();
    bool PumpMessages();  // false once asked to stop
    void RunDueJobs();
    DWORD MsUntilNextJob();

    LibraryThreadOwner& owner_;
    HANDLE controlEvent_;
    fw::Handle thread_;
    fw::Handle ready_;
    DWORD id_ = 0;
    std::mutex lock_;
    std::priority_queue<Pending, std::vector<Pending>, std::greater<Pending>> jobs_;
    uint64_t queued_ = 0;
};

}  // namespace standin
