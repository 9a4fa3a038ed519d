#include "MainFrame.h"

#include <commctrl.h>

#include "ControlDialog.h"
#include "PictavoApp.h"
#include "Strings.h"
#include "TraceLog.h"
#include "resource.h"

bool CMainFrame::PreCreateWindow() {
    WNDCLASSEXW wc{};
    wc.style = CS_DBLCLKS;
    wc.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    wc.hIconSm = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                 IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // the MDI client covers the whole client area
    wc.lpszClassName = kClassName;
    if (!fw::Window::RegisterClass(wc)) {
        WriteTraceLog(kTraceApp, L"CMainFrame::PreCreateWindow", L"The error occurred with the [AfxRegisterClass()] function.");
        return false;
    }
    return true;
}

bool CMainFrame::LoadFrame(UINT resourceId, DWORD style) {
    if (!PreCreateWindow()) return false;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    HMENU menu = ::LoadMenuW(instance, MAKEINTRESOURCEW(resourceId));
    accelerators_ = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(resourceId));
    std::wstring title = fw::LoadResString(resourceId);
    HWND hwnd = Create(kClassName, title.c_str(), style | WS_CLIPCHILDREN, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu);
    if (!hwnd) {
        if (menu) ::DestroyMenu(menu);
        return false;
    }
    fw::Application::Instance()->SetMainWindow(hwnd, accelerators_, this);
    return true;
}

bool CMainFrame::OnCreate() {
    const wchar_t* src = L"CMainFrame::OnCreate";
    if (!CreateMdiClient()) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [OnCreate()] function.");
        return false;
    }
    if (!statusBar().Create(hwnd())) {
        WriteTraceLog(kTraceApp, src, L"Failed to create status bar.");
        return false;
    }
    CPictavoApp* app = PictavoApp();
    if (app->deviceControl()) app->deviceControl()->SetNotifyWindow(hwnd());
    if (bDeviceOpen()) {
        SetStatusText(IDS_READY);
    } else {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [bDeviceOpen()] function.");
        SetStatusText(IDS_MAIN_UNIT_UNAVAILABLE);
    }
    if (app->controlDialog()) app->controlDialog()->SetOwner(hwnd());
    return true;
}

int CMainFrame::bDeviceOpen() {
    device::IDeviceControl* device = PictavoApp()->deviceControl();
    if (!device || !device->IsConnect()) return 0;
    DWORD detail = 0;
    if (BOOL result = device->bOpen(hwnd(), &detail)) {
        deviceOpen_ = true;
        return result;
    }
    if (detail == device::kErrorAlreadyOpen) {
        deviceOpen_ = true;
        return 1;
    }
    deviceOpen_ = false;
    if (detail == device::kErrorNotAvailable || detail == device::kErrorNotAvailable2) return 0;
    WriteTraceLog(kTraceApp, L"CMainFrame::bDeviceOpen",
                  L"The error occurred with the [bOpen] function of Device control. Detailed Error Code[0x%08X]", detail);
    PictavoApp()->controlDialog()->ShowMessageBox(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    return 0;
}

int CMainFrame::bDeviceClose() {
    device::IDeviceControl* device = PictavoApp()->deviceControl();
    if (!device || !deviceOpen_) return 0;
    DWORD detail = 0;
    BOOL result = device->bClose(&detail);
    if (result) {
        deviceOpen_ = false;
    } else {
        WriteTraceLog(kTraceApp, L"CMainFrame::bDeviceClose",
                      L"The error occurred with the [bClose] function of Device control. Detailed Error Code[0x%08X]",
                      detail);
    }
    return result;
}

void CMainFrame::SetStatusText(UINT stringId) { statusBar().SetText(0, fw::LoadResString(stringId), SBT_NOBORDERS); }

bool CMainFrame::OnCommand(UINT id) {
    switch (id) {
    case ID_APP_EXIT: ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); return true;
    case ID_WINDOW_CASCADE: ::SendMessageW(mdiClient(), WM_MDICASCADE, 0, 0); return true;
    case ID_WINDOW_TILE_HORZ: ::SendMessageW(mdiClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0); return true;
    default: return false;
    }
}

bool CMainFrame::OnUpdateCommand(UINT id, fw::CommandState&) {
    return id == ID_APP_EXIT || id == ID_WINDOW_CASCADE || id == ID_WINDOW_TILE_HORZ;
}

void CMainFrame::OnDestroy() {
    bDeviceClose();
    ::PostQuitMessage(0);
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_DESTROY:
        OnDestroy();
        break;
    default:
        break;
    }
    return fw::MdiFrame::WindowProc(msg, wParam, lParam);
}
