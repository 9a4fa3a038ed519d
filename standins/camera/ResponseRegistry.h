#pragma once
// The response records handed to callers. Each comes back once through
// WM_DEVICE_RESPONSE_RELEASE and is freed then; a record handed back twice,
// or one this camera never issued, is counted and logged but never freed.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <unordered_set>

#include "ControlBlock.h"
#include "DeviceProtocol.h"

namespace standin {

class ResponseRegistry {
public:
    explicit ResponseRegistry(ControlBlock& counters) : counters_(counters) {}
    ~ResponseRegistry();
    ResponseRegistry(const ResponseRegistry&) = delete;
    ResponseRegistry& operator=(const ResponseRegistry&) = delete;

    // Takes ownership of `data` (a movable global block, or null); null when out of memory.
    device::ResponseRecord* Issue(uint16_t code, int32_t status, HGLOBAL data, uint32_t size, bool carriesData);
    // A record back from its receiver, who has freed its data already.
    bool TakeBack(device::ResponseRecord* record);
    // A record that never reached a receiver: frees its data as well.
    void Discard(device::ResponseRecord* record);

private:
    bool Forget(device::ResponseRecord* record);

    ControlBlock& counters_;
    std::mutex lock_;
    std::unordered_set<device::ResponseRecord*> issued_;
};

}  // namespace standin
