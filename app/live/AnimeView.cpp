#include "live/AnimeView.h"
#include "ScrollMath.h"

#include <windowsx.h>

#include <algorithm>
#include <mutex>
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

using Guard = std::lock_guard<fw::CriticalSection>;

// Setting a scroll bar can resize the client area, whose handling comes back
// here; the views share the user-interface thread, so one flag serves all.
bool resettingScrollBars = false;

HCURSOR AppCursor(UINT id) { return ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)); }


}  // namespace

// A memory DC with a bitmap compatible with the window, and the bitmap it
// came with, which goes back in before the DC is deleted. The DC itself stays
// for the view's life: the full-screen window keeps reading the picture DC.
class CAnimeView::Surface {
public:
    Surface() = default;
    ~Surface() { Release(); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    bool made() const { return static_cast<bool>(dc_); }
    HDC dc() const { return dc_.get(); }
    SIZE size() const { return size_; }

    void Adopt(fw::DcHandle dc, fw::GdiObject bitmap, HGDIOBJ displaced, SIZE size) {
        Release();
        dc_ = std::move(dc);
        bitmap_ = std::move(bitmap);
        displaced_ = displaced;
        size_ = size;
    }

    // Takes `bitmap` over and frees the present one; on failure nothing
    // changes and `bitmap` frees itself.
    bool Replace(fw::GdiObject bitmap, SIZE size) {
        HGDIOBJ previous = ::SelectObject(dc_.get(), bitmap.get());
        if (!previous || previous == HGDI_ERROR) return false;
        bitmap_ = std::move(bitmap);
        size_ = size;
        return true;
    }

private:
    void Release() {
        // The bitmap can go only once it is no longer selected.
        if (dc_ && displaced_) ::SelectObject(dc_.get(), displaced_);
        bitmap_.reset();
        dc_.reset();
        displaced_ = nullptr;
        size_ = SIZE{0, 0};
    }

    fw::DcHandle dc_;
    fw::GdiObject bitmap_;
    HGDIOBJ displaced_ = nullptr;
    SIZE size_{0, 0};
};

CAnimeView::CAnimeView(IPictureHost* host) : host_(host), picture_(std::make_unique<Surface>()), back_(std::make_unique<Surface>()) {}

CAnimeView::~CAnimeView() {
    // A window still open goes before the picture DC it reads from.
    fullScreen_.reset();
}

CAnimeDoc* CAnimeView::GetDocument() const { return dynamic_cast<CAnimeDoc*>(document()); }

CAnimeFrame* CAnimeView::animeFrame() const { return dynamic_cast<CAnimeFrame*>(frame()); }

HDC CAnimeView::pictureDC() const { return picture_->dc(); }

HDC CAnimeView::backBufferDC() const { return back_->dc(); }

void CAnimeView::PostFailure(UINT stringId) const {
    if (frameWnd_) ::PostMessageW(frameWnd_, WM_LIVE_FAILED, stringId, 0);
}

int CAnimeView::OnCreate() {
    CAnimeDoc* doc = GetDocument();
    if (!doc || !doc->CreateViewData()) {
        WriteTraceLogStep(kTraceApp, L"CAnimeView::OnCreate", L"pDoc->CreateViewData()");
        return -1;
    }
    doc_ = doc;
    ownWnd_ = hwnd();
    frameWnd_ = ::GetParent(hwnd());
    return 0;
}

// ---- surfaces ---------------------------------------------------------------

int CAnimeView::CreateMemoryDC(Surface& surface, int width, int height) {
    const wchar_t* src = L"CAnimeView::CreateMemoryDC";
    width = std::max(width, 1);
    height = std::max(height, 1);
    HDC client = ::GetDC(ownWnd_);
    fw::DcHandle dc(client ? ::CreateCompatibleDC(client) : nullptr);
    if (!dc) {
        if (client) ::ReleaseDC(ownWnd_, client);
        WriteTraceLogStep(kTraceApp, src, L"CreateCompatibleDC");
        PostFailure(IDS_INTERNAL_ERROR);
        return 0;
    }
    fw::GdiObject bitmap(::CreateCompatibleBitmap(client, width, height));
    ::ReleaseDC(ownWnd_, client);
    if (!bitmap) {
        WriteTraceLogStep(kTraceApp, src, L"CreateCompatibleBitmap");
        PostFailure(IDS_INTERNAL_ERROR);
        return 0;
    }
    HGDIOBJ displaced = ::SelectObject(dc.get(), bitmap.get());
    if (!displaced || displaced == HGDI_ERROR) {
        WriteTraceLogStep(kTraceApp, src, L"SelectObject");
        PostFailure(IDS_INTERNAL_ERROR);
        return 0;
    }
    Guard guard(lock_);
    surface.Adopt(std::move(dc), std::move(bitmap), displaced, SIZE{width, height});
    return 1;
}

int CAnimeView::ResizeMemoryDC(Surface& surface, int width, int height) {
    const wchar_t* src = L"CAnimeView::ResizeMemoryDC";
    width = std::max(width, 1);
    height = std::max(height, 1);
    Guard guard(lock_);
    const SIZE now = surface.size();
    // Every pixel is drawn over anyway; a bitmap of the right size stays.
    if (now.cx == width && now.cy == height) return 1;
    HDC client = ::GetDC(ownWnd_);
    fw::GdiObject bitmap(client ? ::CreateCompatibleBitmap(client, width, height) : nullptr);
    if (client) ::ReleaseDC(ownWnd_, client);
    if (!bitmap) {
        WriteTraceLogStep(kTraceApp, src, L"CreateCompatibleBitmap");
        PostFailure(IDS_INTERNAL_ERROR);
        return 0;
    }
    // Made before the old one goes, so a failure leaves the surface as it was.
    if (!surface.Replace(std::move(bitmap), SIZE{width, height})) {
        WriteTraceLogStep(kTraceApp, src, L"SelectObject");
        PostFailure(IDS_INTERNAL_ERROR);
        return 0;
    }
    ::PatBlt(surface.dc(), 0, 0, width, height, BLACKNESS);
    return 1;
}

int CAnimeView::DrawPicture() {
    const wchar_t* src = L"CAnimeView::DrawPicture";
    CViewData* data = doc_ ? doc_->viewData() : nullptr;
    if (!data || !data->GetPicture().bitmap) return 1;
    const PictureRecord& picture = data->GetPicture();
    if (!picture_->made() && !CreateMemoryDC(*picture_, 1, 1)) {
        WriteTraceLogStep(kTraceApp, src, L"CreateMemoryDC[1]");
        return 0;
    }
    if (!ResizeMemoryDC(*picture_, picture.width, picture.height)) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC");
        return 0;
    }
    DIBSECTION ds{};
    int rows = 0;
    DWORD error = ERROR_INVALID_HANDLE;
    if (::GetObjectW(picture.bitmap, sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits) {
        ::GdiFlush();
        rows = ::StretchDIBits(picture_->dc(), 0, 0, picture.width, picture.height, 0, 0, picture.width,
                               picture.height, ds.dsBm.bmBits, reinterpret_cast<BITMAPINFO*>(&ds.dsBmih),
                               DIB_RGB_COLORS, SRCCOPY);
        error = ::GetLastError();
    }
    if (rows == 0) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [StretchDIBits] function. GetLastError=[0x%08X]",
                      error);
        PostFailure(IDS_INTERNAL_ERROR);
        return 0;
    }
    return 1;
}

bool CAnimeView::RenderBackBuffer() {
    Guard guard(lock_);
    // While full screen the picture is at full size, not the window's; the
    // back buffer keeps the last frame the window showed.
    if (!picture_->made() || !back_->made() || fullScreen_) return true;
    const SIZE out = back_->size();
    double zoom = doc_ ? doc_->GetZoom() : 1.0;
    if (!(zoom > 0)) zoom = 1.0;
    const double unzoom = 1.0 / zoom;
    const POINT scroll = StoredScroll();
    HDC back = back_->dc();
    ::PatBlt(back, 0, 0, out.cx, out.cy, BLACKNESS);
    if (zoom < 1.0) {
        ::SetStretchBltMode(back, HALFTONE);
        ::SetBrushOrgEx(back, 0, 0, nullptr);  // HALFTONE requires it after the mode change
    } else {
        ::SetStretchBltMode(back, COLORONCOLOR);
    }
    // The back buffer stands for the client area, even in the moment
    // between a resize and its WM_RESIZE_DC.
    const int width = static_cast<int>(out.cx * unzoom), height = static_cast<int>(out.cy * unzoom);
    if (width <= 0 || height <= 0) return true;
    return ::StretchBlt(back, 0, 0, out.cx, out.cy, picture_->dc(), static_cast<int>(scroll.x * unzoom),
                        static_cast<int>(scroll.y * unzoom), width, height, SRCCOPY) != FALSE;
}

void CAnimeView::OnUpdate(fw::View*, LPARAM) {
    if (!ownWnd_) return;
    if (!RenderBackBuffer()) WriteTraceLogStep(kTraceApp, L"CAnimeView::OnUpdate", L"StretchBlt");
    ::InvalidateRect(ownWnd_, nullptr, TRUE);
}

void CAnimeView::OnResizeDC(int width, int height) {
    const wchar_t* src = L"CAnimeView::OnResizeDC";
    {
        Guard guard(lock_);
        if (!back_->made() && !CreateMemoryDC(*back_, 1, 1)) {
            WriteTraceLogStep(kTraceApp, src, L"CreateMemoryDC[1]");
            return;
        }
        if (!ResizeMemoryDC(*back_, width, height)) {
            WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC");
            return;
        }
    }
    // The bars belong to the client size as much as to the picture.
    ResetScrollBars();
    if (doc_) doc_->UpdateAllViews(nullptr);
}

// ---- frames -----------------------------------------------------------------

int CAnimeView::LoadPicture(const void* data, DWORD length, int* outcome) {
    const wchar_t* src = L"CAnimeView::LoadPicture";
    const int scale = decodeScale_;
    // Decoded before the picture lock is taken, so that painting waits for
    // the lock only while the new picture is put in place and drawn.
    PictureRecord fresh;
    const int decoded = doc_ ? doc_->DecodeFrame(data, length, scale, &fresh) : 0;
    int result = kNotDecodable;
    bool repaint = false;
    {
        Guard guard(lock_);
        const int oldWidth = doc_ ? doc_->GetPictureWidth() : 0;
        if (decoded && scale != decodeScale_) {
            // The scale changed meanwhile and the kept frame is shown at the
            // new one already; this frame would only bring the old one back.
            if (fresh.bitmap) ::DeleteObject(fresh.bitmap);
            result = kShown;
        } else if (!doc_ || !doc_->SetFrame(decoded, fresh)) {
            WriteTraceLogStep(kTraceApp, src, L"LoadPicture()");
        } else {
            if (doc_->GetPictureWidth() != oldWidth) {
                if (frameWnd_) ::PostMessageW(frameWnd_, WM_PICTURE_SIZE_CHANGED, scale, 0);
                ::PostMessageW(ownWnd_, WM_RESET_SCROLL, 0, 0);
            }
            result = RenderPicture(&repaint);
        }
    }
    if (repaint) result = Repaint();
    if (outcome) *outcome = result;
    return result == kShown ? 1 : 0;
}

int CAnimeView::ShowPicture() {
    bool repaint = false;
    int result;
    {
        Guard guard(lock_);
        result = RenderPicture(&repaint);
    }
    return repaint ? Repaint() : result;
}

int CAnimeView::RenderPicture(bool* repaint) {
    const wchar_t* src = L"CAnimeView::LoadPicture";
    Guard guard(lock_);
    *repaint = false;
    if (!DrawPicture()) {
        WriteTraceLogStep(kTraceApp, src, L"DrawPicture()");
        return kNotDrawn;
    }
    if (fullScreen_) {
        if (!fullScreen_->DrawPicture()) {
            WriteTraceLogStep(kTraceApp, src, L"m_pFullWnd->DrawPicture()");
            return kNotDrawn;
        }
        // The window is covered; it catches up when full screen ends.
        return kShown;
    }
    // Into the back buffer before the repaint, so the repaint shows this
    // frame rather than the one before.
    if (!RenderBackBuffer()) WriteTraceLogStep(kTraceApp, L"CAnimeView::OnUpdate", L"StretchBlt");
    *repaint = true;
    return kShown;
}

// Called without the picture lock: painted at once on the window's own
// thread, while the decode thread only invalidates. Waiting there for the
// user-interface thread to paint deadlocks whenever that thread waits for a
// lock the decode thread holds around this call (the kept frame's record
// lock does).
int CAnimeView::Repaint() {
    UINT redraw = RDW_INVALIDATE | RDW_ERASE;
    if (::GetWindowThreadProcessId(ownWnd_, nullptr) == ::GetCurrentThreadId()) redraw |= RDW_UPDATENOW;
    if (!::RedrawWindow(ownWnd_, nullptr, nullptr, redraw)) {
        WriteTraceLogStep(kTraceApp, L"CAnimeView::LoadPicture", L"RedrawWindow()");
        PostFailure(IDS_INTERNAL_ERROR);
        return kNotDrawn;
    }
    return kShown;
}

void CAnimeView::SetDecodeScale(int denominator) {
    {
        Guard guard(lock_);
        savedScale_ = std::max(denominator, 1);
        decodeScale_ = fullScreen_ ? 1 : savedScale_;
        if (doc_) doc_->SetZoom(1.0);
    }
    if (doc_ && doc_->GetPictureWidth() > 0) ResetScrollBars();
}

void CAnimeView::SetDisplayZoom(double zoom) {
    if (!doc_) return;
    {
        Guard guard(lock_);
        doc_->SetZoom(ClampZoom(zoom));
    }
    ResetScrollBars();
    doc_->UpdateAllViews(nullptr);
}

double CAnimeView::GetDisplayZoom() const {
    Guard guard(lock_);
    return doc_ ? doc_->GetZoom() : 1.0;
}

// ---- full screen ------------------------------------------------------------

int CAnimeView::ViewFullScreen() {
    const wchar_t* src = L"CAnimeView::ViewFullScreen";
    {
        Guard guard(lock_);
        if (fullScreen_) {
            ::SetForegroundWindow(fullScreen_->hwnd());
            return 1;
        }
        // The window reads the picture DC from the first frame on, so it
        // must exist before the first frame does.
        if (!picture_->made() && !CreateMemoryDC(*picture_, 1, 1)) {
            WriteTraceLogStep(kTraceApp, src, L"CreateMemoryDC[1]");
            return 0;
        }
    }
    // Made outside the picture lock: creating a window sends messages, and
    // the decode thread must not wait for them.
    std::unique_ptr<CFullScreenWnd> window;
    try {
        window = std::make_unique<CFullScreenWnd>(hwnd(), picture_->dc());
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, src, L"new CFullScreenWnd");
        PostFailure(IDS_NO_RESOURCES);
        return 0;
    }
    if (!window->Constructed() || !window->Initialize()) {
        WriteTraceLog(kTraceApp, src, L"Initialization error of CFullScreenWnd.");
        return 0;  // the object takes a window it still has with it
    }
    {
        Guard guard(lock_);
        savedScale_ = decodeScale_;
        decodeScale_ = 1;
        fullScreen_ = std::move(window);
        // The picture at hand, until the first frame at full size replaces it.
        if (doc_ && doc_->GetPictureWidth() > 0) fullScreen_->DrawPicture();
    }
    CAnimeFrame* frame = animeFrame();
    // Paused, no frame would come: the kept one is shown again at full size.
    if (host_ && !host_->liveControl().playing() && frame) frame->RedrawKeptFrame();
    return 1;
}

void CAnimeView::ExitFullScreen() { CloseFullScreen(true); }

bool CAnimeView::IsFullScreen() const {
    Guard guard(lock_);
    return fullScreen_ != nullptr;
}

void CAnimeView::CloseFullScreen(bool redrawKeptFrame) {
    {
        Guard guard(lock_);
        if (!fullScreen_) return;
        fullScreen_->StopDrawing();  // a frame decoded from now on leaves it alone
        decodeScale_ = host_ ? host_->liveControl().scaleCode() : savedScale_;
    }
    // Outside the picture lock: redrawing the kept frame takes the decode
    // window's record lock and then the picture lock, which the decode
    // thread takes in the same order.
    if (redrawKeptFrame)
        if (CAnimeFrame* frame = animeFrame()) frame->RedrawKeptFrame();
    std::unique_ptr<CFullScreenWnd> closing;
    {
        Guard guard(lock_);
        closing = std::move(fullScreen_);
    }
    closing.reset();
    if (host_) host_->SetRemoteTopmost(false);
    if (redrawKeptFrame) {
        ResetScrollBars();
        OnUpdate(nullptr, 0);
    }
}

// ---- scrolling --------------------------------------------------------------

POINT CAnimeView::StoredScroll() const {
    Guard guard(lock_);
    CViewData* data = doc_ ? doc_->viewData() : nullptr;
    return data ? POINT{data->GetScrollPosition(SB_HORZ), data->GetScrollPosition(SB_VERT)} : POINT{0, 0};
}

void CAnimeView::StoreScroll(int bar, int position) {
    Guard guard(lock_);
    if (CViewData* data = doc_ ? doc_->viewData() : nullptr) data->SetScrollPosition(bar, position);
}

void CAnimeView::ResetScrollBars() {
    // Full screen's pictures are not the window's: the bars wait for its end.
    if (!doc_ || !hwnd() || resettingScrollBars || IsFullScreen()) return;
    resettingScrollBars = true;
    const double zoom = GetDisplayZoom();
    const SIZE extent{static_cast<LONG>(doc_->GetPictureWidth() * zoom),
                      static_cast<LONG>(doc_->GetPictureHeight() * zoom)};
    const POINT result = FitScrollBars(hwnd(), extent, StoredScroll());
    StoreScroll(SB_HORZ, result.x);
    StoreScroll(SB_VERT, result.y);
    resettingScrollBars = false;
}

void CAnimeView::OnScroll(int bar, UINT code) {
    int old = 0, position = 0;
    if (!RequestedScrollPosition(hwnd(), bar, code, old, position)) return;
    ::SetScrollPos(hwnd(), bar, position, TRUE);
    StoreScroll(bar, position);
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
    StoreScroll(bar, now.nPos);
    return 1;
}

// ---- mouse ------------------------------------------------------------------

bool CAnimeView::OnSetCursor(HWND window, UINT hitTest) {
    if (window != hwnd() || hitTest != HTCLIENT) return false;
    ::SetCursor(AppCursor(IDC_HAND_OPEN));
    return true;
}

void CAnimeView::OnLButtonDown(POINT p) {
    drag_.scroll = StoredScroll();
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
    SIZE covered{0, 0};
    Guard guard(lock_);
    if (back_->made()) {
        covered = back_->size();
        ::BitBlt(dc, 0, 0, covered.cx, covered.cy, back_->dc(), 0, 0, SRCCOPY);
    }
    // Nothing is erased, so what the back buffer does not cover yet is blackened.
    if (client.right > covered.cx) ::PatBlt(dc, covered.cx, 0, client.right - covered.cx, client.bottom, BLACKNESS);
    if (client.bottom > covered.cy) ::PatBlt(dc, 0, covered.cy, covered.cx, client.bottom - covered.cy, BLACKNESS);
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
    case WM_DESTROY: {
        LRESULT result = fw::View::WindowProc(msg, wParam, lParam);
        CloseFullScreen(false);  // the threads are gone: no kept frame to show
        return result;
    }
    default: break;
    }
    return fw::View::WindowProc(msg, wParam, lParam);
}
