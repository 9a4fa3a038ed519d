#include "still/ImageDoc.h"

#include "base/ControlDialog.h"
#include "still/ImageFrame.h"
#include "MdiChild.h"
#include "Strings.h"
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

CImageDoc::CImageDoc() : CPictureDoc(L"CImageDoc::CreateViewData") {}
CImageDoc::~CImageDoc() = default;

int CImageDoc::LoadPicture(const void* data, DWORD length, int scaleDenominator) {
    if (!viewData()) return 0;
    int result = viewData()->LoadPicture(data, length, scaleDenominator);
    if (result == 1) SetModifiedFlag(true);
    return result;
}

int CImageDoc::LoadPicture(const wchar_t* path, BOOL isBmp) {
    return viewData() ? viewData()->LoadPicture(path, isBmp) : 0;
}

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
