#pragma once
// A still picture: a capture from the camera or a JPEG or BMP file. The
// document owns the picture data; the view shows it, the frame saves it.
#include <windows.h>

#include <memory>
#include <string>

#include "Document.h"
#include "ViewData.h"

namespace fw {
class MdiChild;
}

class CImageDoc : public fw::Document {
public:
    static constexpr int kTypeJpeg = 1;
    static constexpr int kTypeBmp = 2;

    CImageDoc();
    ~CImageDoc() override;

    // Makes the picture data once; 0 (after a message) when memory runs out.
    int CreateViewData();
    CViewData* viewData() const { return viewData_.get(); }

    void Rotate(UINT commandId);
    int GetRotation() const;
    void SetZoom(double zoom);  // 0 is ignored
    double GetZoom() const;

    // A JPEG held in memory; a success marks the document modified, since
    // nothing of it is on disk yet.
    int LoadPicture(const void* data, DWORD length, int scaleDenominator);
    int LoadPicture(const wchar_t* path, BOOL isBmp);

    void SetName(const std::wstring& name);
    std::wstring GetName() const;
    void SetPath(const std::wstring& path);
    std::wstring GetPath() const;
    void SetSavedType(int type);
    int GetSavedType() const;

    // The frame of the first view that has one.
    fw::MdiChild* FirstFrame() const;

    bool SaveModified() override;

private:
    std::unique_ptr<CViewData> viewData_;
};

// A string-table entry formatted printf-style with the remaining arguments.
std::wstring FormatResString(UINT id, ...);
