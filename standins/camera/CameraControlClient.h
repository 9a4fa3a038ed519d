#pragma once
// Client of a loaded camera stand-in's control channel, for tests (in the
// same process or another) and for the KorvoCameraControl tool. Header only.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ControlBlock.h"

namespace standin {

struct CameraCounters {
    LONG requests, refused, frames, failed;
    LONG recordsIssued, recordsReturned, recordsOutstanding, badReturns;
    bool attached, cardInserted;
};

struct LoggedRequest {
    LONG number;  // 1 for the camera's first request
    uint16_t command;
    uint32_t parameter;
};

class CameraControlClient {
public:
    // The camera object of process `processId` (this process by default).
    explicit CameraControlClient(DWORD processId = ::GetCurrentProcessId()) {
        mapping_ = ::OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, ControlBlockName(processId).c_str());
        if (mapping_)
            block_ = static_cast<ControlBlock*>(
                ::MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ControlBlock)));
        wake_ = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, ControlEventName(processId).c_str());
    }
    ~CameraControlClient() {
        if (block_) ::UnmapViewOfFile(block_);
        if (mapping_) ::CloseHandle(mapping_);
        if (wake_) ::CloseHandle(wake_);
    }
    CameraControlClient(const CameraControlClient&) = delete;
    CameraControlClient& operator=(const CameraControlClient&) = delete;

    // True while a camera object serves the channel.
    bool connected() const { return block_ && wake_ && block_->magic == kControlMagic && block_->owner != 0; }

    // Fault counters: each applies to that many of the next requests or responses.
    void RefuseRequests(LONG n) { Set(&ControlBlock::refuseRequests, n); }
    void FailResponses(LONG n) { Set(&ControlBlock::failResponses, n); }
    void CorruptFrames(LONG n) { Set(&ControlBlock::corruptFrames, n); }
    void EmptyFrames(LONG n) { Set(&ControlBlock::emptyFrames, n); }
    void FailCardWrites(LONG n) { Set(&ControlBlock::failCardWrites, n); }
    void LockCardWrites(LONG n) { Set(&ControlBlock::lockCardWrites, n); }
    void SetDelay(LONG ms) { Set(&ControlBlock::delayMs, ms); }
    void SetFrameRate(LONG perSecond) { Set(&ControlBlock::frameRate, perSecond); }

    // Changes of state wait (up to `ms`) until the camera has acted on them
    // and sent its notifications.
    bool Plug(DWORD ms = 5000) { return Want(&ControlBlock::wantAttached, 1, ms); }
    bool Unplug(DWORD ms = 5000) { return Want(&ControlBlock::wantAttached, 0, ms); }
    bool InsertCard(DWORD ms = 5000) { return Want(&ControlBlock::wantCard, 1, ms); }
    bool RemoveCard(DWORD ms = 5000) { return Want(&ControlBlock::wantCard, 0, ms); }

    CameraCounters Counters() const {
        CameraCounters c{};
        if (!block_) return c;
        c.requests = block_->requests;
        c.refused = block_->refused;
        c.frames = block_->frames;
        c.failed = block_->failed;
        c.recordsIssued = block_->recordsIssued;
        c.recordsReturned = block_->recordsReturned;
        c.recordsOutstanding = block_->recordsOutstanding;
        c.badReturns = block_->badReturns;
        c.attached = block_->attached != 0;
        c.cardInserted = block_->cardInserted != 0;
        return c;
    }

    // Requests received so far, the number of the latest one.
    LONG RequestsLogged() const { return block_ ? block_->requestsLogged : 0; }
    // The requests numbered after `after` that the log still holds, oldest first.
    std::vector<LoggedRequest> RecentRequests(LONG after = 0) const {
        std::vector<LoggedRequest> out;
        if (!block_) return out;
        // 64-bit arithmetic: a count written near a limit neither overflows nor
        // indexes outside the ring; a negative one lists nothing.
        long long last = block_->requestsLogged;
        long long first = std::max<long long>({1, static_cast<long long>(after) + 1, last - kRequestLogSize + 1});
        for (long long n = first; n <= last; ++n) {
            const RequestLogEntry& e = block_->requestLog[(n - 1) % kRequestLogSize];
            // Read between two looks at its number, so a rewrite in between shows.
            if (e.number != n) continue;
            LoggedRequest r{static_cast<LONG>(n), static_cast<uint16_t>(e.command), static_cast<uint32_t>(e.parameter)};
            if (e.number == n) out.push_back(r);
        }
        return out;
    }

private:
    void Set(volatile LONG ControlBlock::*field, LONG value) {
        if (block_) ::InterlockedExchange(&(block_->*field), value);
    }

    bool Want(volatile LONG ControlBlock::*field, LONG value, DWORD ms) {
        if (!connected()) return false;
        ::InterlockedExchange(&(block_->*field), value);
        LONG seq = ::InterlockedIncrement(&block_->commandSeq);
        ::SetEvent(wake_);
        for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < ms; ::Sleep(5))
            if (static_cast<LONG>(static_cast<ULONG>(block_->appliedSeq) - static_cast<ULONG>(seq)) >= 0) return true;
        return false;
    }

    HANDLE mapping_ = nullptr;
    HANDLE wake_ = nullptr;
    ControlBlock* block_ = nullptr;
};

}  // namespace standin
