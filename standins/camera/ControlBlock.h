#pragma once
// The control channel of a loaded camera stand-in: one named shared-memory
// block and one named wake-up event per process that holds the camera
// object, so a test in the same process, a test in another process or the
// KorvoCameraControl tool can inject faults and read counters while a program
// runs. Every field is a 32-bit value changed only with interlocked
// operations; the layout is the same for x86 and x64 processes. Any process
// of the user may write any value, so every field is checked where it is read.
#include <windows.h>

#include <string>

namespace standin {

constexpr LONG kControlMagic = 0x4D41434B;  // "KCAM"
constexpr LONG kRequestLogSize = 64;
constexpr LONG kMaxDelayMs = 60000;
constexpr LONG kMaxFrameRate = 1000;

// One request as the camera received it. `number` counts the requests from 1;
// it is 0 while the entry is being rewritten.
struct RequestLogEntry {
    volatile LONG number;
    volatile LONG command;
    volatile LONG parameter;
};

struct ControlBlock {
    volatile LONG magic;
    volatile LONG owner;  // nonzero while a camera object serves the block
    volatile LONG generation;

    // Written by clients; the camera counts the fault counters down as it uses them.
    volatile LONG refuseRequests;
    volatile LONG failResponses;
    volatile LONG corruptFrames;
    volatile LONG emptyFrames;
    volatile LONG failCardWrites;  // the card stops half-way through a file
    volatile LONG lockCardWrites;  // the card answers "locked image" to a write
    volatile LONG delayMs;
    volatile LONG frameRate;  // frames per second, 0 = unpaced
    volatile LONG wantAttached;
    volatile LONG wantCard;
    volatile LONG commandSeq;  // raised after a change of the wanted states

    // Written by the camera.
    volatile LONG appliedSeq;
    volatile LONG attached;
    volatile LONG cardInserted;
    volatile LONG requests;  // every request call, packets included
    volatile LONG refused;
    volatile LONG frames;    // JPEG frames handed out
    volatile LONG failed;    // responses failed on purpose
    volatile LONG recordsIssued;
    volatile LONG recordsReturned;
    volatile LONG recordsOutstanding;
    volatile LONG badReturns;  // records handed back twice or never issued

    // Every request that carries a header, refused ones included; the ring
    // keeps the last kRequestLogSize of them.
    volatile LONG requestsLogged;
    RequestLogEntry requestLog[kRequestLogSize];
};
// Reset copies the block as a run of LONGs.
static_assert(sizeof(ControlBlock) % sizeof(LONG) == 0, "the control block is made of LONGs only");

inline std::wstring ControlBlockName(DWORD processId) {
    return L"Local\\KorvoDocCameraIM.Control." + std::to_wstring(processId);
}

inline std::wstring ControlEventName(DWORD processId) {
    return L"Local\\KorvoDocCameraIM.Wake." + std::to_wstring(processId);
}

inline void LogRequest(ControlBlock& block, LONG command, LONG parameter) {
    LONG number = ::InterlockedIncrement(&block.requestsLogged);
    // Unsigned, so a count written negative still lands inside the ring.
    RequestLogEntry& entry = block.requestLog[(static_cast<ULONG>(number) - 1u) % kRequestLogSize];
    ::InterlockedExchange(&entry.number, 0);
    ::InterlockedExchange(&entry.command, command);
    ::InterlockedExchange(&entry.parameter, parameter);
    ::InterlockedExchange(&entry.number, number);
}

// A field's value held to [low, high].
inline LONG Bounded(const volatile LONG& field, LONG low, LONG high) {
    LONG value = field;
    return value < low ? low : value > high ? high : value;
}

// Takes one from a fault counter; true when one was left.
inline bool TakeOne(volatile LONG* counter) {
    for (LONG n = *counter; n > 0; n = *counter)
        if (::InterlockedCompareExchange(counter, n - 1, n) == n) return true;
    return false;
}

}  // namespace standin
