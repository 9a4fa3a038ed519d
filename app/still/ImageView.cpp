#include "still/ImageView.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/ControlDialog.h"
#include "picture/FullScreenWnd.h"
#include "Handles.h"
#include "still/ImageDoc.h"
#include "still/ImageFrame.h"
#include "picture/ImageMath.h"
#include "base/PictureHost.h"
#include "base/TraceLog.h"
#include "picture/ViewData.h"
#include "resource.h"

namespace {

// Full size: a still picture is never decoded scaled down.
constexpr int kScaleDenominator = 1;

int DibStride(int width, int bytesPerPixel) { return (width * bytesPerPixel + 3) & ~3; }

// A DIB section's header and bits; false for anything else.
bool ReadDib(HBITMAP bitmap, BITMAP& bm) {
    return bitmap && ::GetObjectW(bitmap, sizeof(bm), &bm) == sizeof(bm) && bm.bmBits;
}

void FillKeyColor(HDC dc, const RECT& rect) {
    fw::GdiObject brush(::CreateSolidBrush(CImageView::kKeyColor));
    if (brush) ::FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~WindowDC() { if (dc_) ::ReleaseDC(hwnd_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

}  // namespace

// A memory context with the bitmap selected into it. The bitmap the context
// came with goes back in before the context is deleted.
class CImageView::Surface {
public:
    Surface() = default;
    ~Surface() {
        if (dc_) {
            if (displaced_) ::SelectObject(dc_, displaced_);
            ::DeleteDC(dc_);
        }
        if (bitmap_) ::DeleteObject(bitmap_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    bool Create(HDC reference) {
        dc_ = ::CreateCompatibleDC(reference);
        if (!dc_) return false;
        HBITMAP bitmap = ::CreateCompatibleBitmap(reference, 1, 1);
        if (bitmap && Replace(bitmap)) return true;
        if (bitmap) ::DeleteObject(bitmap);
        return false;
    }

    // Takes `bitmap` over and frees the present one; on failure nothing
    // changes and the caller still owns `bitmap`.
    bool Replace(HBITMAP bitmap) {
        HGDIOBJ previous = ::SelectObject(dc_, bitmap);
        if (!previous || previous == HGDI_ERROR) return false;
        if (!displaced_) displaced_ = previous;
        if (bitmap_) ::DeleteObject(bitmap_);
        bitmap_ = bitmap;
        return true;
    }

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    SIZE size() const {
        BITMAP bm{};
        if (!bitmap_ || !::GetObjectW(bitmap_, sizeof(bm), &bm)) return SIZE{0, 0};
        return SIZE{bm.bmWidth, bm.bmHeight};
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ displaced_ = nullptr;
};

struct CImageView::Surfaces {
    Surface base;       // the picture, turned as shown
    Surface overlay;    // the drawing; key-colour pixels are see-through
    Surface composite;  // base with overlay, at picture size
    Surface display;    // the client area as painted
};

CImageView::CImageView(IPictureHost* host) : host_(host), surfaces_(std::make_unique<Surfaces>()) {}

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

HBITMAP CImageView::CompositeBitmap() const { return surfaces_->composite.bitmap(); }
HDC CImageView::baseDC() const { return surfaces_->base.dc(); }
HDC CImageView::overlayDC() const { return surfaces_->overlay.dc(); }
HDC CImageView::compositeDC() const { return surfaces_->composite.dc(); }
HDC CImageView::displayDC() const { return surfaces_->display.dc(); }

// ---- surfaces ---------------------------------------------------------------

int CImageView::OnCreate() {
    WindowDC client(hwnd());
    Surface* all[] = {&surfaces_->base, &surfaces_->overlay, &surfaces_->composite, &surfaces_->display};
    for (Surface* surface : all) {
        if (!client.get() || !surface->Create(client.get())) {
            WriteTraceLogStep(kTraceApp, L"CImageView::OnCreate", L"CreateMemoryDC()");
            return -1;
        }
    }
    CImageDoc* doc = GetDocument();
    return doc && doc->CreateViewData() ? 0 : -1;
}

HBITMAP CImageView::CreateDIBBitmap(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;  // bottom-up
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) WriteTraceLogStep(kTraceApp, L"CImageView::CreateDIBBitmap", L"CreateDIBSection()");
    return bitmap;
}

int CImageView::ResizeMemoryDC(Surface& surface, int width, int height, bool asDib) {
    const wchar_t* src = L"CImageView::ResizeMemoryDC";
    width = std::max(width, 1);
    height = std::max(height, 1);
    HBITMAP bitmap = nullptr;
    if (asDib) {
        bitmap = CreateDIBBitmap(width, height);
    } else {
        WindowDC client(hwnd());
        if (client.get()) bitmap = ::CreateCompatibleBitmap(client.get(), width, height);
    }
    if (!bitmap) {
        WriteTraceLogStep(kTraceApp, src, L"CreateCompatibleBitmap");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        return 0;
    }
    // The new bitmap is made before the old one goes, so a failure leaves
    // the surface as it was.
    if (!surface.Replace(bitmap)) {
        ::DeleteObject(bitmap);
        WriteTraceLogStep(kTraceApp, src, L"SelectObject");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    ::PatBlt(surface.dc(), 0, 0, width, height, BLACKNESS);
    return 1;
}

int CImageView::ConvRegistBitmap(HBITMAP picture, HBITMAP destination) {
    const wchar_t* src = L"CImageView::ConvRegistBitmap";
    BITMAP from{}, to{};
    const bool fromOk = picture && ::GetObjectW(picture, sizeof(from), &from);
    const bool toOk = ReadDib(destination, to) && to.bmBitsPixel == 24;
    // The bits are written blind: the destination must have the picture's size.
    if (!fromOk || !toOk || from.bmWidth != to.bmWidth || from.bmHeight != std::abs(to.bmHeight)) {
        WriteTraceLog(kTraceApp, src, L"Invalid Parameter. hBitmap = [0x%08X] pbySetData = [0x%08X]",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(picture)),
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(toOk ? to.bmBits : nullptr)));
        return 0;
    }
    WindowDC window(hwnd());
    if (!window.get()) {
        WriteTraceLogStep(kTraceApp, src, L"GetDC()");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    HDC memory = ::CreateCompatibleDC(window.get());
    if (!memory) {
        WriteTraceLogStep(kTraceApp, src, L"CreateCompatibleDC()");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = from.bmWidth;
    bi.bmiHeader.biHeight = from.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    bi.bmiHeader.biSizeImage = static_cast<DWORD>(from.bmHeight) * DibStride(from.bmWidth, 3);
    ::GdiFlush();
    int rows = ::GetDIBits(memory, picture, 0, from.bmHeight, to.bmBits, &bi, DIB_RGB_COLORS);
    DWORD error = ::GetLastError();
    ::DeleteDC(memory);
    if (rows == 0) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [GetDIBits()] function. GetLastError=[0x%08X]", error);
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    return 1;
}

int CImageView::DrawPicture() {
    const wchar_t* src = L"CImageView::DrawPicture";
    CViewData* data = viewData();
    if (!data || !data->GetPicture().bitmap) return 1;
    const PictureRecord& picture = data->GetPicture();
    if (!ResizeMemoryDC(surfaces_->base, picture.width, picture.height, true)) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC()[1])");
        return 0;
    }
    if (!ResizeMemoryDC(surfaces_->overlay, picture.width, picture.height, true)) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC()[2]");
        return 0;
    }
    appliedRotation_ = 0;
    EraseAllArea();
    if (!ConvRegistBitmap(picture.bitmap, surfaces_->base.bitmap())) {
        WriteTraceLogStep(kTraceApp, src, L"ConvRegistBitmap()");
        return 0;
    }
    // A picture loaded again into a turned document takes that turn.
    return RotationPicture();
}

int CImageView::RenewalPicture() {
    const wchar_t* src = L"CImageView::RenewalPicture";
    const SIZE size = OrientedSize();
    if (size.cx <= 0 || size.cy <= 0) return 1;
    Surfaces& s = *surfaces_;
    if (!ResizeMemoryDC(s.composite, size.cx, size.cy, true)) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC");
        return 0;
    }
    if (!::BitBlt(s.composite.dc(), 0, 0, size.cx, size.cy, s.base.dc(), 0, 0, SRCCOPY)) {
        WriteTraceLogStep(kTraceApp, src, L"BitBlt()");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!::GdiTransparentBlt(s.composite.dc(), 0, 0, size.cx, size.cy, s.overlay.dc(), 0, 0, size.cx, size.cy,
                             kKeyColor)) {
        WriteTraceLogStep(kTraceApp, src, L"TransparentBlt()");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    return 1;
}

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
    if (!ResizeMemoryDC(surfaces_->display, client.cx, client.cy, false)) WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC");
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

int CImageView::RotationPicture() {
    const wchar_t* src = L"CImageView::RotationPicture";
    CImageDoc* doc = GetDocument();
    if (!doc) return 0;
    const int target = doc->GetRotation();
    const int turns = (target - appliedRotation_ + 4) % 4;  // clockwise
    if (turns == 0) return 1;

    Surfaces& s = *surfaces_;
    BITMAP base{}, overlay{};
    if (!ReadDib(s.base.bitmap(), base) || !ReadDib(s.overlay.bitmap(), overlay) || base.bmWidth != overlay.bmWidth ||
        base.bmHeight != overlay.bmHeight || base.bmBitsPixel != overlay.bmBitsPixel || base.bmBitsPixel % 8) {
        WriteTraceLogStep(kTraceApp, src, L"GetBitmap()[1]");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    const int b = base.bmBitsPixel / 8;
    const int ws = base.bmWidth, hs = base.bmHeight;
    const int wd = turns % 2 ? hs : ws, hd = turns % 2 ? ws : hs;

    // Turned straight into new bitmaps, which replace the old ones only when
    // both exist: a failure leaves picture and drawing as they were.
    fw::GdiObject newBase(CreateDIBBitmap(wd, hd));
    if (!newBase) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC()[1]");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        return 0;
    }
    fw::GdiObject newOverlay(CreateDIBBitmap(wd, hd));
    if (!newOverlay) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC()[2]");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        return 0;
    }
    BITMAP toBase{}, toOverlay{};
    if (!ReadDib(static_cast<HBITMAP>(newBase.get()), toBase)) {
        WriteTraceLogStep(kTraceApp, src, L"GetBitmap()[2]");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!ReadDib(static_cast<HBITMAP>(newOverlay.get()), toOverlay)) {
        WriteTraceLogStep(kTraceApp, src, L"GetBitmap()[3]");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }

    ::GdiFlush();  // drawing still queued for the old bitmaps lands first
    const size_t sourceStride = DibStride(ws, b), destStride = DibStride(wd, b);
    const BYTE* from[2] = {static_cast<const BYTE*>(base.bmBits), static_cast<const BYTE*>(overlay.bmBits)};
    BYTE* to[2] = {static_cast<BYTE*>(toBase.bmBits), static_cast<BYTE*>(toOverlay.bmBits)};
    // Rows are bottom-up in memory; i is the source row, j the column.
    for (int i = 0; i < hs; ++i) {
        for (int j = 0; j < ws; ++j) {
            int x, y;
            switch (turns) {
            case 1: x = i; y = hd - 1 - j; break;
            case 2: x = wd - 1 - j; y = hd - 1 - i; break;
            default: x = wd - 1 - i; y = j; break;
            }
            const size_t source = i * sourceStride + static_cast<size_t>(j) * b;
            const size_t dest = y * destStride + static_cast<size_t>(x) * b;
            for (int k = 0; k < 2; ++k) std::memcpy(to[k] + dest, from[k] + source, b);
        }
    }

    HBITMAP turnedBase = static_cast<HBITMAP>(newBase.get());
    HBITMAP turnedOverlay = static_cast<HBITMAP>(newOverlay.get());
    if (!s.base.Replace(turnedBase)) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC()[1]");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    newBase.release();
    if (!s.overlay.Replace(turnedOverlay)) {
        // The drawing keeps its old orientation; rather lose it than misplace it.
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC()[2]");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        EraseAllArea();
        return 0;
    }
    newOverlay.release();
    appliedRotation_ = target;
    doc->SetModifiedFlag(true);
    return 1;
}

// ---- erasing the drawing ----------------------------------------------------

void CImageView::EraseArea(int x, int y, int width, int height) {
    HDC overlay = overlayDC();
    if (!overlay) return;
    const double unzoom = 1.0 / Zoom();
    const POINT scroll = ScrollPosition();
    const int left = static_cast<int>((scroll.x + x) * unzoom), top = static_cast<int>((scroll.y + y) * unzoom);
    const RECT area{left, top, left + static_cast<int>(width * unzoom), top + static_cast<int>(height * unzoom)};
    FillKeyColor(overlay, area);
    if (!RenewalPicture()) WriteTraceLogStep(kTraceApp, L"CImageView::EraseArea", L"RenewalPicture()");
    UpdateViews();
}

void CImageView::EraseAllArea() {
    Surface& overlay = surfaces_->overlay;
    if (!overlay.dc()) return;
    const SIZE size = overlay.size();
    FillKeyColor(overlay.dc(), RECT{0, 0, size.cx, size.cy});
    if (!RenewalPicture()) WriteTraceLogStep(kTraceApp, L"CImageView::EraseAllArea", L"RenewalPicture()");
    UpdateViews();
}

// ---- painting ---------------------------------------------------------------

bool CImageView::RefreshDisplay() {
    const SIZE client = ClientSize();
    HDC display = surfaces_->display.dc();
    if (!display || client.cx <= 0 || client.cy <= 0) return true;
    ::PatBlt(display, 0, 0, client.cx, client.cy, BLACKNESS);
    ::SetStretchBltMode(display, COLORONCOLOR);
    const double unzoom = 1.0 / Zoom();
    const POINT scroll = ScrollPosition();
    const int width = static_cast<int>(client.cx * unzoom), height = static_cast<int>(client.cy * unzoom);
    if (width <= 0 || height <= 0) return true;
    return ::StretchBlt(display, 0, 0, client.cx, client.cy, surfaces_->composite.dc(),
                        static_cast<int>(scroll.x * unzoom), static_cast<int>(scroll.y * unzoom), width, height,
                        SRCCOPY) != FALSE;
}

void CImageView::OnUpdate(fw::View*, LPARAM) {
    if (!hwnd()) return;
    if (!RefreshDisplay()) WriteTraceLogStep(kTraceApp, L"CImageView::OnUpdate", L"StretchBlt");
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

int CImageView::UpdateBaseDC(int x0, int y0, int x1, int y1) {
    const wchar_t* src = L"CImageView::UpdateBaseDC";
    if (!RefreshDisplay()) {
        WriteTraceLogStep(kTraceApp, src, L"StretchBlt()");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    RECT changed = fw::NormalizedRect(POINT{x0, y0}, POINT{x1, y1});
    ::InvalidateRect(hwnd(), &changed, FALSE);
    if (!::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW)) {
        WriteTraceLogStep(kTraceApp, src, L"RedrawWindow");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    return 1;
}

void CImageView::OnPaint() {
    // The display surface already is the finished image: one copy, no
    // further buffer in between.
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    if (dc) OnDraw(dc);
    ::EndPaint(hwnd(), &ps);
}

void CImageView::OnDraw(HDC dc) {
    const SIZE client = ClientSize();
    if (!::BitBlt(dc, 0, 0, client.cx, client.cy, surfaces_->display.dc(), 0, 0, SRCCOPY))
        WriteTraceLogStep(kTraceApp, L"CImageView::OnDraw", L"pDC->BitBlt");
    if (hasSelection_) DrawSelection(dc);
}

// ---- full screen ------------------------------------------------------------

int CImageView::ViewFullScreen() {
    const wchar_t* src = L"CImageView::ViewFullScreen";
    CloseFullScreen();
    std::unique_ptr<CFullScreenWnd> window;
    try {
        window = std::make_unique<CFullScreenWnd>(hwnd(), surfaces_->composite.dc());
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
