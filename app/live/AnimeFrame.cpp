// The live monitor frame's window: its size follows the decoded picture, its
// caption the picture size and the display zoom, and closing it stops the
// threads first.
#include "live/AnimeFrame.h"

#include <algorithm>

#include "live/AnimeDoc.h"
#include "live/AnimeView.h"
#include "picture/ImageMath.h"
#include "base/AppMessages.h"
#include "base/AppServices.h"
#include "base/ControlDialog.h"
#include "base/PictureHost.h"
#include "Strings.h"
#include "base/TraceLog.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kLiveTitle = L"Live Monitor";

// The live view moves along the zoom ladder only; a factor off it starts
// again from actual size.
double LiveZoomStep(double zoom, bool in) {
    const bool onLadder = zoom == kMinZoom || ZoomInStep(ZoomOutStep(zoom)) == zoom;
    if (!onLadder) return 1.0;
    return in ? ZoomInStep(zoom) : ZoomOutStep(zoom);
}

}  // namespace

CAnimeFrame::CAnimeFrame(IPictureHost* host) : host_(host) {}

SIZE CAnimeFrame::CameraPicture() const { return host_ ? host_->liveControl().pictureSize() : CLiveControl::kCameraPicture; }

int CAnimeFrame::LiveDenominator() const { return host_ ? std::max(host_->liveControl().scaleCode(), 1) : 1; }

// Normally stopped by then (close, destroy); a frame whose window never came
// to be still ends what it started.
CAnimeFrame::~CAnimeFrame() { StopSemiAnimation(); }

int CAnimeFrame::PlaySemiAnimation() {
    if (threads_.running()) return 1;
    CAnimeView* view = animeView();
    if (view && host_) view->SetDecodeScale(LiveDenominator());
    if (threads_.Start(LiveStart{AppDeviceControl(), view ? &view->livePicture() : nullptr, hwnd()})) return 1;
    ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    return 0;
}

void CAnimeFrame::StopSemiAnimation() { threads_.Stop(); }

void CAnimeFrame::SuspendRequests() { threads_.Pause(); }

void CAnimeFrame::ResumeRequests() { threads_.Resume(); }

void CAnimeFrame::RedrawKeptFrame() { threads_.RedrawKeptFrame(); }

void CAnimeFrame::PostRedrawKeptFrame() { threads_.PostRedrawKeptFrame(); }

CAnimeView* CAnimeFrame::animeView() const { return dynamic_cast<CAnimeView*>(view()); }

CAnimeDoc* CAnimeFrame::animeDocument() const { return dynamic_cast<CAnimeDoc*>(document()); }

void CAnimeFrame::PreCreateWindow(MDICREATESTRUCTW& cs) {
    // The live zoom sizes the window; the user neither drags nor maximises it.
    cs.style &= ~(WS_MAXIMIZEBOX | WS_THICKFRAME);
    const SIZE picture = CameraPicture();
    const int d = LiveDenominator();
    RECT rc{0, 0, picture.cx / d, picture.cy / d};
    ::AdjustWindowRectEx(&rc, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, FALSE, WS_EX_CLIENTEDGE);
    cs.cx = rc.right - rc.left;
    cs.cy = rc.bottom - rc.top;
    const POINT at = host_ ? host_->LiveWindowPosition(SIZE{cs.cx, cs.cy}) : POINT{0, 0};
    cs.x = at.x;
    cs.y = at.y;
}

bool CAnimeFrame::OnCreate() {
    if (!fw::MdiChild::OnCreate()) {
        WriteTraceLog(kTraceApp, L"CAnimeFrame::OnCreate", L"The error occurred with the [OnCreate] function.");
        return false;
    }
    HICON icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_LIVE_FRAME),
                                                 IMAGE_ICON, 16, 16, LR_SHARED));
    if (icon) ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    // The creation size came from the usual borders; now that the view
    // exists, its own edge is measured in as well.
    const SIZE picture = CameraPicture();
    const int d = LiveDenominator();
    ResizeClient(picture.cx / d, picture.cy / d);
    ::PostMessageW(hwnd(), WM_ANIME_FRAME_CREATED, 0, 0);
    return true;
}

void CAnimeFrame::ResizeClient(int width, int height) {
    RECT rc{0, 0, std::max(width, 1), std::max(height, 1)};
    // Scroll bars are left out: at actual size the picture needs none.
    if (fw::View* v = view(); v && v->IsWindow())
        ::AdjustWindowRectEx(&rc, ::GetWindowLongW(v->hwnd(), GWL_STYLE) & ~(WS_HSCROLL | WS_VSCROLL), FALSE,
                             ::GetWindowLongW(v->hwnd(), GWL_EXSTYLE));
    ::AdjustWindowRectEx(&rc, ::GetWindowLongW(hwnd(), GWL_STYLE), FALSE, ::GetWindowLongW(hwnd(), GWL_EXSTYLE));
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (::IsIconic(hwnd()) || ::IsZoomed(hwnd())) {
        // Sizing now would restore the window; the size waits for the restore.
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        if (::GetWindowPlacement(hwnd(), &wp)) {
            wp.rcNormalPosition.right = wp.rcNormalPosition.left + cx;
            wp.rcNormalPosition.bottom = wp.rcNormalPosition.top + cy;
            ::SetWindowPlacement(hwnd(), &wp);
        }
        return;
    }
    ::SetWindowPos(hwnd(), nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CAnimeFrame::ResizeToPicture() {
    CAnimeDoc* doc = animeDocument();
    if (!doc || doc->GetPictureWidth() <= 0 || doc->GetPictureHeight() <= 0) return;
    ResizeClient(doc->GetPictureWidth(), doc->GetPictureHeight());
}

void CAnimeFrame::SetLiveScale(int denominator) {
    CAnimeView* view = animeView();
    CAnimeDoc* doc = animeDocument();
    if (!view || !doc || denominator < 1) return;
    const int d = view->decodeScale();
    SIZE client{doc->GetPictureWidth() * d / denominator, doc->GetPictureHeight() * d / denominator};
    if (client.cx <= 0 || client.cy <= 0) {
        // No frame yet: the camera's picture at the new zoom, not an empty window.
        const SIZE picture = CameraPicture();
        client = SIZE{picture.cx / denominator, picture.cy / denominator};
    }
    view->SetDecodeScale(denominator);
    ResizeClient(client.cx, client.cy);
    ::SendMessageW(hwnd(), WM_UPDATE_TITLE, d, 0);
    // The kept frame at the new zoom now, not when the next one arrives.
    PostRedrawKeptFrame();
}

void CAnimeFrame::SetFullScreen() {
    if (host_) host_->SetRemoteTopmost(true);
    CAnimeView* view = animeView();
    if (view && view->ViewFullScreen()) return;
    WriteTraceLog(kTraceApp, L"CAnimeFrame::SetFullScreen", L"The error occurred with the [ViewFullScreen()] function.");
    if (host_) host_->SetRemoteTopmost(false);
}

void CAnimeFrame::UpdateTitle(int multiplier) {
    CAnimeDoc* doc = animeDocument();
    CAnimeView* view = animeView();
    int width = doc ? doc->GetPictureWidth() * multiplier : 0;
    int height = doc ? doc->GetPictureHeight() * multiplier : 0;
    if (width == 0 || height == 0) {
        const SIZE picture = CameraPicture();
        width = picture.cx;
        height = picture.cy;
    }
    const int d = LiveDenominator();
    const std::wstring size = fw::Format(L"%s %dx%d", kLiveTitle, width / d, height / d);
    ::SetWindowTextW(hwnd(), ImageCaption(size, 0, view ? view->GetDisplayZoom() : 1.0).c_str());
    if (doc) doc->SetTitle(kLiveTitle);
}

bool CAnimeFrame::OnCommand(UINT id) {
    CAnimeView* view = animeView();
    if (!view) return false;
    switch (id) {
    case ID_VIEW_FULL_SCREEN: SetFullScreen(); return true;
    case ID_FILE_CLOSE: ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); return true;
    case ID_VIEW_ZOOM_IN:
    case ID_VIEW_ZOOM_OUT: view->SetDisplayZoom(LiveZoomStep(view->GetDisplayZoom(), id == ID_VIEW_ZOOM_IN)); break;
    case ID_VIEW_ACTUAL_SIZE: view->SetDisplayZoom(1.0); break;
    default: return false;
    }
    ::SendMessageW(hwnd(), WM_UPDATE_TITLE, view->decodeScale(), 0);
    return true;
}

bool CAnimeFrame::OnUpdateCommand(UINT id, fw::CommandState&) {
    switch (id) {
    case ID_VIEW_FULL_SCREEN:
    case ID_FILE_CLOSE:
    case ID_VIEW_ZOOM_IN:
    case ID_VIEW_ZOOM_OUT:
    case ID_VIEW_ACTUAL_SIZE:
        return true;
    default:
        return false;
    }
}

LRESULT CAnimeFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ANIME_FRAME_CREATED:
        if (host_) host_->AdvanceNextChildPosition();
        ::SendMessageW(hwnd(), WM_UPDATE_TITLE, 0, 0);
        return 0;
    case WM_UPDATE_TITLE: UpdateTitle(static_cast<int>(wParam)); return 0;
    case WM_CLOSE:
        // Stopping pumps messages; a close that arrives meanwhile (a failure
        // report, the main frame) is the one already under way.
        if (closing_) return 0;
        closing_ = true;
        StopSemiAnimation();
        closing_ = false;
        break;
    case WM_DESTROY: {
        StopSemiAnimation();
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        if (host_ && ::GetWindowPlacement(hwnd(), &wp))
            host_->liveControl().RememberPosition(POINT{wp.rcNormalPosition.left, wp.rcNormalPosition.top});
        if (host_) host_->liveControl().Forget(this);
        break;
    }
    case WM_PAUSE_LIVE:
        if (host_) host_->liveControl().Pause();
        return 1;
    case WM_LIVE_FAILED:
        if (host_) ::PostMessageW(host_->hostWindow(), WM_LIVE_FAILED, wParam, 0);
        return 1;
    case WM_PICTURE_SIZE_CHANGED: {
        // Full screen decodes at full size; the window keeps the live zoom's.
        CAnimeView* view = animeView();
        if (!view || !view->IsFullScreen()) ResizeToPicture();
        ::SendMessageW(hwnd(), WM_UPDATE_TITLE, wParam, 0);
        return 0;
    }
    default: break;
    }
    return fw::MdiChild::WindowProc(msg, wParam, lParam);
}
