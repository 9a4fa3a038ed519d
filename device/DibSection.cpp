#include "DibSection.h"

#include <new>

namespace device {

namespace {

BITMAPINFO DibInfo(int width, int height, WORD bitCount, DWORD imageSize) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = imageSize;
    return info;
}

BITMAPINFO Dib24Info(int width, int height) {
    return DibInfo(width, height, 24, static_cast<DWORD>(DibStride(width) * height));
}

HBITMAP MakeDibSection(const BITMAPINFO& info, BYTE** bits) {
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap && bits) *bits = static_cast<BYTE*>(pixels);
    return bitmap;
}

}  // namespace

bool IsSaneDibSize(long long width, long long height) {
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return false;
    return DibStride(static_cast<std::uint64_t>(width)) * static_cast<std::uint64_t>(height) <= kMaxDibBytes;
}

HBITMAP CreateDib24(int width, int height, BYTE** bits) {
    if (!IsSaneDibSize(width, height)) return nullptr;
    return MakeDibSection(Dib24Info(width, height), bits);
}

HBITMAP CreateScreenDib(int width, int height, BYTE** bits) {
    const std::uint64_t size = static_cast<std::uint64_t>(width) * 4 * static_cast<std::uint64_t>(height);
    if (!IsSaneDibSize(width, height) || size > kMaxDibBytes) return nullptr;
    return MakeDibSection(DibInfo(width, height, 32, static_cast<DWORD>(size)), bits);
}

bool GetBitmapSize(HBITMAP bitmap, int* width, int* height) {
    BITMAP bm{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(bm), &bm) != sizeof(bm)) return false;
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    *width = bm.bmWidth;
    *height = bm.bmHeight;
    return true;
}

bool IsDib24(HBITMAP bitmap) {
    DIBSECTION dib{};
    return bitmap && ::GetObjectW(bitmap, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBitsPixel == 24 &&
           dib.dsBm.bmBits != nullptr;
}

bool ReadDib24(HBITMAP bitmap, std::vector<BYTE>& pixels, int* width, int* height) {
    int w = 0, h = 0;
    if (!GetBitmapSize(bitmap, &w, &h) || !IsSaneDibSize(w, h)) return false;
    try {
        pixels.assign(static_cast<size_t>(DibStride(w) * h), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!dc) return false;
    BITMAPINFO info = Dib24Info(w, h);
    int rows = ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
    ::DeleteDC(dc);
    if (rows != h) return false;
    *width = w;
    *height = h;
    return true;
}

}  // namespace device
