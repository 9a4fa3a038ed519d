#include "PendingRequests.h"

#include <algorithm>
#include <utility>

#include "Handles.h"

namespace device {

namespace {

constexpr DWORD kWritable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

}  // namespace

bool IsWritableMemory(const void* address, size_t size) {
    MEMORY_BASIC_INFORMATION info{};
    if (!address || !::VirtualQuery(address, &info, sizeof(info))) return false;
    if (info.State != MEM_COMMIT || !(info.Protect & kWritable) || (info.Protect & PAGE_GUARD)) return false;
    const auto begin = reinterpret_cast<uintptr_t>(address);
    const auto end = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    return begin + size >= begin && begin + size <= end;
}

bool PendingRequests::IsLibraryThread(DWORD id) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (id != 0 && id == libraryThread_) return true;
    }
    fw::Handle thread(::OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!thread || ::GetProcessIdOfThread(thread.get()) != ::GetCurrentProcessId()) return false;
    std::lock_guard<std::mutex> guard(lock_);
    libraryThread_ = id;
    libraryThreadHandle_ = std::move(thread);
    return true;
}

PendingRequests& PendingRequests::Shared() {
    static PendingRequests requests;
    return requests;
}

BOOL PendingRequests::Send(IDeviceControl& device, HWND target, const RequestHeader& request, DWORD* value,
                           DWORD* detail) {
    Expect(target, request.command);
    BOOL sent = device.bRequestAsync(target, &request, value, detail);
    if (!sent) Take(target, request.command);
    return sent;
}

ResponseRecord* PendingRequests::Claim(HWND target, WPARAM libraryThread, LPARAM record) {
    auto* response = reinterpret_cast<ResponseRecord*>(record);
    // Cheap checks first: a made-up pointer is read only once it is known to be readable.
    if (!response || reinterpret_cast<uintptr_t>(response) % alignof(ResponseRecord) != 0) return nullptr;
    if (!Outstanding(target) || !IsLibraryThread(static_cast<DWORD>(libraryThread))) return nullptr;
    if (!IsWritableMemory(response, sizeof(ResponseRecord))) return nullptr;
    return Take(target, response->code) ? response : nullptr;
}

void PendingRequests::Forget(HWND target) {
    std::lock_guard<std::mutex> guard(lock_);
    pending_.erase(std::remove_if(pending_.begin(), pending_.end(), [target](const Pending& p) { return p.target == target; }),
                   pending_.end());
}

size_t PendingRequests::Outstanding(HWND target) {
    std::lock_guard<std::mutex> guard(lock_);
    return static_cast<size_t>(
        std::count_if(pending_.begin(), pending_.end(), [target](const Pending& p) { return p.target == target; }));
}

void PendingRequests::Expect(HWND target, uint16_t command) {
    std::lock_guard<std::mutex> guard(lock_);
    pending_.push_back(Pending{target, command});
}

bool PendingRequests::Take(HWND target, uint16_t command) {
    std::lock_guard<std::mutex> guard(lock_);
    auto found = std::find_if(pending_.begin(), pending_.end(),
                              [&](const Pending& p) { return p.target == target && p.command == command; });
    if (found == pending_.end()) return false;
    pending_.erase(found);
    return true;
}

}  // namespace device
