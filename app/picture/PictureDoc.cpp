#include "picture/PictureDoc.h"

#include <new>

#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "resource.h"

CPictureDoc::CPictureDoc(const wchar_t* logSource) : logSource_(logSource) {}

CPictureDoc::~CPictureDoc() = default;

int CPictureDoc::CreateViewData() {
    if (viewData_) return 1;
    try {
        viewData_ = std::make_unique<CViewData>();
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, logSource_, L"new CViewData");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONSTOP);
        return 0;
    }
    return 1;
}

void CPictureDoc::Rotate(UINT commandId) {
    if (viewData_) viewData_->Rotate(commandId);
}

int CPictureDoc::GetRotation() const { return viewData_ ? viewData_->GetRotation() : 0; }

void CPictureDoc::SetZoom(double zoom) {
    if (viewData_ && zoom != 0) viewData_->SetZoom(zoom);
}

double CPictureDoc::GetZoom() const { return viewData_ ? viewData_->GetZoom() : 1.0; }

int CPictureDoc::GetPictureWidth() const { return viewData_ ? viewData_->GetWidth() : 0; }

int CPictureDoc::GetPictureHeight() const { return viewData_ ? viewData_->GetHeight() : 0; }

void CPictureDoc::SetName(const std::wstring& name) {
    if (viewData_) viewData_->SetFileName(name);
}

std::wstring CPictureDoc::GetName() const { return viewData_ ? viewData_->GetFileName() : std::wstring(); }

void CPictureDoc::SetPath(const std::wstring& path) {
    if (viewData_) viewData_->SetFilePath(path);
}

std::wstring CPictureDoc::GetPath() const { return viewData_ ? viewData_->GetFilePath() : std::wstring(); }

void CPictureDoc::SetSavedType(int type) {
    if (viewData_) viewData_->SetFileType(type);
}

int CPictureDoc::GetSavedType() const { return viewData_ ? viewData_->GetFileType() : kTypeJpeg; }
