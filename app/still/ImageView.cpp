#include "still/ImageView.h"

#include <windowsx.h>

#include <algorithm>
#include <new>

#include "base/ControlDialog.h"
#include "base/PictureHost.h"
#include "base/TraceLog.h"
#include "drawing/DrawingStroke.h"
#include "picture/FullScreenWnd.h"
#include "picture/ImageMath.h"
#include "picture/ViewData.h"
#include "still/ImageDoc.h"
#include "still/ImageFrame.h"
#include "resource.h"

namespace {

// Full size: a still picture is never decoded scaled down.
constexpr int kScaleDenominator = 1;

}  // namespace

CImageView::CImageView(IPictureHost* host) : host_(host) {}

CImageView::~CImageView() = default;

CImageDoc* CImageView::GetDocument() const { return static_cast<CImageDoc*>(document()); }

CViewData* CImageView::viewData() const {
    CImageDoc* doc = GetDocument();
    return doc ? doc->viewData() : nullptr;
}

double CImageView::Zoom() const {
    CImageDoc* doc = GetDocument();
    return doc ? ClampZoom(doc->GetZoom()) : 1.0;
}

SIZE CImageView::OrientedSize() const {
    CViewData* data = viewData();
    if (!data) return SIZE{0, 0};
    SIZE size{data->GetWidth(), data->GetHeight()};
    if (data->GetRotation() % 2) std::swap(size.cx, size.cy);
    return size;
}

SIZE CImageView::ZoomedSize() const {
    SIZE size = OrientedSize();
    const double zoom = Zoom();
    return SIZE{static_cast<LONG>(size.cx * zoom), static_cast<LONG>(size.cy * zoom)};
}

SIZE CImageView::ClientSize() const {
    RECT rc{};
    ::GetClientRect(hwnd(), &rc);
    return SIZE{rc.right, rc.bottom};
}

POINT CImageView::ScrollPosition() const {
    return POINT{::GetScrollPos(hwnd(), SB_HORZ), ::GetScrollPos(hwnd(), SB_VERT)};
}

void CImageView::UpdateViews() {
    if (CImageDoc* doc = GetDocument()) doc->UpdateAllViews(nullptr);
}

HBITMAP CImageView::CompositeBitmap() const { return surfaces_.composite.bitmap(); }
HDC CImageView::baseDC() const { return surfaces_.base.dc(); }
HDC CImageView::overlayDC() const { return surfaces_.overlay.dc(); }
HDC CImageView::compositeDC() const { return surfaces_.composite.dc(); }
HDC CImageView::displayDC() const { return surfaces_.display.dc(); }

// ---- loading ----------------------------------------------------------------

int CImageView::LoadPicture(const wchar_t* path, BOOL isBmp) {
    CImageDoc* doc = GetDocument();
    if (!doc || !doc->LoadPicture(path, isBmp) || !DrawPicture()) return 0;
    InitialFit(kFitToFrame);
    SetScrollBars();
    RenewalPicture();
    UpdateViews();
    return 1;
}

int CImageView::LoadPicture(const void* data, DWORD length, int fitMode) {
    CImageDoc* doc = GetDocument();
    if (!doc || !doc->LoadPicture(data, length, kScaleDenominator) || !DrawPicture()) return 0;
    InitialFit(fitMode);
    SetScrollBars();
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RenewalPicture();
    OnUpdate(nullptr, 0);
    return 1;
}

void CImageView::InitialFit(int fitMode) {
    CViewData* data = viewData();
    if (!data) return;
    const int w = data->GetWidth(), h = data->GetHeight();
    IPictureHost* main = host_;
    auto* frame = dynamic_cast<CImageFrame*>(this->frame());
    double factor = 1.0;
    if (main && frame) {
        const FrameMetrics metrics = FrameMetrics::Current();
        const RECT mdi = main->MdiAreaOnScreen();
        RECT at{};
        ::GetWindowRect(frame->hwnd(), &at);
        const int room = mdi.right - at.left, roomBelow = mdi.bottom - at.top;
        if (fitMode == kFitLiveZoom) {
            factor = main->LiveScaleFactor();
            if (!FrameFitsAt(factor, w, h, room, roomBelow, metrics, true)) main->SetNextChildPosition(POINT{0, 0});
        } else {
            factor = FirstFittingFactor(w, h, room, roomBelow, metrics);
            if (factor == 0) {
                main->SetNextChildPosition(POINT{0, 0});
                factor = FirstFittingFactor(w, h, mdi.right - mdi.left, mdi.bottom - mdi.top, metrics);
                if (factor == 0) factor = 0.25;
            }
        }
    }
    SetZoom(factor);
    if (main && frame) frame->SizeToClient(static_cast<int>(w * Zoom()), static_cast<int>(Zoom() * h));
}

// ---- size -------------------------------------------------------------------

void CImageView::OnSize() {
    const wchar_t* src = L"CImageView::OnSize";
    const SIZE client = ClientSize();
    if (!ResizeMemoryDC(surfaces_.display, client.cx, client.cy, false)) WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC");
    SetScrollBars();
    if (!RenewalPicture()) WriteTraceLogStep(kTraceApp, src, L"RenewalPicture()");
    UpdateViews();
}

// ---- rotation ---------------------------------------------------------------

int CImageView::SetRotation(UINT commandId) {
    const wchar_t* src = L"CImageView::SetRotation";
    CImageDoc* doc = GetDocument();
    if (!doc) return 0;
    doc->Rotate(commandId);
    int result = 1;
    if (!RotationPicture()) {
        WriteTraceLogStep(kTraceApp, src, L"RotationPicture()");
        result = 0;
    }
    SetScrollBars();
    if (!RenewalPicture()) {
        WriteTraceLogStep(kTraceApp, src, L"RenewalPicture()");
        result = 0;
    }
    UpdateViews();
    return result;
}

// ---- full screen ------------------------------------------------------------

int CImageView::ViewFullScreen() {
    const wchar_t* src = L"CImageView::ViewFullScreen";
    CloseFullScreen();
    std::unique_ptr<CFullScreenWnd> window;
    try {
        window = std::make_unique<CFullScreenWnd>(hwnd(), surfaces_.composite.dc());
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, src, L"new CFullScreenWnd");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!window->Constructed() || !window->Initialize()) {
        WriteTraceLog(kTraceApp, src, L"Initialization error of CFullScreenWnd.");
        return 0;  // the object takes a window it still has with it
    }
    if (!window->DrawPicture()) {
        WriteTraceLogStep(kTraceApp, src, L"DrawPicture()");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    fullScreen_ = std::move(window);
    return 1;
}

bool CImageView::IsFullScreen() const { return fullScreen_ != nullptr; }

void CImageView::CloseFullScreen() {
    if (!fullScreen_) return;
    fullScreen_->StopDrawing();
    if (fullScreen_->IsWindow()) ::DestroyWindow(fullScreen_->hwnd());
    fullScreen_.reset();
}

// ---- messages ---------------------------------------------------------------

LRESULT CImageView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_CREATE:
        if (fw::View::WindowProc(msg, wParam, lParam) == -1) return -1;
        return OnCreate();
    case WM_SIZE: {
        LRESULT result = fw::View::WindowProc(msg, wParam, lParam);
        OnSize();
        return result;
    }
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_ERASEBKGND: return FALSE;  // painting covers the whole client area
    case WM_PAINT: OnPaint(); return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd() && OnSetCursor(LOWORD(lParam))) return TRUE;
        break;
    case WM_LBUTTONDOWN: OnLButtonDown(point); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, point); break;
    case WM_LBUTTONUP: OnLButtonUp(point); return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-press (a dialog, Alt+Tab) ends the press.
        if (press_.down && reinterpret_cast<HWND>(lParam) != hwnd()) EndPress();
        break;
    case WM_EXIT_FULL_SCREEN: CloseFullScreen(); return 0;
    case WM_DESTROY: {
        LRESULT result = fw::View::WindowProc(msg, wParam, lParam);
        CloseFullScreen();
        return result;
    }
    default: break;
    }
    return fw::View::WindowProc(msg, wParam, lParam);
}
