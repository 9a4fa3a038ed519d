#pragma once
// BMP files and 24-bit DIB sections: load a .bmp file, save a bitmap as a
// 24-bit .bmp file, create an empty DIB section, copy one.
#include <windows.h>

// A decoded picture; its owner deletes the bitmap before reusing the record.
struct PictureRecord {
    HBITMAP bitmap = nullptr;
    LONG width = 0;
    LONG height = 0;
};

class CBitmapFile {
public:
    // A DIB section in the file's own pixel format; 0 for a file whose headers
    // do not describe a plausible picture.
    int Load(const wchar_t* path, PictureRecord* picture);
    // Replaces the file only once it is completely written.
    int Save(const wchar_t* path, HBITMAP bitmap);
    HBITMAP CreateDib(int width, int height);
    int CopyDib(HBITMAP source, HBITMAP* out);
};
