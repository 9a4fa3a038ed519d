#pragma once
// Entry points of the optional JPEG codec libraries "PictavoSIMD.dll" and
// "PictavoIJG.dll". Bitmaps are 24-bit bottom-up DIB sections, BGR order.
#include <windows.h>

namespace device {

// info: null, or width, height and component count of the full picture.
using FncLoadJpegWFn = BOOL(__stdcall*)(const wchar_t* path, const void* data, DWORD size, HBITMAP* bitmap,
                                        int wantedWidth, int scaleDenominator, DWORD* info);
using FncLoadJpegAFn = BOOL(__stdcall*)(const char* path, const void* data, DWORD size, HBITMAP* bitmap,
                                        int wantedWidth, int scaleDenominator, DWORD* info);
using FncSaveJpegWFn = BOOL(__stdcall*)(const wchar_t* path, HBITMAP bitmap, int quality);

}  // namespace device
