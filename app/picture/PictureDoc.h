#pragma once
// What the still and the live document share: the picture data, made once
// by the view, and accessors that answer neutrally before it exists.
#include <windows.h>

#include <memory>
#include <string>

#include "Document.h"
#include "picture/ViewData.h"

class CPictureDoc : public fw::Document {
public:
    static constexpr int kTypeJpeg = 1;
    static constexpr int kTypeBmp = 2;

    ~CPictureDoc() override;

    // Makes the picture data once; 0 (after a message) when memory runs out.
    int CreateViewData();
    CViewData* viewData() const { return viewData_.get(); }

    void Rotate(UINT commandId);
    int GetRotation() const;
    void SetZoom(double zoom);  // 0 is ignored
    double GetZoom() const;
    // The size of the last picture decoded; 0 before the first.
    int GetPictureWidth() const;
    int GetPictureHeight() const;

    void SetName(const std::wstring& name);
    std::wstring GetName() const;
    void SetPath(const std::wstring& path);
    std::wstring GetPath() const;
    void SetSavedType(int type);
    int GetSavedType() const;

protected:
    // `logSource` names the concrete class's CreateViewData in the trace log.
    explicit CPictureDoc(const wchar_t* logSource);

private:
    const wchar_t* logSource_;
    std::unique_ptr<CViewData> viewData_;
};
