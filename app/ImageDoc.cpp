#include "ImageDoc.h"

#include <new>

#include "ControlDialog.h"
#include "ImageFrame.h"
#include "MdiChild.h"
#include "Strings.h"
#include "TraceLog.h"
#include "View.h"
#include "resource.h"

std::wstring FormatResString(UINT id, ...) {
    std::wstring format = fw::LoadResString(id);
    va_list args;
    va_start(args, id);
    std::wstring text = fw::FormatV(format.c_str(), args);
    va_end(args);
    return text;
}

CImageDoc::CImageDoc() = default;
CImageDoc::~CImageDoc() = default;

int CImageDoc::CreateViewData() {
    if (viewData_) return 1;
    try {
        viewData_ = std::make_unique<CViewData>();
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, L"CImageDoc::CreateViewData", L"new CViewData");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONSTOP);
        return 0;
    }
    return 1;
}

void CImageDoc::Rotate(UINT commandId) {
    if (viewData_) viewData_->Rotate(commandId);
}

int CImageDoc::GetRotation() const { return viewData_ ? viewData_->GetRotation() : 0; }

void CImageDoc::SetZoom(double zoom) {
    if (viewData_ && zoom != 0) viewData_->SetZoom(zoom);
}

double CImageDoc::GetZoom() const { return viewData_ ? viewData_->GetZoom() : 1.0; }

int CImageDoc::LoadPicture(const void* data, DWORD length, int scaleDenominator) {
    if (!viewData_) return 0;
    int result = viewData_->LoadPicture(data, length, scaleDenominator);
    if (result == 1) SetModifiedFlag(true);
    return result;
}

int CImageDoc::LoadPicture(const wchar_t* path, BOOL isBmp) {
    return viewData_ ? viewData_->LoadPicture(path, isBmp) : 0;
}

void CImageDoc::SetName(const std::wstring& name) {
    if (viewData_) viewData_->SetFileName(name);
}

std::wstring CImageDoc::GetName() const { return viewData_ ? viewData_->GetFileName() : std::wstring(); }

void CImageDoc::SetPath(const std::wstring& path) {
    if (viewData_) viewData_->SetFilePath(path);
}

std::wstring CImageDoc::GetPath() const { return viewData_ ? viewData_->GetFilePath() : std::wstring(); }

void CImageDoc::SetSavedType(int type) {
    if (viewData_) viewData_->SetFileType(type);
}

int CImageDoc::GetSavedType() const { return viewData_ ? viewData_->GetFileType() : kTypeJpeg; }

fw::MdiChild* CImageDoc::FirstFrame() const {
    for (fw::View* view : views())
        if (view->frame()) return view->frame();
    return nullptr;
}

bool CImageDoc::SaveModified() {
    if (!IsModified()) return true;
    std::wstring text = FormatResString(IDS_SAVE_CHANGES, title().c_str());
    switch (ShowAppMessage(text, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: {
        auto* frame = dynamic_cast<CImageFrame*>(FirstFrame());
        return frame && frame->DoSaveFile(CImageFrame::kSave) == 1;
    }
    case IDNO:
        return true;
    case IDCANCEL:
        return false;
    default:
        return fw::Document::SaveModified();
    }
}
