// Which camera completions a process takes as its own: only an answer to a
// request still outstanding for that window, from a thread of the process,
// in memory a record can be in.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "Handles.h"
#include "PendingRequests.h"

using namespace device;

namespace {

class AsyncOnlyDevice final : public IDeviceControl {
public:
    BOOL accept = TRUE;
    int sent = 0;

    void __stdcall SetNotifyWindow(HWND) override {}
    BOOL __stdcall IsConnect() override { return TRUE; }
    BOOL __stdcall bOpen(HWND, DWORD*) override { return TRUE; }
    BOOL __stdcall bClose(DWORD*) override { return TRUE; }
    BOOL __stdcall bRequestPacketAsync(HWND, void*, DWORD*, DWORD*) override { return FALSE; }
    BOOL __stdcall bRequestAsync(HWND, const RequestHeader*, DWORD*, DWORD*) override { return ++sent, accept; }
    BOOL __stdcall bRequestPacket(void*, DWORD*) override { return FALSE; }
    BOOL __stdcall bRequest(const RequestHeader*, HGLOBAL*, DWORD*, DWORD*) override { return FALSE; }
};

HWND Window(uintptr_t n) { return reinterpret_cast<HWND>(n); }

// A running thread of some other process (Wine's services always have some).
DWORD ForeignThread() {
    fw::Handle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(snapshot.get(), &entry); more; more = ::Thread32Next(snapshot.get(), &entry))
        if (entry.th32OwnerProcessID != ::GetCurrentProcessId()) return entry.th32ThreadID;
    return 0;
}

class ReadOnlyPage {
public:
    ReadOnlyPage() : page_(::VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
        auto* record = static_cast<ResponseRecord*>(page_);
        record->code = kGetJpegImage;
        DWORD old = 0;
        ::VirtualProtect(page_, 4096, PAGE_READONLY, &old);
    }
    ~ReadOnlyPage() { ::VirtualFree(page_, 0, MEM_RELEASE); }
    LPARAM record() const { return reinterpret_cast<LPARAM>(page_); }

private:
    void* page_;
};

}  // namespace

TEST(PendingRequests, OnlyAnAnswerToAnOutstandingRequestOfThisProcessIsClaimed) {
    ResponseRecord record{};
    record.code = kGetJpegImage;
    ResponseRecord otherCode{};
    otherCode.code = kCameraZoom;
    ReadOnlyPage readOnly;
    const LPARAM good = reinterpret_cast<LPARAM>(&record);
    const WPARAM ownThread = ::GetCurrentThreadId();
    const DWORD foreignThread = ForeignThread();
    ASSERT_NE(foreignThread, 0u) << "no thread of another process to try";
    struct Case {
        const char* what;
        HWND target;
        WPARAM thread;
        LPARAM record;
    } cases[] = {
        {"no record", Window(1), ownThread, 0},
        {"unmapped address", Window(1), ownThread, 0x10},
        {"misaligned", Window(1), ownThread, good + 1},
        {"read-only memory", Window(1), ownThread, readOnly.record()},
        {"another window", Window(2), ownThread, good},
        {"no thread", Window(1), 0, good},
        // After the own thread has passed: it is that thread, not any, that passes from then on.
        {"a thread of another process", Window(1), foreignThread, good},
        {"answers another command", Window(1), ownThread, reinterpret_cast<LPARAM>(&otherCode)},
    };
    PendingRequests pending;
    pending.Expect(Window(1), kGetJpegImage);
    for (const Case& c : cases) EXPECT_EQ(pending.Claim(c.target, c.thread, c.record), nullptr) << c.what;
    EXPECT_EQ(pending.Claim(Window(1), ownThread, good), &record);
    EXPECT_EQ(pending.Claim(Window(1), ownThread, good), nullptr) << "had back already";
}

TEST(PendingRequests, RefusedOrForgottenRequestsAwaitNothing) {
    AsyncOnlyDevice device;
    PendingRequests pending;
    const RequestHeader request = MakeRequest(kCameraFocus, 1);
    DWORD value = 0, detail = 0;
    device.accept = FALSE;
    EXPECT_FALSE(pending.Send(device, Window(1), request, &value, &detail));
    EXPECT_EQ(pending.Outstanding(Window(1)), 0u);
    device.accept = TRUE;
    EXPECT_TRUE(pending.Send(device, Window(1), request, &value, &detail));
    EXPECT_TRUE(pending.Send(device, Window(2), request, &value, &detail));
    EXPECT_EQ(device.sent, 3);
    EXPECT_EQ(pending.Outstanding(Window(1)), 1u);
    pending.Forget(Window(1));
    EXPECT_EQ(pending.Outstanding(Window(1)), 0u);
    EXPECT_EQ(pending.Outstanding(Window(2)), 1u);
}
