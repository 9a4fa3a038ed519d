// The three entry points of the JPEG codec libraries.
#include <windows.h>

#include "JpegDecoder.h"
#include "JpegEncoder.h"

namespace {

BOOL Load(device::JpegInput input, const void* data, DWORD size, HBITMAP* bitmap, int wantedWidth,
          int scaleDenominator, DWORD* info) {
    input.data = data;
    input.size = size;
    return device::DecodeJpegToDib(input, wantedWidth, scaleDenominator, bitmap, info) ? TRUE : FALSE;
}

}  // namespace

extern "C" BOOL __stdcall FncLoadJpegW(const wchar_t* path, const void* data, DWORD size, HBITMAP* bitmap,
                                       int wantedWidth, int scaleDenominator, DWORD* info) {
    device::JpegInput input;
    input.widePath = path;
    return Load(input, data, size, bitmap, wantedWidth, scaleDenominator, info);
}

extern "C" BOOL __stdcall FncLoadJpegA(const char* path, const void* data, DWORD size, HBITMAP* bitmap,
                                       int wantedWidth, int scaleDenominator, DWORD* info) {
    device::JpegInput input;
    input.ansiPath = path;
    return Load(input, data, size, bitmap, wantedWidth, scaleDenominator, info);
}

extern "C" BOOL __stdcall FncSaveJpegW(const wchar_t* path, HBITMAP bitmap, int quality) {
    return device::SaveDibAsJpeg(path, bitmap, quality) ? TRUE : FALSE;
}
