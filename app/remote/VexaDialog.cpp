#include "remote/VexaDialog.h"

#include <algorithm>
#include <new>

#include "MdiFrame.h"
#include "Surface.h"
#include "base/ControlDialog.h"
#include "base/LiveControl.h"
#include "base/TraceLog.h"
#include "resource.h"

namespace {

constexpr int kKeyWidth = 34;
constexpr int kKeyHeight = 33;

struct KeyLayout {
    int id;
    int x, y;
    uint16_t command;
    int32_t parameter;
    UINT normal, pressed;
};

// Rows: iris, focus, zoom.
constexpr KeyLayout kKeys[CVexaDialog::kKeyCount] = {
    {IDC_BTN_NORMAL, 85, 6, device::kCameraIris, 5, IDB_IRIS_NORMAL, IDB_IRIS_NORMAL_DOWN},
    {IDC_BTN_OPEN, 136, 6, device::kCameraIris, 2, IDB_IRIS_OPEN, IDB_IRIS_OPEN_DOWN},
    {IDC_BTN_CLOSE, 187, 6, device::kCameraIris, 3, IDB_IRIS_CLOSE, IDB_IRIS_CLOSE_DOWN},
    {IDC_BTN_NEAR, 85, 44, device::kCameraFocus, 1, IDB_FOCUS_NEAR, IDB_FOCUS_NEAR_DOWN},
    {IDC_BTN_FAR, 136, 44, device::kCameraFocus, 2, IDB_FOCUS_FAR, IDB_FOCUS_FAR_DOWN},
    {IDC_BTN_AF, 187, 44, device::kCameraAutoFocus, 0, IDB_AF, IDB_AF_DOWN},
    {IDC_BTN_TELE, 85, 82, device::kCameraZoom, 1, IDB_ZOOM_TELE, IDB_ZOOM_TELE_DOWN},
    {IDC_BTN_WIDE, 136, 82, device::kCameraZoom, 2, IDB_ZOOM_WIDE, IDB_ZOOM_WIDE_DOWN},
};

}  // namespace

CVexaDialog::CVexaDialog(device::IDeviceControl* device) : fw::Dialog(IDD_REMOTE_CONTROL), device_(device) {}

CVexaDialog::~CVexaDialog() {
    // While the keys still exist, so each lets go of its window.
    if (hwnd()) ::DestroyWindow(hwnd());
}

bool CVexaDialog::Create(fw::MdiFrame& frame, const CLiveControl& live) {
    frame_ = &frame;
    live_ = &live;
    if (!fw::Dialog::Create(frame.hwnd())) return false;
    // A template without all eight keys is a panel that cannot drive the camera.
    for (const CVexaButton& key : keys_)
        if (!key.hwnd()) {
            ::DestroyWindow(hwnd());
            return false;
        }
    return true;
}

bool CVexaDialog::IsVisible() const { return hwnd() && ::IsWindowVisible(hwnd()); }

// The first time at the workspace's top right, clear of the menu and the
// toolbar and of the picture windows that start at the top left; from then
// on wherever the user left it.
void CVexaDialog::PlaceFirstTime() {
    if (placed_ || !frame_ || !frame_->mdiClient()) return;
    placed_ = true;
    RECT work{}, panel{};
    ::GetWindowRect(frame_->mdiClient(), &work);
    ::GetWindowRect(hwnd(), &panel);
    constexpr int kMargin = 8;
    const int width = panel.right - panel.left;
    const int x = std::max<int>(work.left + kMargin, work.right - kMargin - width - ::GetSystemMetrics(SM_CXVSCROLL));
    ::SetWindowPos(hwnd(), nullptr, x, work.top + kMargin, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVexaDialog::ShowPanel() {
    if (!hwnd()) return;
    PlaceFirstTime();
    if (::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
    ::SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::ShowWindow(hwnd(), SW_SHOW);
}

void CVexaDialog::HidePanel() {
    if (!hwnd()) return;
    ReleaseKeyCapture();
    ::ShowWindow(hwnd(), SW_HIDE);
}

void CVexaDialog::SetTopmost(bool topmost) {
    if (hwnd())
        ::SetWindowPos(hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CVexaDialog::Enable(bool enable) {
    if (!hwnd()) return;
    if (!enable) ReleaseKeyCapture();
    ::EnableWindow(hwnd(), enable ? TRUE : FALSE);
}

CVexaButton* CVexaDialog::Key(int id) {
    for (int i = 0; i < kKeyCount; ++i)
        if (kKeys[i].id == id) return &keys_[i];
    return nullptr;
}

// A key held while the panel goes away would never see its release; taking
// the mouse from it makes it stop its movement.
void CVexaDialog::ReleaseKeyCapture() {
    HWND capture = ::GetCapture();
    if (capture && ::IsChild(hwnd(), capture)) ::ReleaseCapture();
}

BOOL CVexaDialog::OnInitDialog() {
    // The client area is fixed in pixels, whatever the template's dialog units make of it.
    RECT frame{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
    ::SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    HINSTANCE module = ::GetModuleHandleW(nullptr);
    background_.reset(::LoadImageW(module, MAKEINTRESOURCEW(IDB_REMOTE_BACKGROUND), IMAGE_BITMAP, 0, 0,
                                   LR_CREATEDIBSECTION));
    for (int i = 0; i < kKeyCount; ++i) {
        const KeyLayout& k = kKeys[i];
        keys_[i].Setup(hwnd(), k.id, device_, k.x, k.y, kKeyWidth, kKeyHeight, k.parameter, k.command);
        keys_[i].LoadBitmaps(module, k.normal, k.pressed);
    }
    return FALSE;  // a hidden panel takes no focus from the main frame
}

bool CVexaDialog::OnCommand(WORD id, WORD) {
    // Esc and Enter must not end a modeless panel: Esc hides it like its close box.
    if (id == IDCANCEL) OnClose();
    return id == IDCANCEL || id == IDOK;
}

bool CVexaDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_ERASEBKGND:
        result = TRUE;  // the background bitmap covers everything
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd(), &ps);
        Paint(dc);
        ::EndPaint(hwnd(), &ps);
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    case WM_SYSCOMMAND:
        // A restore would bring the panel up over the main frame's modal dialog.
        if ((wParam & 0xFFF0) == SC_RESTORE && live_ && live_->inModal()) {
            result = 0;
            return true;
        }
        return false;
    case WM_CLOSE:
        OnClose();
        result = 0;
        return true;
    default: return false;
    }
}

void CVexaDialog::OnClose() {
    HidePanel();
    if (frame_ && frame_->hwnd()) ::PostMessageW(frame_->hwnd(), WM_ACTIVATE_FULLSCREEN, 0, 0);
}

void CVexaDialog::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(hwnd(), &client);
    if (!fw::StretchBitmap(dc, client, static_cast<HBITMAP>(background_.get())))
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
}

int InitRemoteCtrl(fw::MdiFrame& frame, const CLiveControl& live, device::IDeviceControl* device,
                   std::unique_ptr<CVexaDialog>& panel) {
    const wchar_t* src = L"CMainFrame::InitRemoteCtrl";
    std::unique_ptr<CVexaDialog> created;
    try {
        created = std::make_unique<CVexaDialog>(device);
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, src, L"new CVexaDialog");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!created->Create(frame, live)) {
        created.reset();
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [Create()] function.");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    panel = std::move(created);
    return 1;
}
