#include "live/AnimeView.h"
#include "ScrollMath.h"

#include <windowsx.h>

#include <new>
#include <utility>

#include "live/AnimeDoc.h"
#include "live/AnimeFrame.h"
#include "picture/FullScreenWnd.h"
#include "picture/ImageMath.h"
#include "base/LiveControl.h"
#include "base/PictureHost.h"
#include "picture/ScrollBars.h"
#include "base/TraceLog.h"
#include "picture/ViewData.h"
#include "resource.h"

namespace {

// Setting a scroll bar can resize the client area, whose handling comes back
// here; the views share the user-interface thread, so one flag serves all.
bool resettingScrollBars = false;

HCURSOR AppCursor(UINT id) { return ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)); }

}  // namespace

CAnimeView::CAnimeView(IPictureHost* host) : host_(host) {}

CAnimeView::~CAnimeView() {
    // A window still open goes before the picture DC it reads from.
    fullScreen_.reset();
}

CAnimeDoc* CAnimeView::GetDocument() const { return dynamic_cast<CAnimeDoc*>(document()); }

CAnimeFrame* CAnimeView::animeFrame() const { return dynamic_cast<CAnimeFrame*>(frame()); }

void CAnimeView::PostFailure(UINT stringId) const {
    ::PostMessageW(::GetParent(hwnd()), WM_LIVE_FAILED, stringId, 0);
}

int CAnimeView::OnCreate() {
    CAnimeDoc* doc = GetDocument();
    if (!doc || !doc->CreateViewData()) {
        WriteTraceLogStep(kTraceApp, L"CAnimeView::OnCreate", L"pDoc->CreateViewData()");
        return -1;
    }
    doc_ = doc;
    picture_.Bind(doc, hwnd(), ::GetParent(hwnd()));
    return 0;
}

void CAnimeView::OnUpdate(fw::View*, LPARAM) {
    if (!doc_) return;
    if (!picture_.RenderBackBuffer()) WriteTraceLogStep(kTraceApp, L"CAnimeView::OnUpdate", L"StretchBlt");
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void CAnimeView::OnResizeDC(int width, int height) {
    if (!picture_.ResizeBackBuffer(SIZE{width, height})) return;
    // The bars belong to the client size as much as to the picture.
    ResetScrollBars();
    if (doc_) doc_->UpdateAllViews(nullptr);
}

void CAnimeView::SetDecodeScale(int denominator) {
    picture_.SetDecodeScale(denominator);
    if (doc_ && doc_->GetPictureWidth() > 0) ResetScrollBars();
}

void CAnimeView::SetDisplayZoom(double zoom) {
    if (!doc_) return;
    picture_.SetZoom(ClampZoom(zoom));
    ResetScrollBars();
    doc_->UpdateAllViews(nullptr);
}

double CAnimeView::GetDisplayZoom() const { return picture_.zoom(); }

// ---- full screen ------------------------------------------------------------

int CAnimeView::ViewFullScreen() {
    const wchar_t* src = L"CAnimeView::ViewFullScreen";
    if (fullScreen_) {
        ::SetForegroundWindow(fullScreen_->hwnd());
        return 1;
    }
    std::unique_ptr<CFullScreenWnd> window;
    try {
        window = std::make_unique<CFullScreenWnd>(
            hwnd(), [this](HDC dc, const RECT& client) { return picture_.StretchFullScreen(dc, client); });
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, src, L"new CFullScreenWnd");
        PostFailure(IDS_NO_RESOURCES);
        return 0;
    }
    if (!window->Constructed() || !window->Initialize()) {
        WriteTraceLog(kTraceApp, src, L"Initialization error of CFullScreenWnd.");
        return 0;  // the object takes a window it still has with it
    }
    fullScreen_ = std::move(window);
    picture_.EnterFullScreen();
    // The picture at hand, until the first frame at full size replaces it.
    picture_.DrawFullScreen(fullScreen_.get());
    CAnimeFrame* frame = animeFrame();
    // Paused, no frame would come: the kept one is shown again at full size.
    if (host_ && !host_->liveControl().playing() && frame) frame->RedrawKeptFrame();
    return 1;
}

void CAnimeView::ExitFullScreen() { CloseFullScreen(true); }

void CAnimeView::CloseFullScreen(bool redrawKeptFrame) {
    if (!fullScreen_) return;
    fullScreen_->StopDrawing();
    picture_.LeaveFullScreen(host_ ? host_->liveControl().scaleCode() : 0);
    // The window still covers the view while the kept frame is drawn into it again.
    if (redrawKeptFrame)
        if (CAnimeFrame* frame = animeFrame()) frame->RedrawKeptFrame();
    fullScreen_.reset();
    if (host_) host_->SetRemoteTopmost(false);
    if (redrawKeptFrame) {
        ResetScrollBars();
        OnUpdate(nullptr, 0);
    }
}

// ---- scrolling --------------------------------------------------------------

void CAnimeView::ResetScrollBars() {
    // Full screen's pictures are not the window's: the bars wait for its end.
    if (!doc_ || !hwnd() || resettingScrollBars || IsFullScreen()) return;
    resettingScrollBars = true;
    const double zoom = GetDisplayZoom();
    const SIZE extent{static_cast<LONG>(doc_->GetPictureWidth() * zoom),
                      static_cast<LONG>(doc_->GetPictureHeight() * zoom)};
    const POINT result = FitScrollBars(hwnd(), extent, picture_.scroll());
    picture_.SetScroll(SB_HORZ, result.x);
    picture_.SetScroll(SB_VERT, result.y);
    resettingScrollBars = false;
}

void CAnimeView::OnScroll(int bar, UINT code) {
    int old = 0, position = 0;
    if (!RequestedScrollPosition(hwnd(), bar, code, old, position)) return;
    ::SetScrollPos(hwnd(), bar, position, TRUE);
    picture_.SetScroll(bar, position);
    if (doc_) doc_->UpdateAllViews(nullptr);
}

int CAnimeView::SetScrollInfo(int bar, int position) {
    SCROLLINFO si = fw::ScrollInfo(SIF_POS);
    si.nPos = position;
    ::SetScrollInfo(hwnd(), bar, &si, TRUE);
    SCROLLINFO now = fw::ScrollInfo(SIF_POS);
    if (!::GetScrollInfo(hwnd(), bar, &now)) {
        WriteTraceLogStep(kTraceApp, L"CAnimeView::SetScrollInfo", L"CWnd::SetScrollInfo()");
        PostFailure(IDS_INTERNAL_ERROR);
        return 0;
    }
    picture_.SetScroll(bar, now.nPos);
    return 1;
}

// ---- mouse ------------------------------------------------------------------

bool CAnimeView::OnSetCursor(HWND window, UINT hitTest) {
    if (window != hwnd() || hitTest != HTCLIENT) return false;
    ::SetCursor(AppCursor(IDC_HAND_OPEN));
    return true;
}

void CAnimeView::OnLButtonDown(POINT p) {
    drag_.scroll = picture_.scroll();
    drag_.at = p;
    drag_.active = true;
    ::SetCursor(AppCursor(IDC_HAND_CLOSED));
    ::SetCapture(hwnd());
}

void CAnimeView::OnMouseMove(WPARAM flags, POINT q) {
    if (flags != MK_LBUTTON || !drag_.active || !doc_) return;
    // At 1.0 or below the whole picture is in view: nothing to drag.
    const double zoom = GetDisplayZoom();
    if (zoom <= 1.0) return;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int x = LimitDragPosition(drag_.scroll.x + drag_.at.x - q.x,
                                    static_cast<int>(doc_->GetPictureWidth() * zoom), client.right);
    const int y = LimitDragPosition(drag_.scroll.y + drag_.at.y - q.y,
                                    static_cast<int>(doc_->GetPictureHeight() * zoom), client.bottom);
    if (!SetScrollInfo(SB_HORZ, x) || !SetScrollInfo(SB_VERT, y)) return;
    OnUpdate(nullptr, 0);
}

void CAnimeView::OnLButtonUp() {
    drag_.active = false;
    if (::GetCapture() == hwnd()) ::ReleaseCapture();
}

// ---- painting and messages --------------------------------------------------

void CAnimeView::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    if (dc) OnDraw(dc);
    ::EndPaint(hwnd(), &ps);
}

void CAnimeView::OnDraw(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    picture_.Paint(dc, SIZE{client.right, client.bottom});
}

LRESULT CAnimeView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        if (fw::View::WindowProc(msg, wParam, lParam) == -1) {
            WriteTraceLogStep(kTraceApp, L"CAnimeView::OnCreate", L"OnCreate");
            return -1;
        }
        return OnCreate();
    case WM_SIZE: {
        LRESULT result = fw::View::WindowProc(msg, wParam, lParam);
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        ::PostMessageW(hwnd(), WM_RESIZE_DC, client.right, client.bottom);
        return result;
    }
    case WM_RESIZE_DC: OnResizeDC(static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case WM_RESET_SCROLL:
        ResetScrollBars();
        OnUpdate(nullptr, 0);
        return 0;
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_ERASEBKGND: return 1;  // the back buffer covers the client area
    case WM_PAINT: OnPaint(); return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
        break;
    case WM_LBUTTONDOWN: OnLButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); break;
    case WM_LBUTTONUP: OnLButtonUp(); return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-drag (a dialog, Alt+Tab) ends the drag.
        if (reinterpret_cast<HWND>(lParam) != hwnd()) drag_.active = false;
        break;
    case WM_EXIT_FULL_SCREEN: ExitFullScreen(); return 0;
    case WM_DRAW_FULL_SCREEN: picture_.DrawFullScreen(fullScreen_.get()); return 0;
    case WM_DESTROY: {
        LRESULT result = fw::View::WindowProc(msg, wParam, lParam);
        CloseFullScreen(false);  // the threads are gone: no kept frame to show
        return result;
    }
    default: break;
    }
    return fw::View::WindowProc(msg, wParam, lParam);
}
