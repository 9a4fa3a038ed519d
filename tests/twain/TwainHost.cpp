#include "TwainHost.h"

#include <algorithm>
#include <cstring>

#include "AppProcess.h"
#include "DeviceControl.h"
#include "DibSection.h"
#include "Handles.h"
#include "JpegDecoder.h"
#include "PictureFixtures.h"

namespace twain_test {
namespace {

std::mutex g_managerLock;
std::vector<TW_UINT16> g_managerMessages;

TW_UINT16 __stdcall RecordingManager(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                                     TW_MEMREF) {
    if (dg == DG_CONTROL && dat == DAT_NULL) {
        std::lock_guard<std::mutex> guard(g_managerLock);
        g_managerMessages.push_back(msg);
    }
    return TWRC_SUCCESS;
}

constexpr const wchar_t* kBoxCaption = L"Korvo Document Camera TWAIN DS";

struct BoxSearch {
    HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[32] = {}, caption[64] = {};
    ::GetClassNameW(hwnd, cls, 32);
    ::GetWindowTextW(hwnd, caption, 64);
    if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770" &&
        std::wstring(caption) == kBoxCaption) {
        reinterpret_cast<BoxSearch*>(param)->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The source's box on the screen, unless it is one already answered.
HWND UnansweredBox(const std::vector<HWND>& answered) {
    HWND found = FindSourceBox();
    if (std::find(answered.begin(), answered.end(), found) != answered.end()) return nullptr;
    return found;
}

CallFromMessageLoop* g_pendingCall = nullptr;

constexpr const wchar_t* kChildHost = L"KORVO_TWAIN_CHILD_HOST";

}  // namespace

HWND FindSourceBox() {
    BoxSearch search;
    ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindHiddenWindow() {
    constexpr const wchar_t* kClass = L"Pictavo DS Window";
    HWND hidden = ::FindWindowExW(HWND_MESSAGE, nullptr, kClass, nullptr);
    return hidden ? hidden : ::FindWindowW(kClass, nullptr);
}

CallFromMessageLoop::CallFromMessageLoop(std::function<bool()> action) : action_(std::move(action)) {
    g_pendingCall = this;
    timer_ = ::SetTimer(nullptr, 0, 10, OnTimer);
}

CallFromMessageLoop::~CallFromMessageLoop() {
    if (timer_) ::KillTimer(nullptr, timer_);
    g_pendingCall = nullptr;
}

void CALLBACK CallFromMessageLoop::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    CallFromMessageLoop* call = g_pendingCall;
    if (!call || call->done_) return;
    // Stopped before the action, which may itself run a message loop.
    ::KillTimer(nullptr, call->timer_);
    call->timer_ = 0;
    call->done_ = call->action_();
    if (!call->done_) call->timer_ = ::SetTimer(nullptr, 0, 10, OnTimer);
}

std::vector<TW_UINT16> ManagerMessages() {
    std::lock_guard<std::mutex> guard(g_managerLock);
    return g_managerMessages;
}

void ClearManagerMessages() {
    std::lock_guard<std::mutex> guard(g_managerLock);
    g_managerMessages.clear();
}

int CountManagerMessages(TW_UINT16 msg) {
    int n = 0;
    for (TW_UINT16 m : ManagerMessages()) n += m == msg;
    return n;
}

BoxWatcher::BoxWatcher() : thread_([this] { Run(); }) {}

BoxWatcher::~BoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<std::wstring> BoxWatcher::texts() const {
    std::lock_guard<std::mutex> guard(lock_);
    return texts_;
}

std::vector<std::wstring> BoxWatcher::WaitForTexts(size_t count) const {
    testing_support::WaitUntil([&] { return texts().size() >= count; });
    return texts();
}

void BoxWatcher::Run() {
    std::vector<HWND> answered;
    while (!stop_) {
        HWND box = nullptr;
        testing_support::WaitUntil([&] { return stop_ || (box = UnansweredBox(answered)) != nullptr; });
        if (!box) continue;
        Answer(box);
        answered.push_back(box);
    }
}

void BoxWatcher::Answer(HWND box) {
    // The box may show before its text is filled in.
    testing_support::WaitUntil([&] { return stop_ || !testing_support::MessageBoxText(box).empty(); });
    {
        std::lock_guard<std::mutex> guard(lock_);
        texts_.push_back(testing_support::MessageBoxText(box));
    }
    testing_support::PressButton(box, IDOK);
}

CameraCopy::CameraCopy(bool fixedPicture) {
    std::wstring dll = folder_ / L"KorvoDocCameraIM.dll";
    ::CopyFileW((testing_support::TestProgramFolder() + L"KorvoDocCameraIM.dll").c_str(), dll.c_str(), FALSE);
    std::string settings = "[Camera]\r\nConnected=1\r\n";
    if (fixedPicture) {
        std::wstring frames = folder_ / L"frames";
        ::CreateDirectoryW(frames.c_str(), nullptr);
        testing_support::WriteFileBytes(frames + L"\\picture.jpg", picture_fixtures::MakeJpeg(1024, 768));
        settings += "FrameFolder=" + std::string(frames.begin(), frames.end()) + "\r\n";
    }
    testing_support::WriteFileBytes(folder_ / L"KorvoDocCameraIM.ini", settings);
    installPath_.SetString(folder_ / L"");
    library_ = ::LoadLibraryW(dll.c_str());
}

standin::CameraControlClient& CameraCopy::control() {
    // The channel exists only while a camera object does.
    if (!control_ || !control_->connected()) control_ = std::make_unique<standin::CameraControlClient>();
    return *control_;
}

CameraCopy::~CameraCopy() {
    control_.reset();
    if (library_) ::FreeLibrary(library_);
}

std::string CameraCopy::Frame() {
    auto create = reinterpret_cast<device::CreateInstanceFn>(::GetProcAddress(library_, "CreateInstance"));
    auto release = reinterpret_cast<device::ReleaseInstanceFn>(::GetProcAddress(library_, "ReleaseInstance"));
    device::IDeviceControl* camera = nullptr;
    if (!create || !release || !create(&camera)) return {};
    device::RequestHeader request = device::MakeRequest(device::kGetJpegImage);
    HGLOBAL data = nullptr;
    DWORD size = 0, detail = 0;
    std::string frame;
    camera->bOpen(nullptr, &detail);
    if (camera->bRequest(&request, &data, &size, &detail) && data) {
        fw::GlobalMemory block(data);
        fw::GlobalLock lock(block.get());
        frame.assign(static_cast<const char*>(lock.get()), size);
    }
    camera->bClose(&detail);
    release(&camera);
    return frame;
}

TW_IDENTITY MakeAppIdentity(TW_UINT32 id, TW_UINT16 protocolMinor) {
    TW_IDENTITY app{};
    app.Id = id;
    app.Version.MajorNum = 1;
    app.ProtocolMajor = 1;
    app.ProtocolMinor = protocolMinor;
    app.SupportedGroups = DG_CONTROL | DG_IMAGE;
    std::strcpy(app.ProductName, "Host Test");
    return app;
}

LoadedSource::LoadedSource() : app(MakeAppIdentity(7)) {
    ClearManagerMessages();
    library_ = ::LoadLibraryW((testing_support::TestProgramFolder() + L"KorvoDocCamera.ds").c_str());
    if (library_) entry_ = reinterpret_cast<DSENTRYPROC>(::GetProcAddress(library_, "DS_Entry"));
}

LoadedSource::~LoadedSource() {
    if (open_) Close();
    if (library_) ::FreeLibrary(library_);
}

bool LoadedSource::Reload() {
    if (library_) ::FreeLibrary(library_);
    library_ = ::LoadLibraryW((testing_support::TestProgramFolder() + L"KorvoDocCamera.ds").c_str());
    entry_ = library_ ? reinterpret_cast<DSENTRYPROC>(::GetProcAddress(library_, "DS_Entry")) : nullptr;
    return entry_ != nullptr;
}

TW_UINT16 LoadedSource::Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    return CallAs(&app, dg, dat, msg, data);
}

TW_UINT16 LoadedSource::CallAs(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    return entry_ ? entry_(origin, dg, dat, msg, data) : TWRC_FAILURE;
}

TW_UINT16 LoadedSource::Condition() {
    TW_STATUS status{0xFFFF, 0xFFFF};
    Call(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
    return status.ConditionCode;
}

TW_UINT16 LoadedSource::Open(bool giveEntryPoint) {
    TW_ENTRYPOINT entryPoint{};
    entryPoint.Size = sizeof(entryPoint);
    entryPoint.DSM_Entry = RecordingManager;
    if (giveEntryPoint) Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &entryPoint);
    Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, &own);
    own.Id = 42;
    TW_UINT16 rc = Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &own);
    open_ = rc == TWRC_SUCCESS;
    return rc;
}

TW_UINT16 LoadedSource::Close() {
    open_ = false;
    return Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &own);
}

TW_UINT16 LoadedSource::Enable(bool showUi, HWND parent) {
    TW_USERINTERFACE ui{};
    ui.ShowUI = showUi;
    ui.hParent = parent;
    return Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
}

TW_UINT16 LoadedSource::Disable() {
    TW_USERINTERFACE ui{};
    return Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
}

bool LoadedSource::ReadyToTransfer() {
    return Open() == TWRC_SUCCESS && Enable(false) == TWRC_SUCCESS && CountManagerMessages(MSG_XFERREADY) == 1;
}

HGLOBAL OneValue(TW_UINT16 value) {
    HGLOBAL h = ::GlobalAlloc(GHND, sizeof(TW_ONEVALUE));
    fw::GlobalLock lock(h);
    auto* one = static_cast<TW_ONEVALUE*>(lock.get());
    one->ItemType = TWTY_UINT16;
    one->Item = value;
    return h;
}

TW_UINT32 OneValueItem(HGLOBAL container) {
    fw::GlobalLock lock(container);
    return lock.get() ? static_cast<const TW_ONEVALUE*>(lock.get())->Item : 0xFFFFFFFF;
}

Enumeration ReadEnumeration(HGLOBAL container) {
    Enumeration e;
    fw::GlobalLock lock(container);
    const auto* en = static_cast<const TW_ENUMERATION*>(lock.get());
    if (!en) return e;
    e.count = en->NumItems;
    e.current = en->CurrentIndex;
    e.defaultIndex = en->DefaultIndex;
    const auto* items = reinterpret_cast<const TW_UINT16*>(en->ItemList);
    e.items.assign(items, items + en->NumItems);
    return e;
}

bool IsChildHost() { return ::GetEnvironmentVariableW(kChildHost, nullptr, 0) > 0; }

DWORD RunChildHost(const std::wstring& program, const std::wstring& current, const wchar_t* test) {
    std::wstring command = L"\"" + program + L"\" --gtest_brief=1 --gtest_filter=" + test;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    ::SetEnvironmentVariableW(kChildHost, L"1");
    BOOL started = ::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    current.c_str(), &startup, &info);
    ::SetEnvironmentVariableW(kChildHost, nullptr);
    if (!started) return 0xFFFFFFFF;
    fw::Handle process(info.hProcess), thread(info.hThread);
    // Pumping meanwhile: the child's windows may send to this thread's.
    auto ended = [&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; };
    if (!testing_support::WaitUntil(ended, testing_support::kProcessWaitLimitMs)) {
        ::TerminateProcess(process.get(), 0xFFFFFFFE);
        return 0xFFFFFFFE;
    }
    DWORD code = 0xFFFFFFFF;
    ::GetExitCodeProcess(process.get(), &code);
    return code;
}

std::vector<BYTE> DecodedFrame(const std::string& jpeg) {
    HBITMAP bitmap = nullptr;
    std::vector<BYTE> rows;
    int w = 0, h = 0;
    if (device::DecodeJpegToDib(device::JpegInput{nullptr, nullptr, jpeg.data(), jpeg.size()}, 0, 0, &bitmap,
                                nullptr))
        device::ReadDib24(bitmap, rows, &w, &h);
    if (bitmap) ::DeleteObject(bitmap);
    return rows;
}

}  // namespace twain_test
