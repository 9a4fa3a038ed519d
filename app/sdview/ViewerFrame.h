#pragma once
// The SD viewer: a top-level window with the card's folder tree, the
// thumbnails of the chosen folder and a status bar that shows the reading's
// progress. Closing it while thumbnails are read only stops the reading.
#include <windows.h>

#include <functional>
#include <string>

#include "ProgressBar.h"
#include "Splitter.h"
#include "StatusBar.h"
#include "Window.h"
#include "sdview/ViewerThumbnail.h"
#include "sdview/ViewerTree.h"

class CViewerFrame : public fw::Window {
public:
    static constexpr const wchar_t* kClassName = L"PictavoSdViewer";
    static constexpr const wchar_t* kTitle = L"Pictavo for Presentation -Viewer-";
    // Opens a JPEG held in memory as a still picture titled `title`.
    using PictureOpener = std::function<int(const void* data, DWORD size, const wchar_t* title)>;

    // `mainFrame` hears WM_VIEWER_CLOSED and WM_RESUME_LIVE.
    CViewerFrame(device::IDeviceControl* device, HWND mainFrame, PictureOpener opener);
    bool Create();

    // A picture of the card as a still document.
    void OpenPicture(const std::wstring& cardPath);

    CViewerTree& tree() { return tree_; }
    CViewerThumbnail& thumbnails() { return thumbnails_; }
    fw::StatusBar& statusBar() { return status_; }
    fw::ProgressBar& progressBar() { return progress_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    bool OnCreate();
    void ShowProgress(int total, int done);
    void SetProgress(int total, int done);
    void HideProgress();
    void PlaceProgressBar();
    void Layout();
    void OnClose();

    device::IDeviceControl* device_;
    HWND mainFrame_;
    PictureOpener opener_;
    fw::StatusBar status_;
    fw::ProgressBar progress_;
    fw::Splitter splitter_;
    CViewerTree tree_;
    CViewerThumbnail thumbnails_;
};
