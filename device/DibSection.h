#pragma once
// 24-bit bottom-up DIB sections, the one picture format of the system, and
// the size limit that keeps sizes read from files from overflowing.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace device {

// Larger pictures are taken as a damaged header rather than as a picture.
constexpr std::uint64_t kMaxDibBytes = 512ull * 1024 * 1024;

// Row length in bytes: 3 x width rounded up to a multiple of 4.
constexpr std::uint64_t DibStride(std::uint64_t width) { return (width * 3 + 3) & ~std::uint64_t{3}; }

// True when a width x height 24-bit picture is positive and within the limit.
bool IsSaneDibSize(long long width, long long height);

// A new zero-filled (black) 24-bit DIB section, or null.
HBITMAP CreateDib24(int width, int height, BYTE** bits = nullptr);

// A new 32-bit bottom-up DIB section (blue, green, red and a spare byte per
// pixel), the pixels of a 24-bit screen: for pictures that are only shown.
HBITMAP CreateScreenDib(int width, int height, BYTE** bits = nullptr);

// Width and height of any bitmap; false for an invalid handle or an empty bitmap.
bool GetBitmapSize(HBITMAP bitmap, int* width, int* height);

// True for a 24-bit DIB section, the only kind a codec may hand back.
bool IsDib24(HBITMAP bitmap);

// The pixels as a BMP file holds them: 24-bit rows, bottom row first, padded.
bool ReadDib24(HBITMAP bitmap, std::vector<BYTE>& pixels, int* width, int* height);

}  // namespace device
