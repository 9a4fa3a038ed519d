// The camera's slide-show play list (modal, live monitor suspended around
// it) and the SD viewer (a window of its own while the camera commands rest).
#include "shell/MainFrame.h"

#include "base/TraceLog.h"
#include "base/ControlDialog.h"
#include "resource.h"
#include "sdview/SlideShow.h"
#include "sdview/ViewerFrame.h"

void CMainFrame::OnPlayList() {
    if (!CheckSdCard()) return;
    SuspendLive();
    // On success the dialog asks for the resume itself as it closes.
    if (!CreateSlideShow()) ResumeLive();
}

bool CMainFrame::CreateSlideShow() {
    slideShow_ = std::make_unique<CSlideShow>(hwnd(), camera_.device());
    const INT_PTR result = slideShow_->DoModal(hwnd());
    slideShow_.reset();
    return ModalEndedNormally(result, L"CMainFrame::CreateSlideShow");
}

void CMainFrame::OnToolViewer() {
    if (!CheckSdCard()) return;
    if (viewer_) {
        ::SetActiveWindow(viewer_->hwnd());
        return;
    }
    auto viewer = std::make_unique<CViewerFrame>(
        camera_.device(), hwnd(),
        [this](const void* data, DWORD size, const wchar_t* title) { return OpenPicture(data, size, title); });
    if (!viewer->Create()) {
        WriteTraceLog(kTraceApp, L"CMainFrame::OnToolViewer", L"The error occurred with the [Create()] function.");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return;
    }
    viewer->SetAutoDelete(true);
    viewer_ = viewer.release();
    SuspendLive();
    ::ShowWindow(viewer_->hwnd(), SW_SHOW);
    ::UpdateWindow(viewer_->hwnd());
}

void CMainFrame::CloseViewer() {
    if (!viewer_) return;
    CViewerFrame* viewer = viewer_;
    viewer_ = nullptr;
    // The window deletes its object; its reading is stopped as it goes.
    ::DestroyWindow(viewer->hwnd());
}

void CMainFrame::CloseSdWindows() {
    CloseViewer();
    if (slideShow_) slideShow_->CloseForLostCamera();
}
