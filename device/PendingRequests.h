#pragma once
// The asynchronous camera requests this process has sent and not yet had
// answered. A completion message carries a record pointer any program could
// have posted; only one that answers a request still outstanding for its
// window, from a thread of this process, is taken as a record.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <vector>

#include "DeviceProtocol.h"
#include "Handles.h"

namespace device {

class PendingRequests {
public:
    // The one list of the process: requests go out on one thread and complete on another.
    static PendingRequests& Shared();

    // bRequestAsync to `target`. Noted before it goes out, as the completion
    // may be handled on another thread before the call returns; forgotten when refused.
    BOOL Send(IDeviceControl& device, HWND target, const RequestHeader& request, DWORD* value, DWORD* detail);
    // The completion's record when it answers an outstanding request to
    // `target`, which then counts as answered; null when it is none of ours
    // and must not be touched.
    ResponseRecord* Claim(HWND target, WPARAM libraryThread, LPARAM record);
    // Notes a request to `target` sent by other means.
    void Expect(HWND target, uint16_t command);
    // A window that is gone gets no more completions.
    void Forget(HWND target);
    size_t Outstanding(HWND target);

private:
    struct Pending {
        HWND target;
        uint16_t command;
    };
    bool Take(HWND target, uint16_t command);
    bool IsLibraryThread(DWORD id);

    std::mutex lock_;
    std::vector<Pending> pending_;
    // The last thread found to be this process's, with a handle held open:
    // while it is, the thread's id names no other thread, so the check (three
    // calls into the system) is made once and not for every completion.
    DWORD libraryThread_ = 0;
    fw::Handle libraryThreadHandle_;
};

// True when [address, address + size) lies in committed, writable memory of this process.
bool IsWritableMemory(const void* address, size_t size);

}  // namespace device
