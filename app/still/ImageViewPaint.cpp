// What the view paints: the display surface rebuilt from the composite at the
// zoom and scroll position, copied to the window, and the drawing erased.
#include "Handles.h"
#include "RectTracker.h"
#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "still/ImageView.h"
#include "resource.h"

namespace {

void FillKeyColor(HDC dc, const RECT& rect) {
    fw::GdiObject brush(::CreateSolidBrush(CImageView::kKeyColor));
    if (brush) ::FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

}  // namespace

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
    const fw::Surface& overlay = surfaces_.overlay;
    if (!overlay.dc()) return;
    const SIZE size = overlay.size();
    FillKeyColor(overlay.dc(), RECT{0, 0, size.cx, size.cy});
    if (!RenewalPicture()) WriteTraceLogStep(kTraceApp, L"CImageView::EraseAllArea", L"RenewalPicture()");
    UpdateViews();
}

// ---- painting ---------------------------------------------------------------

bool CImageView::RefreshDisplay() {
    const SIZE client = ClientSize();
    HDC display = surfaces_.display.dc();
    if (!display || client.cx <= 0 || client.cy <= 0) return true;
    ::PatBlt(display, 0, 0, client.cx, client.cy, BLACKNESS);
    ::SetStretchBltMode(display, COLORONCOLOR);
    const double unzoom = 1.0 / Zoom();
    const POINT scroll = ScrollPosition();
    const int width = static_cast<int>(client.cx * unzoom), height = static_cast<int>(client.cy * unzoom);
    if (width <= 0 || height <= 0) return true;
    return ::StretchBlt(display, 0, 0, client.cx, client.cy, surfaces_.composite.dc(),
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
    if (!::BitBlt(dc, 0, 0, client.cx, client.cy, surfaces_.display.dc(), 0, 0, SRCCOPY))
        WriteTraceLogStep(kTraceApp, L"CImageView::OnDraw", L"pDC->BitBlt");
    if (hasSelection_) DrawSelection(dc);
}