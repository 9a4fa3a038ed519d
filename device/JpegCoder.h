#pragma once
// Every JPEG read and write of the image application: through the codec
// library's entry points when it is loaded, else with libjpeg-turbo built in.
// Bitmaps are 24-bit bottom-up DIB sections in blue, green, red order.
#include <windows.h>

#include "JpegCodecLibrary.h"

namespace device {

// Where a picture of srcWidth x srcHeight lands when fitted into width x height:
// it fills one side and is centred on the other.
RECT LetterboxRect(int srcWidth, int srcHeight, int width, int height);

}  // namespace device

class CJpegCoder {
public:
    CJpegCoder(device::FncLoadJpegWFn load, device::FncSaveJpegWFn save) : load_(load), save_(save) {}

    int SaveJpeg(const wchar_t* path, HBITMAP bitmap, int quality);
    // path null: the memory block. scaleDenominator 0: the ratio of picture width to wantedWidth.
    int DecodeJpeg(const wchar_t* path, const void* data, DWORD size, HBITMAP* bitmap, int wantedWidth,
                   int scaleDenominator);
    // A new black width x height bitmap with the source stretched into it, aspect kept.
    int FitBitmap(HDC dc, HBITMAP source, HBITMAP* out, int width, int height);
    // With a dc and a size, a picture of another size is fitted into exactly that size.
    int LoadJpegFile(HBITMAP* out, const wchar_t* path, HDC dc, int width, int height);
    int LoadJpegMemory(HBITMAP* out, const void* data, DWORD size, HDC dc, int width, int height,
                       int scaleDenominator);

private:
    int FitIfAsked(HBITMAP decoded, HBITMAP* out, HDC dc, int width, int height);

    device::FncLoadJpegWFn load_;
    device::FncSaveJpegWFn save_;
};
