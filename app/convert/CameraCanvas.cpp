#include "convert/CameraCanvas.h"

#include <algorithm>

#include "Handles.h"
#include "base/TraceLog.h"
#include "picture/BitmapFile.h"

namespace {

// Too large a picture is scaled to fill one side of the largest canvas.
void PlanShrink(int w, int h, CanvasPlan& plan) {
    const double sx = static_cast<double>(kCanvasMaxWidth) / w;
    const double sy = static_cast<double>(kCanvasMaxHeight) / h;
    int drawnWidth = kCanvasMaxWidth, drawnHeight = kCanvasMaxHeight, x = 0, y = 0;
    if (sy < sx) {
        drawnWidth = std::max(1, static_cast<int>(w * sy));
        x = (kCanvasMaxWidth - drawnWidth) / 2;
    } else {
        drawnHeight = std::max(1, static_cast<int>(h * sx));
        y = (kCanvasMaxHeight - drawnHeight) / 2;
    }
    plan.width = kCanvasMaxWidth;
    plan.height = kCanvasMaxHeight;
    plan.drawn = RECT{x, y, x + drawnWidth, y + drawnHeight};
    plan.shrinks = true;
}

// A picture that fits keeps its size and is centred on a canvas padded to the
// camera's block sizes.
void PlanPad(int w, int h, CanvasPlan& plan) {
    int canvasWidth = w, canvasHeight = h, x = 0, y = 0;
    if (w % 16 != 0) {
        canvasWidth = w - w % 16 + 16;
        x = (canvasWidth - w) / 2;
        canvasHeight = static_cast<int>(static_cast<double>(canvasWidth) / w * h);
        y = (canvasHeight - h) / 2;
    }
    if (canvasHeight % 8 != 0) {
        canvasHeight += 8 - canvasHeight % 8;
        y = (canvasHeight - h) / 2;
    }
    if (canvasHeight > kCanvasMaxHeight) {
        canvasHeight = kCanvasMaxHeight;
        y = (kCanvasMaxHeight - h) / 2;
    }
    plan.width = canvasWidth;
    plan.height = canvasHeight;
    plan.drawn = RECT{x, y, x + w, y + h};
    plan.shrinks = false;
}

bool DrawOnto(HDC target, const CanvasPlan& plan, const DIBSECTION& source) {
    ::PatBlt(target, 0, 0, plan.width, plan.height, BLACKNESS);
    if (plan.shrinks) {
        ::SetStretchBltMode(target, HALFTONE);
        ::SetBrushOrgEx(target, 0, 0, nullptr);
    } else {
        ::SetStretchBltMode(target, COLORONCOLOR);
    }
    BITMAPINFO info{};
    info.bmiHeader = source.dsBmih;
    const RECT& r = plan.drawn;
    return ::StretchDIBits(target, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0,
                           source.dsBm.bmWidth, source.dsBm.bmHeight, source.dsBm.bmBits, &info, DIB_RGB_COLORS,
                           SRCCOPY) > 0;
}

}  // namespace

bool IsCameraSize(int width, int height) {
    return width > 0 && width <= kCanvasMaxWidth && height > 0 && height <= kCanvasMaxHeight && width % 16 == 0 &&
           height % 8 == 0;
}

bool PlanCanvas(int width, int height, CanvasPlan& plan) {
    if (width < 1 || height < 1) return false;
    if (width > kCanvasMaxWidth || height > kCanvasMaxHeight)
        PlanShrink(width, height, plan);
    else
        PlanPad(width, height, plan);
    return true;
}

HBITMAP ConvertBmpSize(HDC reference, HBITMAP source, const wchar_t* origin) {
    DIBSECTION dib{};
    if (!source || ::GetObjectW(source, sizeof dib, &dib) != static_cast<int>(sizeof dib)) dib = DIBSECTION{};
    CanvasPlan plan;
    if (!PlanCanvas(dib.dsBm.bmWidth, dib.dsBm.bmHeight, plan)) {
        WriteTraceLog(kTraceApp, origin, L"Invalid Parameter. BitmapWidth = [0x%08X] BitmapHeight = [0x%08X]",
                      dib.dsBm.bmWidth, dib.dsBm.bmHeight);
        return nullptr;
    }
    fw::DcHandle memory(::CreateCompatibleDC(reference));
    if (!memory) {
        WriteTraceLogLastError(kTraceApp, origin, L"CreateCompatibleDC()");
        return nullptr;
    }
    fw::GdiObject canvas(CBitmapFile().CreateDib(plan.width, plan.height));
    if (!canvas) {
        WriteTraceLogLastError(kTraceApp, origin, L"CreateDIBBitmap");
        return nullptr;
    }
    fw::SelectedObject selected(memory.get(), canvas.get());
    if (!DrawOnto(memory.get(), plan, dib)) {
        WriteTraceLogLastError(kTraceApp, origin, L"StretchDIBits");
        return nullptr;
    }
    selected.reset();
    return static_cast<HBITMAP>(canvas.release());
}
