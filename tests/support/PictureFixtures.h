#pragma once
// Pictures for the picture tests, made at run time, and ways of checking what
// the code under test produced that do not go through that code.
#include <windows.h>

#include <string>
#include <vector>

#include "JpegCodecLibrary.h"

namespace picture_fixtures {

enum class Colour { Rgb, Grey, Cmyk };

// A JPEG of the test pattern, encoded here with libjpeg-turbo directly.
std::string MakeJpeg(int width, int height, Colour colour = Colour::Rgb, bool progressive = false);
// The same JPEG with the frame header claiming another size.
std::string WithClaimedSize(std::string jpeg, int width, int height);

// A BMP file of the test pattern, written byte by byte: 24 bits per pixel, or
// 8 with a grey palette (the pattern's green channel).
std::string MakeBmp(int width, int height, int bitsPerPixel = 24);

// Top-down pixels, three bytes (blue, green, red) each, no padding.
struct Pixels {
    int width = 0, height = 0;
    std::vector<BYTE> bgr;
    const BYTE* at(int x, int y) const { return &bgr[(static_cast<size_t>(y) * width + x) * 3]; }
};

// The test pattern: smooth, different in each channel and direction, nowhere near black.
Pixels Pattern(int width, int height);
// A 24-bit DIB section holding Pattern, made with CreateDIBSection.
HBITMAP MakePatternDib(int width, int height);
// What a 24-bit DIB section holds, read from its bits.
Pixels DibPixels(HBITMAP bitmap);

// Reads a JPEG or BMP file through the Windows Imaging Component: under Wine
// its codecs are Wine's own (IJG libjpeg), on Windows Microsoft's.
bool ReadWithWic(const std::wstring& path, Pixels& pixels);

double MeanDifference(const Pixels& a, const Pixels& b);
double RowDifference(const Pixels& a, const Pixels& b, int y);
bool IsBlackRow(const Pixels& p, int y);
bool IsBlackColumn(const Pixels& p, int x);

// Names of the entries of a folder, to show that nothing was left behind.
std::vector<std::wstring> FolderEntries(const std::wstring& folder);

// One of the codec libraries built beside the test program.
class CodecLibrary {
public:
    explicit CodecLibrary(const wchar_t* fileName);
    ~CodecLibrary();
    CodecLibrary(const CodecLibrary&) = delete;
    CodecLibrary& operator=(const CodecLibrary&) = delete;

    HMODULE module = nullptr;
    device::FncLoadJpegWFn loadW = nullptr;
    device::FncLoadJpegAFn loadA = nullptr;
    device::FncSaveJpegWFn saveW = nullptr;
};

}  // namespace picture_fixtures
