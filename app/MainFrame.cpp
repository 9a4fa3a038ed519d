#include "MainFrame.h"

#include <commctrl.h>

#include <new>

#include "AnimeFrame.h"
#include "ControlDialog.h"
#include "DocTemplate.h"
#include "FileSelDlg.h"
#include "FullScreenWnd.h"
#include "ImageDoc.h"
#include "ImageFrame.h"
#include "ImageMath.h"
#include "ImageView.h"
#include "LiveMessages.h"
#include "PathName.h"
#include "Registry.h"
#include "Utilities.h"
#include "VexaDialog.h"
#include "PictavoApp.h"
#include "Strings.h"
#include "TraceLog.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kPictureFilter = L"JPEG (*.jpg)|*.jpg|BMP (*.bmp)|*.bmp||";
constexpr int kLiveWidth = 1024;
constexpr int kLiveHeight = 768;
constexpr int kStillTries = 3;
constexpr DWORD kStillRetryDelayMs = 100;
// Buttons of the toolbar resource whose windows the program does not have yet.
const std::vector<UINT> kButtonsNotOffered = {ID_TOOL_DRAW};

// Releases a block the camera library handed over, however the load went.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL block) : block_(block), data_(block ? ::GlobalLock(block) : nullptr) {}
    ~LockedBlock() {
        if (data_) ::GlobalUnlock(block_);
        if (block_) ::GlobalFree(block_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    const void* data() const { return data_; }
    // A size the block cannot hold is garbage from the library.
    bool Holds(DWORD size) const { return data_ && size <= ::GlobalSize(block_); }

private:
    HGLOBAL block_;
    void* data_;
};

}  // namespace

CMainFrame* GetMainFrame() {
    fw::Application* app = fw::Application::Instance();
    if (!app || !app->mainWindow() || !::IsWindow(app->mainWindow())) return nullptr;
    return dynamic_cast<CMainFrame*>(app->mdiFrame());
}

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() {
    sdControl_.reset();
    bDeviceClose();
}

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

bool CMainFrame::CreateBars() {
    const wchar_t* src = L"CMainFrame::OnCreate";
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    SIZE imageSize{};
    std::vector<fw::ToolButton> buttons = fw::LoadToolBarResource(instance, IDR_MAINFRAME, &imageSize);
    if (buttons.empty() || !toolBar().Create(hwnd(), instance, IDR_MAINFRAME, imageSize, buttons)) {
        WriteTraceLog(kTraceApp, src, L"Failed to create tool bar.");
        return false;
    }
    toolBar().HideButtons(kButtonsNotOffered);
    if (!statusBar().Create(hwnd())) {
        WriteTraceLog(kTraceApp, src, L"Failed to create status bar.");
        return false;
    }
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
    SetCurrentTool(currentTool_);
    ::PostMessageW(hwnd(), WM_FIRST_VIEW_DATA, 0, 0);
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

void CMainFrame::OnSetFirstViewData() {
    if (!InitRemoteCtrl(*this, PictavoApp()->deviceControl(), remote_)) {
        WriteTraceLog(kTraceApp, L"CMainFrame::OnSetFirstViewData", L"The error occurred with the [InitRemoteCtrl()] function.");
        return;
    }
    try {
        sdControl_ = std::make_unique<CSDControl>(PictavoApp()->deviceControl());
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, L"CMainFrame::OnSetFirstViewData", L"new Object");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        return;
    }
    ::SetActiveWindow(hwnd());
}

int CMainFrame::bDeviceOpen() {
    device::IDeviceControl* device = PictavoApp() ? PictavoApp()->deviceControl() : nullptr;
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
    ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    return 0;
}

int CMainFrame::bDeviceClose() {
    device::IDeviceControl* device = PictavoApp() ? PictavoApp()->deviceControl() : nullptr;
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


void CMainFrame::OnDeviceNotify(WPARAM event) {
    if (event == kDeviceArrived) {
        if (!deviceOpen_ && bDeviceOpen()) SetStatusText(IDS_READY);
    } else if (event == kDeviceRemoved && deviceOpen_) {
        deviceOpen_ = false;
        SetStatusText(IDS_MAIN_UNIT_UNAVAILABLE);
        CloseLiveFrame();
        DeviceLostCheck();
    }
}

void CMainFrame::AddCameraWindow(HWND window) {
    if (window) cameraWindows_.push_back(window);
}

void CMainFrame::DeviceLostCheck() {
    CPictavoApp* app = PictavoApp();
    // A box that is open may belong to one of the windows about to close;
    // the check comes back when the last box is dismissed.
    if (app && app->controlDialog() && app->controlDialog()->GetCount() > 0) return;
    device::IDeviceControl* device = app ? app->deviceControl() : nullptr;
    if (device && device->IsConnect()) return;
    if (remote_ && remote_->IsVisible()) remote_->HidePanel();
    std::vector<HWND> windows;
    windows.swap(cameraWindows_);
    for (HWND window : windows)
        if (::IsWindow(window)) ::SendMessageW(window, WM_CLOSE, 0, 0);
}

int CMainFrame::GetJpegData(CImageView* view, int mode) {
    const wchar_t* src = L"CMainFrame::GetJpegData";
    device::IDeviceControl* device = PictavoApp() ? PictavoApp()->deviceControl() : nullptr;
    if (!device || !view) return 0;
    const device::RequestHeader request = device::MakeRequest(device::kGetJpegImage);
    HGLOBAL block = nullptr;
    DWORD size = 0;
    for (int attempt = 1;; ++attempt) {
        DWORD detail = 0;
        block = nullptr;
        size = 0;
        if (device->bRequest(&request, &block, &size, &detail)) break;
        WriteTraceLog(kTraceApp, src,
                      L"The error occurred with the [bRequest] function of Device control. Detailed Error Code[0x%08X] "
                      L"ErrorCount = %d",
                      detail, attempt);
        bool retry = attempt < kStillTries && device->IsConnect();
        if (attempt < kStillTries && !retry)
            WriteTraceLog(kTraceApp, src, L"Because the device was a unconnection, retrying was discontinued.");
        if (!retry) {
            ShowAppMessage(IDS_STILL_FAILED, MB_OK | MB_ICONERROR);
            return 0;
        }
        ::Sleep(kStillRetryDelayMs);
    }
    LockedBlock data(block);
    // An empty answer or a size the block cannot hold is reported like an
    // undecodable picture: the user asked for a picture and gets none.
    int result = size > 0 && data.Holds(size) ? view->LoadPicture(data.data(), size, mode) : 0;
    if (!result) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [LoadPicture()] function.");
        ShowAppMessage(IDS_STILL_FAILED, MB_OK | MB_ICONERROR);
    }
    return result;
}

fw::DocTemplate* CMainFrame::FindTemplate(const wchar_t* fileNewName) const {
    for (const auto& docTemplate : fw::Application::Instance()->docTemplates())
        if (docTemplate->GetDocString(fw::DocTemplate::FileNewName) == fileNewName) return docTemplate.get();
    return nullptr;
}

void CMainFrame::OnStillCapture() {
    fw::DocTemplate* image = FindTemplate(L"Image");
    fw::DocTemplate::Opened opened = image ? image->OpenNew(*this, false) : fw::DocTemplate::Opened{};
    if (!opened) return;
    if (GetJpegData(static_cast<CImageView*>(opened.view), CImageView::kFitLiveZoom)) {
        ++captureCount_;
        ::SendMessageW(opened.frame->hwnd(), WM_UPDATE_TITLE, 0, 0);
        opened.frame->Show();
    } else {
        opened.document->SetModifiedFlag(false);
        ::PostMessageW(opened.frame->hwnd(), WM_CLOSE, 0, 0);
    }
}

int CMainFrame::FileOpen(const wchar_t* path) {
    const wchar_t* src = L"CMainFrame::FileOpen";
    const std::wstring extension = CPathName(path ? path : L"").Extension();
    const bool isJpeg = ::lstrcmpiW(extension.c_str(), L".jpg") == 0;
    const bool isBmp = ::lstrcmpiW(extension.c_str(), L".bmp") == 0;
    if (!isJpeg && !isBmp) {
        WriteTraceLog(kTraceApp, src, L"Open Invalid Extension File.");
        ShowAppMessage(IDS_OPEN_FAILED, MB_OK | MB_ICONERROR);
        return 0;
    }
    fw::DocTemplate* image = FindTemplate(L"Image");
    fw::DocTemplate::Opened opened = image ? image->OpenNew(*this, false) : fw::DocTemplate::Opened{};
    if (!opened) return 0;
    auto* frame = static_cast<CImageFrame*>(opened.frame);
    if (!frame->LoadPicture(path, isBmp)) {
        WriteTraceLog(kTraceApp, src, L"Open inaccurate file.");
        ::SendMessageW(mdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(frame->hwnd()), 0);
        ShowAppMessage(IDS_OPEN_FAILED, MB_OK | MB_ICONERROR);
        return 0;
    }
    ::SendMessageW(frame->hwnd(), WM_UPDATE_TITLE, 0, 0);
    frame->Show();
    return 1;
}

int CMainFrame::OpenPicture(const void* data, DWORD length, const wchar_t* title) {
    fw::DocTemplate* image = FindTemplate(L"Image");
    fw::DocTemplate::Opened opened = image ? image->OpenNew(*this, false) : fw::DocTemplate::Opened{};
    if (!opened) return 0;
    auto* doc = static_cast<CImageDoc*>(opened.document);
    if (!static_cast<CImageView*>(opened.view)->LoadPicture(data, length, CImageView::kFitToFrame)) {
        doc->SetModifiedFlag(false);
        WriteTraceLog(kTraceApp, L"CMainFrame::FileOpen", L"The error occurred with the [LoadPicture()] function.");
        ShowAppMessage(IDS_OPEN_FAILED, MB_OK | MB_ICONERROR);
        ::PostMessageW(opened.frame->hwnd(), WM_CLOSE, 0, 0);
        return 0;
    }
    const std::wstring name = title ? title : L"";
    doc->SetPathName(name);
    doc->SetTitle(name);
    doc->SetName(name);  // the caption shows it in place of an untitled number
    ::SendMessageW(opened.frame->hwnd(), WM_UPDATE_TITLE, 0, 0);
    opened.frame->Show();
    return 1;
}

void CMainFrame::OnFileOpen() {
    const wchar_t* src = L"CMainFrame::OnFileOpen";
    std::wstring documents;
    GetMyDocumentsFolder(documents);
    std::wstring folder = RegReadString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"InputFolder", documents);
    std::wstring probe = folder;
    if (!probe.empty() && probe.back() == L'\\') probe.pop_back();
    if (!PathExists(probe)) folder = documents;

    CFileSelDlg dialog(true, nullptr, nullptr, OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kPictureFilter,
                       hwnd());
    wchar_t path[MAX_PATH] = {};
    int result = dialog.DoModal(nullptr, folder.c_str(), path, MAX_PATH);
    if (result == IDCANCEL) return;
    if (result != IDOK) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [DoModal()] function. Return Code[%d]", result);
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return;
    }
    if (FileOpen(path) == 1)
        RegWriteString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"InputFolder", CPathName(path).DriveFolder());
    else
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [FileOpen()] function.");
}

void CMainFrame::OnAllClose() {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(mdiClient(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    // Closing the active child activates the next; a child whose save prompt
    // was cancelled stays active and stops the rest.
    for (HWND child : children)
        if (::IsWindow(child) && child == ActiveChild()) ::SendMessageW(child, WM_CLOSE, 0, 0);
}

double CMainFrame::LiveScaleFactor() const {
    if (!liveFrame_) return bestFitFactor_;
    return scaleCode_ == 4 ? 0.25 : scaleCode_ == 2 ? 0.5 : 1.0;
}

// The live monitor ---------------------------------------------------------

int CMainFrame::bPlaySemiAnimetion() {
    livePicture_ = SIZE{kLiveWidth, kLiveHeight};
    fw::DocTemplate* anime = FindTemplate(L"Anime");
    fw::DocTemplate::Opened opened = anime ? anime->OpenNew(*this, true) : fw::DocTemplate::Opened{};
    liveFrame_ = opened ? static_cast<CAnimeFrame*>(opened.frame) : nullptr;
    if (liveFrame_ && liveFrame_->PlaySemiAnimation()) return 1;
    WriteTraceLog(kTraceApp, L"CMainFrame::bPlaySemiAnimetion", L"The error occurred with the [PlaySemiAnimation()] function.");
    if (opened.frame) ::SendMessageW(mdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(opened.frame->hwnd()), 0);
    liveFrame_ = nullptr;
    playing_ = false;
    return 0;
}

void CMainFrame::CloseLiveFrame() {
    if (!liveFrame_) return;
    resumePending_ = false;
    CAnimeFrame* frame = liveFrame_;
    ::SendMessageW(frame->hwnd(), WM_CLOSE, 0, 0);
    liveFrame_ = nullptr;
    playing_ = false;
}

void CMainFrame::ForgetLiveFrame(CAnimeFrame* frame) {
    if (liveFrame_ != frame) return;
    liveFrame_ = nullptr;
    playing_ = false;
}

POINT CMainFrame::LiveWindowPosition(SIZE size) const {
    // Where the user left the last live window, else the next cascade place.
    const POINT at = livePosition_.x || livePosition_.y ? livePosition_ : nextChild_;
    RECT area = ChildArea();
    bool fits = at.x + size.cx + 20 <= area.right - area.left && at.y + size.cy + 20 <= area.bottom - area.top;
    return fits ? at : POINT{0, 0};
}

void CMainFrame::OnStartLive() {
    if (liveFrame_) {
        liveFrame_->ResumeRequests();
        playing_ = true;
    } else if (bPlaySemiAnimetion()) {
        playing_ = true;
    }
}

void CMainFrame::PauseLive() {
    if (!liveFrame_ || !playing_) return;
    liveFrame_->SuspendRequests();
    playing_ = false;
}

void CMainFrame::ResumeLiveAfterPause() {
    if (!liveFrame_ || playing_) return;
    liveFrame_->ResumeRequests();
    playing_ = true;
}

void CMainFrame::SuspendLive() {
    if (playing_ && liveFrame_) {
        resumePending_ = true;
        liveFrame_->SuspendRequests();
        playing_ = false;
    }
    if (remote_ && remote_->IsVisible()) remote_->Enable(false);
    ++modalDepth_;
}

void CMainFrame::ResumeLive() {
    if (modalDepth_ > 0) --modalDepth_;
    if (resumePending_ && liveFrame_) {
        liveFrame_->ResumeRequests();
        playing_ = true;
    }
    resumePending_ = false;
    if (remote_ && remote_->IsVisible()) remote_->Enable(true);
    ::SetActiveWindow(hwnd());
}

void CMainFrame::SetLiveScale(int code) {
    scaleCode_ = code;
    if (liveFrame_) liveFrame_->SetLiveScale(code);
}

void CMainFrame::OnLiveFailed(UINT messageId) {
    if (!liveFrame_) return;
    CloseLiveFrame();
    ShowAppMessage(messageId, MB_OK | MB_ICONERROR);
}

// The remote-control panel --------------------------------------------------

void CMainFrame::SetRemoteTopmost(bool topmost) {
    if (remote_ && deviceOpen_ && remote_->IsVisible()) remote_->SetTopmost(topmost);
}

void CMainFrame::OnRemoteControl() {
    if (!remote_) return;
    if (remote_->IsVisible())
        remote_->HidePanel();
    else
        remote_->ShowPanel();
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
    livePosition_ = POINT{0, 0};
    RECT area = ChildArea();
    double factor = FirstFittingFactor(kLiveWidth, kLiveHeight, area.right - area.left, area.bottom - area.top,
                                       FrameMetrics::Current());
    bestFitFactor_ = factor > 0 ? factor : 0.25;
}

void CMainFrame::SetCurrentTool(UINT id) {
    currentTool_ = id;
    if (!toolBar().hwnd()) return;
    toolBar().SetChecked(ID_TOOL_HAND, id == ID_TOOL_HAND);
    toolBar().SetChecked(ID_TOOL_SELECT, id == ID_TOOL_SELECT);
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
        if (deviceOpen_) OnStillCapture();
        return true;
    case ID_LIVE_START:
        if (!playing_ && deviceOpen_) OnStartLive();
        return true;
    case ID_LIVE_STOP:
        PauseLive();
        return true;
    case ID_LIVE_SCALE_25: SetLiveScale(4); return true;
    case ID_LIVE_SCALE_50: SetLiveScale(2); return true;
    case ID_LIVE_SCALE_100: SetLiveScale(1); return true;
    case ID_TOOL_REMOTE_CONTROL:
        if (remote_ && deviceOpen_) OnRemoteControl();
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
    case ID_TOOL_STILL_CAPTURE: state.enabled = deviceOpen_; return true;
    case ID_LIVE_START: state.enabled = !playing_ && deviceOpen_; return true;
    case ID_LIVE_STOP: state.enabled = playing_; return true;
    case ID_LIVE_SCALE_25:
    case ID_LIVE_SCALE_50:
    case ID_LIVE_SCALE_100:
        state.checked = scaleCode_ == (id == ID_LIVE_SCALE_25 ? 4 : id == ID_LIVE_SCALE_50 ? 2 : 1);
        state.radio = true;
        return true;
    case ID_TOOL_REMOTE_CONTROL:
        state.enabled = remote_ && deviceOpen_;
        state.checked = remote_ && remote_->IsVisible();
        return true;
    case ID_FILE_OPEN:
    case ID_APP_EXIT:
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ: return true;
    default: return false;
    }
}

void CMainFrame::OnDestroy() {
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
    case WM_DEVICE_NOTIFY: OnDeviceNotify(wParam); return 0;
    case WM_MSGBOX_CLOSED: DeviceLostCheck(); return 0;
    case WM_LIVE_FAILED: OnLiveFailed(static_cast<UINT>(wParam)); return 0;
    case WM_RESUME_LIVE: ResumeLive(); return 0;
    case WM_ACTIVATE_FULLSCREEN: ActivateFullScreen(); return 0;
    case WM_SIZE: {
        LRESULT r = fw::MdiFrame::WindowProc(msg, wParam, lParam);
        OnSize();
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
