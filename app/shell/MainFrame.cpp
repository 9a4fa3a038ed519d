#include "shell/MainFrame.h"

#include <commctrl.h>

#include <new>

#include "DocTemplate.h"
#include "Strings.h"
#include "Application.h"
#include "base/AppServices.h"
#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "base/Utilities.h"
#include "drawing/EditViewTool.h"
#include "convert/PptDlg.h"
#include "live/AnimeFrame.h"
#include "picture/FullScreenWnd.h"
#include "picture/ImageMath.h"
#include "remote/VexaDialog.h"
#include "transfer/FTransDlg.h"
#include "sdview/SlideShow.h"
#include "resource.h"

CMainFrame* GetMainFrame() {
    fw::Application* app = fw::Application::Instance();
    if (!app || !app->mainWindow() || !::IsWindow(app->mainWindow())) return nullptr;
    return dynamic_cast<CMainFrame*>(app->mdiFrame());
}

CMainFrame::CMainFrame() : camera_(AppDeviceControl()) {}

// The SD control uses the camera: it goes before the connection closes.
CMainFrame::~CMainFrame() { sdControl_.reset(); }

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
    DWORD windowStyle = TakeFrameStyle(style, title) | WS_CLIPCHILDREN;
    HWND hwnd = Create(kClassName, title.c_str(), windowStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT, nullptr, menu);
    if (!hwnd) {
        if (menu) ::DestroyMenu(menu);
        return false;
    }
    fw::Application::Instance()->SetMainWindow(hwnd, accelerators_, this);
    return true;
}

bool CMainFrame::CreateBars() {
    const wchar_t* src = L"CMainFrame::OnCreate";
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    SIZE imageSize{};
    std::vector<fw::ToolButton> buttons = fw::LoadToolBarResource(instance, IDR_MAINFRAME, &imageSize);
    if (buttons.empty() || !toolBar().Create(hwnd(), instance, IDR_MAINFRAME, imageSize, buttons)) {
        WriteTraceLog(kTraceApp, src, L"Failed to create tool bar.");
        return false;
    }
    if (!statusBar().Create(hwnd())) {
        WriteTraceLog(kTraceApp, src, L"Failed to create status bar.");
        return false;
    }
    statusBar().SetMessageDrawing(SBT_NOBORDERS);
    statusBar().SizeMessagePaneTo(fw::LoadResString(IDS_STATUS_PANE));
    RecalcLayout();
    return true;
}

bool CMainFrame::OnCreate() {
    const wchar_t* src = L"CMainFrame::OnCreate";
    if (!CreateMdiClient()) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [OnCreate()] function.");
        return false;
    }
    if (!CreateBars()) return false;
    SetCurrentTool(drawing_.tool());
    ::PostMessageW(hwnd(), WM_FIRST_VIEW_DATA, 0, 0);
    IAppServices* app = AppServices();
    if (camera_.device()) camera_.device()->SetNotifyWindow(hwnd());
    if (bDeviceOpen()) {
        SetStatusText(IDS_READY);
    } else {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [bDeviceOpen()] function.");
        SetStatusText(IDS_MAIN_UNIT_UNAVAILABLE);
    }
    if (app && app->controlDialog()) app->controlDialog()->SetOwner(hwnd());
    return true;
}

void CMainFrame::OnSetFirstViewData() {
    if (!InitRemoteCtrl(*this, live_, camera_.device(), remote_)) {
        WriteTraceLog(kTraceApp, L"CMainFrame::OnSetFirstViewData", L"The error occurred with the [InitRemoteCtrl()] function.");
        return;
    }
    try {
        sdControl_ = std::make_unique<CSDControl>(camera_.device());
        palette_ = std::make_unique<CEditViewTool>(*this);
        conversion_ = std::make_unique<CPptDlg>();
        transfer_ = std::make_unique<CFTransDlg>(camera_.device());
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, L"CMainFrame::OnSetFirstViewData", L"new Object");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        return;
    }
    ::SetActiveWindow(hwnd());
}

void CMainFrame::SetStatusText(UINT stringId) { SetIdleMessage(fw::LoadResString(stringId)); }


void CMainFrame::OnDeviceNotify(WPARAM event) {
    switch (camera_.OnNotify(event, hwnd())) {
    case CCameraConnection::Change::Arrived: SetStatusText(IDS_READY); break;
    case CCameraConnection::Change::Removed:
        SetStatusText(IDS_MAIN_UNIT_UNAVAILABLE);
        CloseLiveFrame();
        DeviceLostCheck();
        break;
    case CCameraConnection::Change::None: break;
    }
}

void CMainFrame::DeviceLostCheck() {
    IAppServices* app = AppServices();
    CControlDialog* boxes = app ? app->controlDialog() : nullptr;
    if (!camera_.LostForGood(boxes ? boxes->GetCount() : 0)) return;
    if (remote_ && remote_->IsVisible()) remote_->HidePanel();
    for (HWND window : camera_.TakeCameraWindows())
        if (::IsWindow(window)) ::SendMessageW(window, WM_CLOSE, 0, 0);
    if (transfer_ && transfer_->hwnd()) ::SendMessageW(transfer_->hwnd(), WM_CLOSE, 0, 0);
    CloseSdWindows();
}

void CMainFrame::ActivateFullScreen() {
    if (HWND full = ::FindWindowW(nullptr, kFullScreenWindowName)) ::SetForegroundWindow(full);
}

void CMainFrame::AdvanceNextChildPosition() {
    nextChild_.x += ::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CYCAPTION);
    nextChild_.y += ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION);
}

RECT CMainFrame::MdiAreaOnScreen() const {
    RECT area = ChildArea();
    ::MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void CMainFrame::OnSize() {
    live_.ForgetPosition();
    RECT area = ChildArea();
    const SIZE picture = CLiveControl::kCameraPicture;
    double factor = FirstFittingFactor(picture.cx, picture.cy, area.right - area.left, area.bottom - area.top,
                                       FrameMetrics::Current());
    bestFitFactor_ = factor > 0 ? factor : 0.25;
}

void CMainFrame::SetCurrentTool(UINT id) {
    drawing_.SetTool(id);
    if (!toolBar().hwnd()) return;
    toolBar().SetChecked(ID_TOOL_HAND, id == ID_TOOL_HAND);
    toolBar().SetChecked(ID_TOOL_SELECT, id == ID_TOOL_SELECT);
    if (palette_ && (id == ID_TOOL_HAND || id == ID_TOOL_SELECT)) palette_->UncheckButtons();
}

int CMainFrame::CheckSdCard() {
    if (sdControl_ && sdControl_->SD_GetStatus()) return 1;
    bool noCard = sdControl_ && sdControl_->status() == device::kSdNoCard;
    ShowAppMessage(noCard ? IDS_SD_NOT_INSERTED : IDS_SD_UNAVAILABLE, MB_OK | MB_ICONERROR);
    return 0;
}

bool CMainFrame::OnCommand(UINT id) {
    switch (id) {
    case ID_FILE_OPEN: OnFileOpen(); return true;
    case ID_FILE_ALL_CLOSE: OnAllClose(); return true;
    case ID_TOOL_STILL_CAPTURE:
        if (deviceOpen()) OnStillCapture();
        return true;
    case ID_LIVE_START:
        if (!live_.playing() && deviceOpen()) OnStartLive();
        return true;
    case ID_LIVE_STOP:
        PauseLive();
        return true;
    case ID_LIVE_SCALE_25: live_.SetScale(4); return true;
    case ID_LIVE_SCALE_50: live_.SetScale(2); return true;
    case ID_LIVE_SCALE_100: live_.SetScale(1); return true;
    case ID_TOOL_REMOTE_CONTROL:
        if (remote_ && deviceOpen()) OnRemoteControl();
        return true;
    case ID_TOOL_DRAW: OnToolDraw(); return true;
    case ID_TOOL_FILE_CONVERSION: OnFileConversion(); return true;
    case ID_SD_TRANSFER:
        if (CameraCommandsFree()) OnSdTransfer();
        return true;
    case ID_SD_PLAY_LIST:
        if (CameraCommandsFree()) OnPlayList();
        return true;
    case ID_SD_VIEWER:
        if (CameraCommandsFree()) OnToolViewer();
        return true;
    case ID_APP_EXIT: ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); return true;
    case ID_WINDOW_CASCADE: ::SendMessageW(mdiClient(), WM_MDICASCADE, 0, 0); return true;
    case ID_WINDOW_TILE_HORZ: ::SendMessageW(mdiClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0); return true;
    default: return false;
    }
}

bool CMainFrame::OnUpdateCommand(UINT id, fw::CommandState& state) {
    switch (id) {
    case ID_FILE_ALL_CLOSE: state.enabled = ActiveChild() != nullptr; return true;
    case ID_TOOL_STILL_CAPTURE: state.enabled = CameraCommandsFree(); return true;
    case ID_LIVE_START: state.enabled = !live_.playing() && CameraCommandsFree(); return true;
    case ID_LIVE_STOP: state.enabled = live_.playing() && !viewer_; return true;
    case ID_LIVE_SCALE_25:
    case ID_LIVE_SCALE_50:
    case ID_LIVE_SCALE_100:
        state.checked = live_.scaleCode() == (id == ID_LIVE_SCALE_25 ? 4 : id == ID_LIVE_SCALE_50 ? 2 : 1);
        state.radio = true;
        return true;
    case ID_TOOL_REMOTE_CONTROL:
        state.enabled = remote_ && CameraCommandsFree();
        state.checked = remote_ && remote_->IsVisible();
        return true;
    case ID_TOOL_DRAW: state.checked = palette_ && palette_->IsVisible(); return true;
    case ID_SD_TRANSFER:
    case ID_SD_PLAY_LIST:
    case ID_SD_VIEWER: state.enabled = CameraCommandsFree(); return true;
    case ID_FILE_OPEN:
    case ID_TOOL_FILE_CONVERSION:
    case ID_APP_EXIT:
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ: return true;
    default: return false;
    }
}

void CMainFrame::OnDestroy() {
    CloseViewer();
    wchar_t temp[MAX_PATH] = {};
    if (::GetTempPathW(MAX_PATH, temp)) {
        try {
            std::wstring cache = std::wstring(temp) + L"PictavoQZT_Cache";
            if (PathExists(cache)) DeleteFolderTree(cache);
        } catch (const FileException& e) {
            WriteTraceLog(kTraceApp, L"CMainFrame::OnDestroy", L"The error occurred with the [DeleteFolderTree()] function. GetLastError=[0x%08X]",
                          e.error);
        }
    }
    ::PostQuitMessage(0);
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_FIRST_VIEW_DATA: OnSetFirstViewData(); return 0;
    case device::WM_DEVICE_NOTIFY: OnDeviceNotify(wParam); return 0;
    case WM_MSGBOX_CLOSED: DeviceLostCheck(); return 0;
    case WM_LIVE_FAILED: OnLiveFailed(static_cast<UINT>(wParam)); return 0;
    case WM_RESUME_LIVE: ResumeLive(); return 0;
    case WM_VIEWER_CLOSED: CloseViewer(); return 0;
    case WM_ACTIVATE_FULLSCREEN: ActivateFullScreen(); return 0;
    case WM_SIZE: {
        LRESULT r = fw::MdiFrame::WindowProc(msg, wParam, lParam);
        OnSize();
        if (palette_) palette_->KeepBeside();
        return r;
    }
    case WM_DESTROY: {
        LRESULT r = fw::MdiFrame::WindowProc(msg, wParam, lParam);
        OnDestroy();
        return r;
    }
    default: return fw::MdiFrame::WindowProc(msg, wParam, lParam);
    }
}
