#pragma once
// A TWAIN host in the test process: it loads KorvoDocCamera.ds and calls
// DS_Entry as a source manager and an application would. The manager's side
// is a DSM_Entry handed to the source with DAT_ENTRYPOINT, which records what
// the source sends (MSG_XFERREADY, MSG_CLOSEDSREQ). Message boxes of the
// source are read and dismissed by a watcher thread, as a user would.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "CameraControlClient.h"
#include "TestSupport.h"
#include "Twain.h"
#include "Wait.h"

namespace twain_test {

// The camera stand-in's frame: 24-bit rows of kStride bytes.
constexpr int kWidth = 1024, kHeight = 768;
constexpr DWORD kStride = kWidth * 3;

// Messages the source sent its manager since the last Clear.
std::vector<TW_UINT16> ManagerMessages();
void ClearManagerMessages();
int CountManagerMessages(TW_UINT16 msg);

// The source's message box on the screen, or null.
HWND FindSourceBox();
// The source's hidden "Pictavo DS Window", message-only or not.
HWND FindHiddenWindow();

// Runs `action` from this thread's next message loop (the source's own waits
// and boxes included), again and again until it returns true.
class CallFromMessageLoop {
public:
    explicit CallFromMessageLoop(std::function<bool()> action);
    ~CallFromMessageLoop();
    CallFromMessageLoop(const CallFromMessageLoop&) = delete;
    CallFromMessageLoop& operator=(const CallFromMessageLoop&) = delete;
    bool done() const { return done_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    std::function<bool()> action_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
};

class BoxWatcher {
public:
    BoxWatcher();
    ~BoxWatcher();
    std::vector<std::wstring> texts() const;
    // The texts once at least `count` boxes were answered (pumping this
    // thread's messages meanwhile, as a box may come from a posted message).
    std::vector<std::wstring> WaitForTexts(size_t count) const;

private:
    void Run();
    void Answer(HWND box);
    mutable std::mutex lock_;
    std::vector<std::wstring> texts_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The camera stand-in copied into a fresh folder with its settings and loaded
// first, so the source's load by name finds this copy. With a frame folder of
// one picture every frame it serves is the same.
class CameraCopy {
public:
    explicit CameraCopy(bool fixedPicture = false);
    ~CameraCopy();
    // The channel of the camera object the source created (made on first use after it).
    standin::CameraControlClient& control();
    // One frame fetched with an object of our own (while the source has none).
    std::string Frame();

private:
    testing_support::TempFolder folder_;
    // The installation folder is the copy's, so the source loads this same module.
    testing_support::RegistryValue installPath_ = testing_support::InstallPathValue();
    HMODULE library_ = nullptr;
    std::unique_ptr<standin::CameraControlClient> control_;
};

class LoadedSource {
public:
    LoadedSource();
    ~LoadedSource();
    LoadedSource(const LoadedSource&) = delete;
    LoadedSource& operator=(const LoadedSource&) = delete;

    bool loaded() const { return entry_ != nullptr; }
    TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data);
    TW_UINT16 CallAs(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data);
    // Frees the library and loads it again, as a careless source manager might while the source is open.
    bool Reload();
    // The condition code, read with DAT_STATUS (which clears it).
    TW_UINT16 Condition();

    // DAT_ENTRYPOINT (as a 64-bit manager does) unless told not to, then OPENDS.
    TW_UINT16 Open(bool giveEntryPoint = true);
    TW_UINT16 Close();
    TW_UINT16 Enable(bool showUi, HWND parent = nullptr);
    TW_UINT16 Disable();
    // Open and enabled without the user interface: state 6, a picture announced.
    bool ReadyToTransfer();

    TW_IDENTITY app{};   // the application's identity
    TW_IDENTITY own{};   // the source's, as the manager completes it

private:
    HMODULE library_ = nullptr;
    DSENTRYPROC entry_ = nullptr;
    bool open_ = false;
};

TW_IDENTITY MakeAppIdentity(TW_UINT32 id, TW_UINT16 protocolMinor = 9);
// A one-value container with a 16-bit value, and the values of returned containers.
HGLOBAL OneValue(TW_UINT16 value);
TW_UINT32 OneValueItem(HGLOBAL container);
struct Enumeration {
    TW_UINT32 count = 0, current = 0, defaultIndex = 0;
    std::vector<TW_UINT16> items;
};
Enumeration ReadEnumeration(HGLOBAL container);

// Whether this process is the child that RunChildHost started.
bool IsChildHost();
// This test program run from `program` with `current` as its working folder,
// the one test `test` only, as the child host; its exit code (0: passed).
DWORD RunChildHost(const std::wstring& program, const std::wstring& current, const wchar_t* test);

// A JPEG frame decoded at full size: rows bottom-up, blue-green-red, as a DIB holds them.
std::vector<BYTE> DecodedFrame(const std::string& jpeg);

}  // namespace twain_test
