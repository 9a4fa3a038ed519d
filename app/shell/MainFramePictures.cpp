// The main frame's picture commands: still capture, file open, pictures
// from memory, all close.
#include <windows.h>

#include "Application.h"
#include "DocTemplate.h"
#include "Handles.h"
#include "base/ControlDialog.h"
#include "base/FileSelDlg.h"
#include "base/PathName.h"
#include "base/Registry.h"
#include "base/TraceLog.h"
#include "base/Utilities.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "still/ImageDoc.h"
#include "still/ImageFrame.h"
#include "still/ImageView.h"

namespace {

constexpr const wchar_t* kPictureFilter = L"JPEG (*.jpg)|*.jpg|BMP (*.bmp)|*.bmp||";

}  // namespace

int CMainFrame::GetJpegData(CImageView* view, int mode) {
    if (!camera_.device() || !view) return 0;
    CCameraConnection::Still still = camera_.FetchStill();
    if (!still.answered) {
        ShowAppMessage(IDS_STILL_FAILED, MB_OK | MB_ICONERROR);
        return 0;
    }
    fw::GlobalLock data(still.block.get());
    // An empty answer or a size the block cannot hold is reported like an
    // undecodable picture: the user asked for a picture and gets none.
    const bool holds = data.get() && still.size > 0 && still.size <= ::GlobalSize(still.block.get());
    int result = holds ? view->LoadPicture(data.get(), still.size, mode) : 0;
    if (!result) {
        WriteTraceLog(kTraceApp, L"CMainFrame::GetJpegData", L"The error occurred with the [LoadPicture()] function.");
        ShowAppMessage(IDS_STILL_FAILED, MB_OK | MB_ICONERROR);
    }
    return result;
}

fw::DocTemplate* CMainFrame::FindTemplate(const wchar_t* fileNewName) const {
    for (const auto& docTemplate : fw::Application::Instance()->docTemplates())
        if (docTemplate->GetDocString(fw::DocTemplate::FileNewName) == fileNewName) return docTemplate.get();
    return nullptr;
}

void CMainFrame::OnStillCapture() {
    fw::DocTemplate* image = FindTemplate(L"Image");
    fw::DocTemplate::Opened opened = image ? image->OpenNew(*this, false) : fw::DocTemplate::Opened{};
    if (!opened) return;
    if (GetJpegData(static_cast<CImageView*>(opened.view), CImageView::kFitLiveZoom)) {
        ++captureCount_;
        ::SendMessageW(opened.frame->hwnd(), WM_UPDATE_TITLE, 0, 0);
        opened.frame->Show();
    } else {
        opened.document->SetModifiedFlag(false);
        ::PostMessageW(opened.frame->hwnd(), WM_CLOSE, 0, 0);
    }
}

int CMainFrame::FileOpen(const wchar_t* path) {
    const wchar_t* src = L"CMainFrame::FileOpen";
    const std::wstring extension = CPathName(path ? path : L"").Extension();
    const bool isJpeg = ::lstrcmpiW(extension.c_str(), L".jpg") == 0;
    const bool isBmp = ::lstrcmpiW(extension.c_str(), L".bmp") == 0;
    if (!isJpeg && !isBmp) {
        WriteTraceLog(kTraceApp, src, L"Open Invalid Extension File.");
        ShowAppMessage(IDS_OPEN_FAILED, MB_OK | MB_ICONERROR);
        return 0;
    }
    fw::DocTemplate* image = FindTemplate(L"Image");
    fw::DocTemplate::Opened opened = image ? image->OpenNew(*this, false) : fw::DocTemplate::Opened{};
    if (!opened) return 0;
    auto* frame = static_cast<CImageFrame*>(opened.frame);
    if (!frame->LoadPicture(path, isBmp)) {
        WriteTraceLog(kTraceApp, src, L"Open inaccurate file.");
        ::SendMessageW(mdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(frame->hwnd()), 0);
        ShowAppMessage(IDS_OPEN_FAILED, MB_OK | MB_ICONERROR);
        return 0;
    }
    ::SendMessageW(frame->hwnd(), WM_UPDATE_TITLE, 0, 0);
    frame->Show();
    return 1;
}

int CMainFrame::OpenPicture(const void* data, DWORD length, const wchar_t* title) {
    fw::DocTemplate* image = FindTemplate(L"Image");
    fw::DocTemplate::Opened opened = image ? image->OpenNew(*this, false) : fw::DocTemplate::Opened{};
    if (!opened) return 0;
    auto* doc = static_cast<CImageDoc*>(opened.document);
    if (!static_cast<CImageView*>(opened.view)->LoadPicture(data, length, CImageView::kFitToFrame)) {
        doc->SetModifiedFlag(false);
        WriteTraceLog(kTraceApp, L"CMainFrame::FileOpen", L"The error occurred with the [LoadPicture()] function.");
        ShowAppMessage(IDS_OPEN_FAILED, MB_OK | MB_ICONERROR);
        ::PostMessageW(opened.frame->hwnd(), WM_CLOSE, 0, 0);
        return 0;
    }
    const std::wstring name = title ? title : L"";
    doc->SetPathName(name);
    doc->SetTitle(name);
    doc->SetName(name);  // the caption shows it in place of an untitled number
    ::SendMessageW(opened.frame->hwnd(), WM_UPDATE_TITLE, 0, 0);
    opened.frame->Show();
    return 1;
}

void CMainFrame::OnFileOpen() {
    const wchar_t* src = L"CMainFrame::OnFileOpen";
    std::wstring documents;
    GetMyDocumentsFolder(documents);
    std::wstring folder = RegReadString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"InputFolder", documents);
    std::wstring probe = folder;
    if (!probe.empty() && probe.back() == L'\\') probe.pop_back();
    if (!PathExists(probe)) folder = documents;

    CFileSelDlg dialog(true, nullptr, nullptr, OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kPictureFilter,
                       hwnd());
    wchar_t path[MAX_PATH] = {};
    int result = dialog.DoModal(nullptr, folder.c_str(), path, MAX_PATH);
    if (result == IDCANCEL) return;
    if (result != IDOK) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [DoModal()] function. Return Code[%d]", result);
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return;
    }
    if (FileOpen(path) == 1)
        RegWriteString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"InputFolder", CPathName(path).DriveFolder());
    else
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [FileOpen()] function.");
}

void CMainFrame::OnAllClose() {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(mdiClient(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    // Closing the active child activates the next; a child whose save prompt
    // was cancelled stays active and stops the rest.
    for (HWND child : children)
        if (::IsWindow(child) && child == ActiveChild()) ::SendMessageW(child, WM_CLOSE, 0, 0);
}
