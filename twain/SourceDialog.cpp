#include "SourceDialog.h"

#include <mutex>

#include "AboutDialog.h"
#include "DeviceLink.h"
#include "JpegCoder.h"
#include "SourceResource.h"
#include "Surface.h"
#include "TwainSource.h"

namespace {

struct CommandLook {
    int id;
    UINT bitmaps;  // up, down, disabled
};
constexpr CommandLook kCommands[CSourceDialog::kCommandCount] = {
    {IDC_PLAY, IDB_PLAY},         {IDC_STOP, IDB_STOP},   {IDC_STILL, IDB_STILL},
    {IDC_TRANSFER, IDB_TRANSFER}, {IDCANCEL, IDB_CLOSE}, {IDC_ABOUT, IDB_ABOUT},
};

struct CameraKey {
    int id;
    uint16_t command;
    int32_t parameter;
    UINT bitmaps;
};
constexpr CameraKey kCameraKeys[CSourceDialog::kCameraCount] = {
    {IDC_IRIS_NORMAL, device::kCameraIris, 5, IDB_IRIS_NORMAL},
    {IDC_IRIS_OPEN, device::kCameraIris, 2, IDB_IRIS_OPEN},
    {IDC_IRIS_CLOSE, device::kCameraIris, 3, IDB_IRIS_CLOSE},
    {IDC_FOCUS_NEAR, device::kCameraFocus, 1, IDB_FOCUS_NEAR},
    {IDC_FOCUS_FAR, device::kCameraFocus, 2, IDB_FOCUS_FAR},
    {IDC_AUTOFOCUS, device::kCameraAutoFocus, 0, IDB_AUTOFOCUS},
    {IDC_ZOOM_TELE, device::kCameraZoom, 1, IDB_ZOOM_TELE},
    {IDC_ZOOM_WIDE, device::kCameraZoom, 2, IDB_ZOOM_WIDE},
};

RECT ItemRect(HWND dialog, int id) {
    RECT r{};
    HWND item = ::GetDlgItem(dialog, id);
    ::GetWindowRect(item, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Runs the message loop until `handle` is signalled (or can no longer be
// waited on), so windows stay alive meanwhile. The host's WM_QUIT is not ours
// to take: it is posted again once the wait is over.
void WaitPumping(HANDLE handle) {
    bool quit = false;
    WPARAM exitCode = 0;
    for (;;) {
        DWORD woken = ::MsgWaitForMultipleObjects(1, &handle, FALSE, 100, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                exitCode = msg.wParam;
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (quit) ::PostQuitMessage(static_cast<int>(exitCode));
}

// Counts a handler on the dialog's stack for as long as it runs.
class HandlerScope {
public:
    explicit HandlerScope(int& depth) : depth_(depth) { ++depth_; }
    ~HandlerScope() { --depth_; }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

private:
    int& depth_;
};

class WaitCursor {
public:
    WaitCursor() : previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(previous_); }

private:
    HCURSOR previous_;
};

}  // namespace

CSourceDialog::CSourceDialog(CTwainSource& source)
    : fw::Dialog(IDD_SOURCE, source.module()), source_(source), link_(*source.link()), preview_(source.codec()) {}

CSourceDialog::~CSourceDialog() {
    EndPreviewThread();
    // While the buttons still exist, so each lets go of its window.
    if (hwnd()) ::DestroyWindow(hwnd());
}

bool CSourceDialog::Create(HWND parent) {
    started_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!started_ || !fw::Dialog::Create(parent)) return false;
    if (!thread_) {
        ::DestroyWindow(hwnd());
        return false;
    }
    return true;
}

void CSourceDialog::Show() {
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
}

BOOL CSourceDialog::OnInitDialog() {
    if (!StartPreviewThread()) return FALSE;
    SetupButtons();
    RECT area;
    ::GetClientRect(::GetDlgItem(hwnd(), IDC_PREVIEW), &area);
    previewWidth_ = area.right;
    previewHeight_ = area.bottom;
    EnableItem(IDC_TRANSFER, false);
    EnableItem(IDC_STOP, false);
    return TRUE;
}

void CSourceDialog::SetupButtons() {
    HINSTANCE module = source_.module();
    for (int i = 0; i < kCommandCount; ++i) {
        commands_[i].SubclassDlgItem(hwnd(), kCommands[i].id);
        UINT b = kCommands[i].bitmaps;
        commands_[i].LoadBitmaps(module, b, b + 1, 0, b + 2);
    }
    for (int i = 0; i < kCameraCount; ++i) {
        const CameraKey& k = kCameraKeys[i];
        RECT r = ItemRect(hwnd(), k.id);
        cameras_[i].Setup(hwnd(), k.id, link_.device(), r.left, r.top, r.right - r.left, r.bottom - r.top,
                          k.parameter, k.command);
        cameras_[i].LoadBitmaps(module, k.bitmaps, k.bitmaps + 1, 0, k.bitmaps + 2);
        cameras_[i].ShareLock(link_.requestLock());
    }
}

void CSourceDialog::EnableItem(int id, bool enable) { ::EnableWindow(::GetDlgItem(hwnd(), id), enable ? TRUE : FALSE); }

// ---------------------------------------------------------------- fetching

CSourceDialog::Fetch CSourceDialog::FetchPicture() {
    // A STILL on the dialog's thread and the preview thread take turns.
    std::lock_guard<fw::CriticalSection> guard(fetchLock_);
    fw::GlobalMemory block;
    DWORD size = 0;
    if (!link_.RequestJpeg(block, size)) return Fetch::kNoPicture;
    bool decoded;
    {
        fw::GlobalLock jpeg(block.get());
        decoded = preview_.Decode(jpeg.get(), size, previewWidth_);
    }
    if (!decoded) return Fetch::kUndecodable;
    if (!source_.kept().Replace(block.get(), size)) return Fetch::kNoMemory;
    HBITMAP fitted = nullptr;
    CJpegCoder(nullptr, nullptr).FitBitmap(nullptr, preview_.bitmap(), &fitted, previewWidth_, previewHeight_);
    preview_.ReleaseBitmap();
    ShowPicture(fitted);
    transferAllowed_ = true;
    return Fetch::kFetched;
}

void CSourceDialog::ShowPicture(HBITMAP fitted) {
    if (!fitted) return;
    {
        std::lock_guard<fw::CriticalSection> guard(pictureLock_);
        picture_.reset(fitted);
    }
    ::InvalidateRect(::GetDlgItem(hwnd(), IDC_PREVIEW), nullptr, FALSE);
}

void CSourceDialog::DrawPreview(const DRAWITEMSTRUCT& item) {
    std::lock_guard<fw::CriticalSection> guard(pictureLock_);
    if (!picture_ || !fw::StretchBitmap(item.hDC, item.rcItem, static_cast<HBITMAP>(picture_.get())))
        ::FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

// ---------------------------------------------------------------- preview thread

bool CSourceDialog::StartPreviewThread() {
    thread_.reset(::CreateThread(nullptr, 0, PreviewThread, this, 0, &threadId_));
    if (!thread_) return false;
    // Thread messages posted before its queue exists would be lost.
    HANDLE wait[2] = {started_.get(), thread_.get()};
    if (::WaitForMultipleObjects(2, wait, FALSE, INFINITE) == WAIT_OBJECT_0) return true;
    thread_.reset();
    return false;
}

DWORD WINAPI CSourceDialog::PreviewThread(void* self) {
    static_cast<CSourceDialog*>(self)->PreviewLoop();
    return 0;
}

void CSourceDialog::PreviewLoop() {
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    ::SetEvent(started_.get());
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        if (msg.message == kPreviewNext) PreviewStep();
}

void CSourceDialog::PreviewStep() {
    if (!previewing_) return;
    switch (FetchPicture()) {
    case Fetch::kFetched: decodeFailures_ = 0; break;
    case Fetch::kNoPicture: return GiveUpPreview(IDS_NO_LIVE);
    case Fetch::kNoMemory: return GiveUpPreview(IDS_NO_MEMORY);
    case Fetch::kUndecodable:
        if (++decodeFailures_ >= 3) return GiveUpPreview(IDS_NO_LIVE);
        break;
    }
    if (!previewing_) return;
    ::PostThreadMessageW(threadId_, kPreviewNext, 0, 0);
    ::Sleep(kPreviewPaceMs);
}

void CSourceDialog::GiveUpPreview(UINT message) {
    transferAllowed_ = false;
    // Only the side that ends the preview reports it, so the user is told once.
    if (previewing_.exchange(false)) ::PostMessageW(hwnd(), kPreviewFailed, message, 0);
}

void CSourceDialog::EndPreviewThread() {
    ending_ = true;
    previewing_ = false;
    if (!thread_) return;
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitPumping(thread_.get());
    thread_.reset();
}

// ---------------------------------------------------------------- commands

void CSourceDialog::Retire() {
    if (hwnd()) ::DestroyWindow(hwnd());
}

bool CSourceDialog::OnCommand(WORD id, WORD) {
    HandlerScope scope(handlers_);
    return Command(id);
}

bool CSourceDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HandlerScope scope(handlers_);
    return Message(msg, wParam, lParam, result);
}

bool CSourceDialog::Command(WORD id) {
    switch (id) {
    case IDC_PLAY: OnPlay(); return true;
    case IDC_STOP: StopPreview(); return true;
    case IDC_STILL: OnStill(); return true;
    case IDC_TRANSFER: OnTransfer(); return true;
    case IDCANCEL: OnClose(); return true;
    case IDC_ABOUT: CAboutDialog(source_.module(), source_.identity()).DoModal(hwnd()); return true;
    case IDC_CAMERA_GONE: OnCameraGone(); return true;
    case IDC_CAMERA_BACK: OnCameraBack(); return true;
    case IDOK: return true;  // Enter must not end a modeless dialog
    default: return false;
    }
}

void CSourceDialog::OnPlay() {
    if (cameraLost_ || previewing_) return;
    ::SendMessageW(hwnd(), DM_SETDEFID, IDC_STOP, 0);
    EnableItem(IDC_STOP, true);
    ::SetFocus(::GetDlgItem(hwnd(), IDC_STOP));
    EnableItem(IDC_PLAY, false);
    EnableItem(IDC_STILL, false);
    EnableItem(IDC_TRANSFER, false);
    transferAllowed_ = false;
    decodeFailures_ = 0;
    previewing_ = true;
    ::PostThreadMessageW(threadId_, kPreviewNext, 0, 0);
}

void CSourceDialog::StopPreview() {
    if (previewing_.exchange(false)) ShowStopped();
}

void CSourceDialog::ShowStopped() {
    ::SendMessageW(hwnd(), DM_SETDEFID, IDC_PLAY, 0);
    EnableItem(IDC_PLAY, !cameraLost_);
    ::SetFocus(::GetDlgItem(hwnd(), IDC_PLAY));
    EnableItem(IDC_STOP, false);
    EnableItem(IDC_TRANSFER, transferAllowed_);
    EnableItem(IDC_STILL, !cameraLost_);
}

void CSourceDialog::OnStill() {
    if (cameraLost_) return;
    WaitCursor wait;
    StopPreview();
    ::SetFocus(::GetDlgItem(hwnd(), IDC_STILL));
    Fetch result = FetchPicture();
    if (result != Fetch::kFetched) {
        transferAllowed_ = false;
        source_.ShowMessage(result == Fetch::kNoMemory ? IDS_NO_MEMORY : IDS_NO_STILL);
    }
    EnableItem(IDC_TRANSFER, transferAllowed_);
}

void CSourceDialog::OnTransfer() {
    if (!transferAllowed_ || source_.state() != CTwainSource::kEnabled) return;
    WaitCursor wait;
    // Stopped first, so the picture the host gets is the one on the screen.
    StopPreview();
    EnableItem(IDC_TRANSFER, false);
    source_.XferReady();
}

void CSourceDialog::OnClose() {
    StopPreview();
    source_.CloseDSReq();
}

void CSourceDialog::OnCameraGone() {
    cameraLost_ = true;
    StopPreview();
    EnableItem(IDC_PLAY, false);
    EnableItem(IDC_STILL, false);
    EnableItem(IDC_STOP, false);
}

void CSourceDialog::OnCameraBack() {
    if (!link_.Reopen()) return;
    cameraLost_ = false;
    EnableItem(IDC_PLAY, true);
    EnableItem(IDC_STILL, true);
    ::SetFocus(::GetDlgItem(hwnd(), IDC_STILL));
    EnableItem(IDC_STOP, false);
}

void CSourceDialog::OnPreviewFailed(UINT message) {
    if (ending_) return;
    ShowStopped();
    source_.ShowMessage(message);
}

void CSourceDialog::TransferReset() {
    transferAllowed_ = true;
    EnableItem(IDC_TRANSFER, !previewing_);
}

void CSourceDialog::TransferEnded() { EnableItem(IDC_TRANSFER, transferAllowed_ && !previewing_); }

bool CSourceDialog::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!item || item->CtlID != IDC_PREVIEW) return false;
        DrawPreview(*item);
        result = TRUE;
        return true;
    }
    case kPreviewFailed:
        OnPreviewFailed(static_cast<UINT>(wParam));
        result = 0;
        return true;
    case WM_CLOSE:
        OnClose();
        result = 0;
        return true;
    default: return false;
    }
}
