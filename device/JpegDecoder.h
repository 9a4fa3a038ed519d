#pragma once
// JPEG to 24-bit bottom-up DIB section (blue, green, red) with libjpeg-turbo:
// the work behind the codec libraries' load entries and the built-in coder.
#include <windows.h>

#include <cstddef>

namespace device {

// A file by wide or ANSI path, or a memory block when both paths are null.
struct JpegInput {
    const wchar_t* widePath = nullptr;
    const char* ansiPath = nullptr;
    const void* data = nullptr;
    size_t size = 0;
};

// The reduction asked of the decoder: the requested denominator, or with 0 the
// whole-number ratio of picture width to wanted width; never below 1.
int ScaleDenominator(int pictureWidth, int wantedWidth, int requested);

// info: null, or full width, height and component count of the picture.
// Pictures of one component (grey) give three equal bytes per pixel; those of
// other than one or three components fail. On failure *bitmap is null.
bool DecodeJpegToDib(const JpegInput& input, int wantedWidth, int scaleDenominator, HBITMAP* bitmap, DWORD* info);

// A picture for the screen alone (the live frames): decoded into a 32-bit
// DIB section (CreateScreenDib), which a 24-bit screen takes with plain row
// copies; into *bitmap itself when it is one of the size the picture
// decodes to, so a run of frames of one size allocates nothing; otherwise
// into a new bitmap that replaces it (the old one is deleted). On failure
// *bitmap stays, its pixels undefined.
bool DecodeJpegInto(const JpegInput& input, int scaleDenominator, HBITMAP* bitmap);

}  // namespace device
