#pragma once
// A still picture: a capture from the camera or a JPEG or BMP file. The
// document owns the picture data; the view shows it, the frame saves it.
#include <windows.h>

#include <string>

#include "picture/PictureDoc.h"

namespace fw {
class MdiChild;
}

class CImageDoc : public CPictureDoc {
public:
    CImageDoc();
    ~CImageDoc() override;

    // A JPEG held in memory; a success marks the document modified, since
    // nothing of it is on disk yet.
    int LoadPicture(const void* data, DWORD length, int scaleDenominator);
    int LoadPicture(const wchar_t* path, BOOL isBmp);

    // The frame of the first view that has one.
    fw::MdiChild* FirstFrame() const;

    bool SaveModified() override;
};

// A string-table entry formatted printf-style with the remaining arguments.
std::wstring FormatResString(UINT id, ...);
