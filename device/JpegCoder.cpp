#include "JpegCoder.h"

#include <cstdint>

#include "DibSection.h"
#include "JpegDecoder.h"
#include "JpegEncoder.h"
#include "Surface.h"

namespace device {

RECT LetterboxRect(int srcWidth, int srcHeight, int width, int height) {
    // Whole-number arithmetic: the truncated exact ratio, free of rounding drift.
    const std::int64_t sw = srcWidth, sh = srcHeight, w = width, h = height;
    if (w * sh > h * sw) {  // relatively taller source: fills the height
        const int drawn = static_cast<int>(sw * h / sh);
        const int left = (width - drawn) / 2;
        return RECT{left, 0, left + drawn, height};
    }
    const int drawn = static_cast<int>(sh * w / sw);
    const int top = (height - drawn) / 2;
    return RECT{0, top, width, top + drawn};
}

}  // namespace device

namespace {

bool Stretch(HDC dc, HBITMAP source, int srcWidth, int srcHeight, HBITMAP target, const RECT& to) {
    fw::Surface from, into;
    if (!from.Borrow(dc, source) || !into.Borrow(dc, target)) return false;
    ::SetStretchBltMode(into.dc(), COLORONCOLOR);
    return ::StretchBlt(into.dc(), to.left, to.top, to.right - to.left, to.bottom - to.top, from.dc(), 0, 0, srcWidth,
                        srcHeight, SRCCOPY) != FALSE;
}

}  // namespace

int CJpegCoder::SaveJpeg(const wchar_t* path, HBITMAP bitmap, int quality) {
    if (save_) return save_(path, bitmap, quality) ? 1 : 0;
    return device::SaveDibAsJpeg(path, bitmap, quality) ? 1 : 0;
}

int CJpegCoder::DecodeJpeg(const wchar_t* path, const void* data, DWORD size, HBITMAP* bitmap, int wantedWidth,
                           int scaleDenominator) {
    if (!bitmap) return 0;
    *bitmap = nullptr;
    if (!load_) {
        device::JpegInput input;
        input.widePath = path;
        input.data = data;
        input.size = size;
        return device::DecodeJpegToDib(input, wantedWidth, scaleDenominator, bitmap, nullptr) ? 1 : 0;
    }
    BOOL ok = load_(path, data, size, bitmap, wantedWidth, scaleDenominator, nullptr);
    // The library is outside the system: accept only what the interface promises.
    if (ok && device::IsDib24(*bitmap)) return 1;
    if (*bitmap) ::DeleteObject(*bitmap);
    *bitmap = nullptr;
    return 0;
}

int CJpegCoder::FitBitmap(HDC dc, HBITMAP source, HBITMAP* out, int width, int height) {
    if (!out) return 0;
    *out = nullptr;
    int srcWidth = 0, srcHeight = 0;
    if (width <= 0 || height <= 0 || !device::GetBitmapSize(source, &srcWidth, &srcHeight)) return 0;
    HBITMAP fitted = device::CreateDib24(width, height);
    if (!fitted) return 0;
    if (!Stretch(dc, source, srcWidth, srcHeight, fitted, device::LetterboxRect(srcWidth, srcHeight, width, height))) {
        ::DeleteObject(fitted);
        return 0;
    }
    *out = fitted;
    return 1;
}

int CJpegCoder::FitIfAsked(HBITMAP decoded, HBITMAP* out, HDC dc, int width, int height) {
    int w = 0, h = 0;
    if (!dc || width <= 0 || height <= 0 || !device::GetBitmapSize(decoded, &w, &h) || (w == width && h == height)) {
        *out = decoded;
        return 1;
    }
    int result = FitBitmap(dc, decoded, out, width, height);
    ::DeleteObject(decoded);
    return result;
}

int CJpegCoder::LoadJpegFile(HBITMAP* out, const wchar_t* path, HDC dc, int width, int height) {
    if (!out) return 0;
    *out = nullptr;
    HBITMAP decoded = nullptr;
    if (!DecodeJpeg(path ? path : L"", nullptr, 0, &decoded, width, 0)) return 0;
    return FitIfAsked(decoded, out, dc, width, height);
}

int CJpegCoder::LoadJpegMemory(HBITMAP* out, const void* data, DWORD size, HDC dc, int width, int height,
                               int scaleDenominator) {
    if (!out) return 0;
    *out = nullptr;
    HBITMAP decoded = nullptr;
    if (!DecodeJpeg(nullptr, data, size, &decoded, width, scaleDenominator)) return 0;
    return FitIfAsked(decoded, out, dc, width, height);
}
