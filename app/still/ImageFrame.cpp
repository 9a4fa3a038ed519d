#include "still/ImageFrame.h"

#include <algorithm>

#include "picture/BitmapFile.h"
#include "base/ControlDialog.h"
#include "base/FileSelDlg.h"
#include "still/ImageDoc.h"
#include "picture/ImageMath.h"
#include "still/ImageView.h"
#include "JpegCoder.h"
#include "base/DrawingSettings.h"
#include "base/PictureHost.h"
#include "base/PathName.h"
#include "base/AppServices.h"
#include "base/Registry.h"
#include "Strings.h"
#include "base/TraceLog.h"
#include "base/Utilities.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kPictureFilter = L"JPEG (*.jpg)|*.jpg|BMP (*.bmp)|*.bmp||";
constexpr int kJpegQuality = 75;
constexpr size_t kMaxPath = 260;

bool SameText(const std::wstring& a, const wchar_t* b) { return ::lstrcmpiW(a.c_str(), b) == 0; }

std::wstring WithoutTrailingBackslash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

std::wstring StoredOutputFolder() {
    std::wstring documents;
    GetMyDocumentsFolder(documents);
    std::wstring folder = RegReadString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"OutputFolder", documents);
    return PathExists(WithoutTrailingBackslash(folder)) ? folder : documents;
}

}  // namespace

CImageView* CImageFrame::imageView() const { return static_cast<CImageView*>(view()); }

CImageDoc* CImageFrame::imageDocument() const { return static_cast<CImageDoc*>(document()); }

void CImageFrame::PreCreateWindow(MDICREATESTRUCTW& cs) {
    if (host_) {
        cs.x = host_->nextChildPosition().x;
        cs.y = host_->nextChildPosition().y;
    }
    cs.cx = 2 * ::GetSystemMetrics(SM_CXFRAME) + 512;
    cs.cy = ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) + 384;
}

bool CImageFrame::OnCreate() {
    if (!fw::MdiChild::OnCreate()) {
        WriteTraceLog(kTraceApp, L"CImageFrame::OnCreate", L"The error occurred with the [OnCreate] function.");
        return false;
    }
    HICON icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_IMAGE_FRAME),
                                                 IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    if (icon) ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    ::PostMessageW(hwnd(), WM_IMAGE_FRAME_CREATED, 0, 0);
    return true;
}

void CImageFrame::OnFrameCreated() {
    if (!host_) return;
    // Opening a picture never changes the pointer tool; the buttons show it again.
    UINT tool = host_->drawingSettings().tool();
    if (tool == ID_TOOL_HAND || tool == ID_TOOL_SELECT) host_->SetCurrentTool(tool);
    host_->AdvanceNextChildPosition();
}

int CImageFrame::LoadPicture(const wchar_t* path, BOOL isBmp) {
    CImageView* view = imageView();
    if (!view || !view->LoadPicture(path, isBmp)) {
        WriteTraceLog(kTraceApp, L"CImageFrame::LoadPicture", L"The error occurred with the [LoadPicture()] function.");
        return 0;
    }
    return 1;
}

void CImageFrame::SizeToClient(int width, int height) {
    RECT rc{0, 0, width, height};
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CLIENTEDGE);
    POINT at{0, 0};
    if (host_) at = host_->nextChildPosition();
    ::SetWindowPos(hwnd(), HWND_TOP, at.x, at.y, rc.right - rc.left, rc.bottom - rc.top, SWP_SHOWWINDOW);
}

void CImageFrame::UpdateTitle() {
    CImageDoc* doc = imageDocument();
    if (!doc) return;
    std::wstring name = doc->GetName().substr(0, kMaxPath);
    std::wstring title = name.empty() ? fw::Format(L"%s%d", L"Untitled-", host_ ? host_->captureCount() : 0)
                                      : CPathName(name).NameExtension();
    ::SetWindowTextW(hwnd(), ImageCaption(title, 0, doc->GetZoom()).c_str());
    doc->SetName(title);
    doc->SetTitle(title);
}

bool CImageFrame::ChooseSavePath(int mode, std::wstring& path, int& fileType) {
    const wchar_t* src = L"CImageFrame::DoSaveFile";
    CImageDoc* doc = imageDocument();
    std::wstring current = doc->GetPath().substr(0, kMaxPath);
    if (mode == kSave && !current.empty() && PathExists(WithoutTrailingBackslash(current))) {
        path = current;
        fileType = doc->GetSavedType();
        return true;
    }
    CFileSelDlg dialog(false, L"jpg", nullptr,
                       OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, kPictureFilter,
                       hwnd());
    wchar_t buffer[256] = {};
    std::wstring folder;
    if (!current.empty()) {
        CPathName parts(current);
        folder = parts.DriveFolder();
        current.copy(buffer, std::min<size_t>(current.size(), 255));
        dialog.SetFilterIndex(SameText(parts.Extension(), L".BMP") ? 2 : 1);
    } else {
        folder = StoredOutputFolder();
    }
    int result = dialog.DoModal(nullptr, folder.c_str(), buffer, 256);
    if (result == IDCANCEL) return false;
    if (result != IDOK) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [DoModal()] function. Return Code[%d]", result);
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return false;
    }
    path = buffer;
    RegWriteString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"OutputFolder", CPathName(path).DriveFolder());
    fileType = static_cast<int>(dialog.GetFilterIndex());
    return true;
}

bool CImageFrame::WritePicture(const std::wstring& path, bool asBmp) {
    HBITMAP picture = imageView()->CompositeBitmap();
    if (asBmp) return CBitmapFile().Save(path.c_str(), picture) == 1;
    CJpegCoder coder = AppJpegCoder();
    return coder.SaveJpeg(path.c_str(), picture, kJpegQuality) == 1;
}

int CImageFrame::DoSaveFile(int mode) {
    CImageDoc* doc = imageDocument();
    if (!doc || !imageView()) return 0;
    std::wstring path;
    int fileType = CImageDoc::kTypeJpeg;
    if (!ChooseSavePath(mode, path, fileType)) return 0;

    const std::wstring extension = CPathName(path).Extension();
    bool asBmp = SameText(extension, L".BMP") || (!SameText(extension, L".JPG") && fileType == CImageDoc::kTypeBmp);
    if (!WritePicture(path, asBmp)) {
        WriteTraceLog(kTraceApp, L"CImageFrame::DoSaveFile",
                      asBmp ? L"The error occurred with the [BMP Save()] function."
                            : L"The error occurred with the [JPEG Save()] function.");
        ShowAppMessage(IDS_SAVE_FAILED, MB_OK | MB_ICONSTOP);
        return 0;
    }
    doc->SetSavedType(asBmp ? CImageDoc::kTypeBmp : CImageDoc::kTypeJpeg);
    doc->SetPath(path);
    doc->SetName(CPathName(path).NameExtension());
    doc->SetTitle(CPathName(path).NameExtension());
    UpdateTitle();
    doc->SetModifiedFlag(false);
    return 1;
}

void CImageFrame::EraseDrawing(UINT command) {
    CImageView* view = imageView();
    if (!view) return;
    if (command == ID_TOOL_ERASE_ALL) {
        view->EraseAllArea();
    } else if (command == ID_TOOL_ERASE_AREA && view->HasSelection()) {
        const RECT area = view->selection();
        view->EraseArea(area.left, area.top, area.right - area.left, area.bottom - area.top);
    } else {
        return;
    }
    // The picture no longer matches its file: Save and the question at
    // closing must offer to keep the erasure.
    if (CImageDoc* doc = imageDocument()) doc->SetModifiedFlag(true);
}

void CImageFrame::SelectPointerTool(UINT id) {
    if (!host_) return;
    host_->SetCurrentTool(id);
    if (CImageView* view = imageView()) ::PostMessageW(view->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(view->hwnd()),
                                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

bool CImageFrame::OnCommand(UINT id) {
    CImageView* view = imageView();
    if (!view) return false;
    switch (id) {
    case ID_VIEW_FULL_SCREEN:
        if (!view->ViewFullScreen())
            WriteTraceLog(kTraceApp, L"CImageFrame::SetFullScreen", L"The error occurred with the [ViewFullScreen()] function.");
        return true;
    case ID_FILE_SAVE: DoSaveFile(kSave); return true;
    case ID_FILE_SAVE_AS: DoSaveFile(kSaveAs); return true;
    case ID_FILE_CLOSE: ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); return true;
    case ID_ROTATE_180:
    case ID_ROTATE_CCW:
    case ID_ROTATE_CW: view->SetRotation(id); return true;
    case ID_VIEW_ZOOM_IN: view->ZoomIn(); break;
    case ID_VIEW_ZOOM_OUT: view->ZoomOut(); break;
    case ID_VIEW_ACTUAL_SIZE: view->ActualSize(); break;
    case ID_VIEW_BEST_FIT: view->BestFit(); break;
    case ID_VIEW_ZOOM_SELECTION: view->SelectAreaZoom(); break;
    case ID_TOOL_HAND:
    case ID_TOOL_SELECT: SelectPointerTool(id); return true;
    default: return false;
    }
    ::SendMessageW(hwnd(), WM_UPDATE_TITLE, 0, 0);
    return true;
}

bool CImageFrame::OnUpdateCommand(UINT id, fw::CommandState& state) {
    switch (id) {
    case ID_FILE_SAVE:
        state.enabled = imageDocument() && imageDocument()->IsModified();
        return true;
    case ID_VIEW_ZOOM_SELECTION:
        state.enabled = imageView() && imageView()->HasSelection();
        return true;
    case ID_TOOL_HAND:
    case ID_TOOL_SELECT:
        state.checked = host_ && host_->drawingSettings().tool() == id;
        return true;
    case ID_VIEW_FULL_SCREEN:
    case ID_FILE_SAVE_AS:
    case ID_FILE_CLOSE:
    case ID_ROTATE_180:
    case ID_ROTATE_CCW:
    case ID_ROTATE_CW:
    case ID_VIEW_ZOOM_IN:
    case ID_VIEW_ZOOM_OUT:
    case ID_VIEW_ACTUAL_SIZE:
    case ID_VIEW_BEST_FIT:
        return true;
    default:
        return false;
    }
}

LRESULT CImageFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_IMAGE_FRAME_CREATED: OnFrameCreated(); return 0;
    case WM_UPDATE_TITLE: UpdateTitle(); return 0;
    case WM_CLOSE_WITHOUT_SAVE:
        if (CImageDoc* doc = imageDocument()) doc->SetModifiedFlag(false);
        ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
        return 0;
    default: return fw::MdiChild::WindowProc(msg, wParam, lParam);
    }
}
