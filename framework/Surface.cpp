#include "Surface.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace fw {

namespace {

GdiObject CreateDib24(SIZE size, bool topDown) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = topDown ? -size.cy : size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return GdiObject(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

GdiObject CreateSurfaceBitmap(HDC reference, SIZE size, SurfaceFormat format) {
    size = SIZE{std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1)};
    if (format != SurfaceFormat::Compatible) return CreateDib24(size, format == SurfaceFormat::TopDownDib24);
    // Never the memory DC itself: fresh, it holds a monochrome bitmap.
    if (reference) return GdiObject(::CreateCompatibleBitmap(reference, size.cx, size.cy));
    WindowDC screen(nullptr);
    return GdiObject(screen ? ::CreateCompatibleBitmap(screen.get(), size.cx, size.cy) : nullptr);
}

}  // namespace

Surface& Surface::operator=(Surface&& o) noexcept {
    if (this != &o) {
        Reset();
        MoveFrom(o);
    }
    return *this;
}

void Surface::MoveFrom(Surface& o) {
    dc_ = std::move(o.dc_);
    owned_ = std::move(o.owned_);
    original_ = std::move(o.original_);
    bitmap_ = std::exchange(o.bitmap_, nullptr);
    size_ = std::exchange(o.size_, SIZE{0, 0});
    bits_ = std::exchange(o.bits_, nullptr);
    stride_ = std::exchange(o.stride_, 0);
    topDown_ = std::exchange(o.topDown_, false);
    failure_ = o.failure_;
}

bool Surface::Create(HDC reference, SIZE size, SurfaceFormat format) {
    Reset();
    dc_.reset(::CreateCompatibleDC(reference));
    if (!dc_) return Fail(Failure::CreateDc);
    if (Resize(size, format, reference)) return true;
    Reset();
    return false;
}

bool Surface::Borrow(HDC reference, HBITMAP bitmap) {
    Reset();
    dc_.reset(::CreateCompatibleDC(reference));
    if (!dc_) return Fail(Failure::CreateDc);
    if (!bitmap || !Select(bitmap)) {
        Reset();
        return Fail(Failure::SelectBitmap);
    }
    Describe(bitmap);
    failure_ = Failure::None;
    return true;
}

bool Surface::Resize(SIZE size, SurfaceFormat format, HDC reference) {
    if (!dc_) return Fail(Failure::CreateDc);
    GdiObject bitmap = CreateSurfaceBitmap(reference, size, format);
    if (!bitmap) return Fail(Failure::CreateBitmap);
    if (!Replace(bitmap)) return false;
    // Wine's GetObject tells every DIB section as bottom-up.
    topDown_ = format == SurfaceFormat::TopDownDib24;
    return true;
}

bool Surface::Replace(GdiObject& bitmap) {
    auto handle = static_cast<HBITMAP>(bitmap.get());
    if (!dc_ || !handle || !Select(handle)) return Fail(Failure::SelectBitmap);
    owned_ = std::move(bitmap);  // the previous one, no longer selected, goes here
    Describe(handle);
    failure_ = Failure::None;
    return true;
}

void Surface::Reset() {
    original_.reset();
    owned_.reset();
    dc_.reset();
    bitmap_ = nullptr;
    size_ = SIZE{0, 0};
    bits_ = nullptr;
    stride_ = 0;
    topDown_ = false;
}

BYTE* Surface::Row(int y) const {
    if (!bits_ || y < 0 || y >= size_.cy) return nullptr;
    const int line = topDown_ ? y : size_.cy - 1 - y;
    return static_cast<BYTE*>(bits_) + static_cast<std::ptrdiff_t>(line) * stride_;
}

bool Surface::Fail(Failure failure) {
    failure_ = failure;
    return false;
}

bool Surface::Select(HBITMAP bitmap) {
    if (!original_) {
        original_ = SelectedObject(dc_.get(), bitmap);
        return static_cast<bool>(original_);
    }
    HGDIOBJ previous = ::SelectObject(dc_.get(), bitmap);
    return previous && previous != HGDI_ERROR;
}

void Surface::Describe(HBITMAP bitmap) {
    bitmap_ = bitmap;
    DIBSECTION dib{};
    const bool isDib = ::GetObjectW(bitmap, sizeof(dib), &dib) == sizeof(dib);
    size_ = SIZE{dib.dsBm.bmWidth, dib.dsBm.bmHeight};
    bits_ = isDib ? dib.dsBm.bmBits : nullptr;
    stride_ = isDib ? dib.dsBm.bmWidthBytes : 0;
    topDown_ = isDib && dib.dsBmih.biHeight < 0;
}

bool StretchBitmap(HDC dc, const RECT& target, HBITMAP bitmap) {
    Surface source;
    if (!dc || !source.Borrow(dc, bitmap)) return false;
    const SIZE size = source.size();
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    const BOOL done = ::StretchBlt(dc, target.left, target.top, target.right - target.left,
                                   target.bottom - target.top, source.dc(), 0, 0, size.cx, size.cy, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
    return done != FALSE;
}

}  // namespace fw
