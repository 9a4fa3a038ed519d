// The view's off-screen surfaces: made with the window, sized to the picture
// or the client area, filled from the decoded picture, composed and turned.
#include <cstdint>
#include <cstring>
#include <utility>

#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "picture/ViewData.h"
#include "still/ImageDoc.h"
#include "still/ImageView.h"
#include "resource.h"

namespace {

constexpr int kBytesPerPixel = 3;

// What the 24-bit picture surfaces are: a BMP file's layout, which the
// coders and GetDIBits write straight into.
constexpr fw::SurfaceFormat kPictureFormat = fw::SurfaceFormat::BottomUpDib24;

int DibStride(int width) { return (width * kBytesPerPixel + 3) & ~3; }

// Writes the line the view has always written when a DIB section could not be made.
bool NoteDibFailure(const fw::Surface& surface, bool done) {
    if (!done && surface.failure() == fw::Surface::Failure::CreateBitmap)
        WriteTraceLogStep(kTraceApp, L"CImageView::CreateDIBBitmap", L"CreateDIBSection()");
    return done;
}

bool CreatePictureSurface(fw::Surface& surface, SIZE size) {
    return NoteDibFailure(surface, surface.Create(nullptr, size, kPictureFormat));
}

// `turns` quarter turns clockwise of `from` into `to`, which has the turned size.
void TurnPixels(const fw::Surface& from, const fw::Surface& to, int turns) {
    const SIZE source = from.size(), dest = to.size();
    for (int y = 0; y < source.cy; ++y) {
        const BYTE* row = from.Row(y);
        for (int x = 0; x < source.cx; ++x) {
            POINT at;
            switch (turns) {
            case 1: at = POINT{dest.cx - 1 - y, x}; break;
            case 2: at = POINT{dest.cx - 1 - x, dest.cy - 1 - y}; break;
            default: at = POINT{y, dest.cy - 1 - x}; break;
            }
            std::memcpy(to.Row(at.y) + at.x * kBytesPerPixel, row + x * kBytesPerPixel, kBytesPerPixel);
        }
    }
}

}  // namespace

int CImageView::OnCreate() {
    fw::WindowDC client(hwnd());
    fw::Surface* all[] = {&surfaces_.base, &surfaces_.overlay, &surfaces_.composite, &surfaces_.display};
    for (fw::Surface* surface : all) {
        if (!client || !surface->Create(client.get(), SIZE{1, 1})) {
            WriteTraceLogStep(kTraceApp, L"CImageView::OnCreate", L"CreateMemoryDC()");
            return -1;
        }
    }
    CImageDoc* doc = GetDocument();
    return doc && doc->CreateViewData() ? 0 : -1;
}

int CImageView::ResizeMemoryDC(fw::Surface& surface, int width, int height, bool asDib) {
    const wchar_t* src = L"CImageView::ResizeMemoryDC";
    const SIZE size{width, height};
    bool resized = false;
    bool noBitmap = false;
    if (asDib) {
        resized = NoteDibFailure(surface, surface.Resize(size, kPictureFormat));
    } else {
        // The display is copied to the window: it takes the window's format.
        fw::WindowDC client(hwnd());
        resized = client && surface.Resize(size, fw::SurfaceFormat::Compatible, client.get());
        noBitmap = !client;
    }
    if (!resized && (noBitmap || surface.failure() == fw::Surface::Failure::CreateBitmap)) {
        WriteTraceLogStep(kTraceApp, src, L"CreateCompatibleBitmap");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        return 0;
    }
    // A bitmap that could not be selected leaves the surface as it was.
    if (!resized) {
        WriteTraceLogStep(kTraceApp, src, L"SelectObject");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    ::PatBlt(surface.dc(), 0, 0, surface.size().cx, surface.size().cy, BLACKNESS);
    return 1;
}

int CImageView::ConvRegistBitmap(HBITMAP picture, const fw::Surface& destination) {
    const wchar_t* src = L"CImageView::ConvRegistBitmap";
    BITMAP from{};
    const bool fromOk = picture && ::GetObjectW(picture, sizeof(from), &from);
    const SIZE to = destination.size();
    // The bits are written blind: the destination must have the picture's size.
    if (!fromOk || !destination.bits() || from.bmWidth != to.cx || from.bmHeight != to.cy) {
        WriteTraceLog(kTraceApp, src, L"Invalid Parameter. hBitmap = [0x%08X] pbySetData = [0x%08X]",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(picture)),
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(destination.bits())));
        return 0;
    }
    fw::WindowDC window(hwnd());
    if (!window) {
        WriteTraceLogStep(kTraceApp, src, L"GetDC()");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    fw::DcHandle memory(::CreateCompatibleDC(window.get()));
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
    bi.bmiHeader.biSizeImage = static_cast<DWORD>(from.bmHeight) * DibStride(from.bmWidth);
    ::GdiFlush();
    const int rows = ::GetDIBits(memory.get(), picture, 0, from.bmHeight, destination.bits(), &bi, DIB_RGB_COLORS);
    const DWORD error = ::GetLastError();
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
    if (!ResizeMemoryDC(surfaces_.base, picture.width, picture.height, true)) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC()[1])");
        return 0;
    }
    if (!ResizeMemoryDC(surfaces_.overlay, picture.width, picture.height, true)) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC()[2]");
        return 0;
    }
    appliedRotation_ = 0;
    EraseAllArea();
    if (!ConvRegistBitmap(picture.bitmap, surfaces_.base)) {
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
    Surfaces& s = surfaces_;
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

int CImageView::RotationPicture() {
    const wchar_t* src = L"CImageView::RotationPicture";
    CImageDoc* doc = GetDocument();
    if (!doc) return 0;
    const int target = doc->GetRotation();
    const int turns = (target - appliedRotation_ + 4) % 4;  // clockwise
    if (turns == 0) return 1;

    Surfaces& s = surfaces_;
    const SIZE size = s.base.size();
    if (!s.base.bits() || !s.overlay.bits() || size.cx != s.overlay.size().cx || size.cy != s.overlay.size().cy) {
        WriteTraceLogStep(kTraceApp, src, L"GetBitmap()[1]");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    // Turned into new surfaces, which take the old ones' places only when
    // both exist: a failure leaves picture and drawing as they were.
    const SIZE turned = turns % 2 ? SIZE{size.cy, size.cx} : size;
    fw::Surface base, overlay;
    if (!CreatePictureSurface(base, turned)) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC()[1]");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!CreatePictureSurface(overlay, turned)) {
        WriteTraceLogStep(kTraceApp, src, L"ResizeMemoryDC()[2]");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        return 0;
    }
    ::GdiFlush();  // drawing still queued for the old bitmaps lands first
    TurnPixels(s.base, base, turns);
    TurnPixels(s.overlay, overlay, turns);
    s.base = std::move(base);
    s.overlay = std::move(overlay);
    appliedRotation_ = target;
    doc->SetModifiedFlag(true);
    return 1;
}
