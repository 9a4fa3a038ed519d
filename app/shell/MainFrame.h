#pragma once
// The MDI main window. The camera connection, the live control and the
// drawing settings are plain objects it owns; it creates the subsystems'
// windows, hands them itself as their host and routes their commands.
#include <windows.h>

#include <memory>

#include "MdiFrame.h"
#include "SDControl.h"
#include "base/AppMessages.h"
#include "base/CameraConnection.h"
#include "base/DrawingSettings.h"
#include "base/LiveControl.h"
#include "base/PictureHost.h"
#include "drawing/DrawingHost.h"

class CAnimeFrame;
class CEditViewTool;
class CFTransDlg;
class CPptDlg;
class CSlideShow;
class CViewerFrame;
class CVexaDialog;
class CImageView;
namespace fw {
class DocTemplate;
}

class CMainFrame : public fw::MdiFrame, public IPictureHost, public IDrawingHost {
public:
    static constexpr const wchar_t* kClassName = L"__PICTAVO_CLASSNAME__";

    CMainFrame();
    ~CMainFrame() override;

    // Registers the class and creates the window from the resources of `resourceId`.
    bool LoadFrame(UINT resourceId, DWORD style);

    CCameraConnection& camera() { return camera_; }
    bool deviceOpen() const { return camera_.isOpen(); }
    int bDeviceOpen() { return camera_.Open(hwnd()); }
    int bDeviceClose() { return camera_.Close(); }

    // One picture from the camera into `view`, with up to three tries.
    int GetJpegData(CImageView* view, int mode);
    int FileOpen(const wchar_t* path);
    // A JPEG held in memory as a new picture window titled `title`.
    int OpenPicture(const void* data, DWORD length, const wchar_t* title);

    // IPictureHost.
    HWND hostWindow() const override { return hwnd(); }
    CDrawingSettings& drawingSettings() override { return drawing_; }
    CLiveControl& liveControl() override { return live_; }
    POINT nextChildPosition() const override { return nextChild_; }
    void SetNextChildPosition(POINT position) override { nextChild_ = position; }
    void AdvanceNextChildPosition() override;
    POINT LiveWindowPosition(SIZE size) const override { return live_.WindowPosition(size, nextChild_, ChildArea()); }
    int captureCount() const override { return captureCount_; }
    RECT MdiAreaOnScreen() const override;
    double LiveScaleFactor() const override { return live_.CaptureFactor(bestFitFactor_); }
    void SetCurrentTool(UINT id) override;
    void SetRemoteTopmost(bool topmost) override;
    // IDrawingHost.
    void EraseDrawing(UINT command) override;
    // The drawing palette (null until the frame's first view data).
    CEditViewTool* palette() const { return palette_.get(); }

    double bestFitFactor() const { return bestFitFactor_; }
    UINT currentTool() const { return drawing_.tool(); }
    int lineWidth() const { return drawing_.lineWidth(); }
    BYTE lineKind() const { return drawing_.lineKind(); }
    COLORREF lineColor() const { return drawing_.lineColor(); }
    int eraserSize() const { return drawing_.eraserSize(); }

    // The live monitor.
    bool IsLivePlaying() const { return live_.playing(); }
    CAnimeFrame* liveFrame() const;
    int liveDenominator() const { return live_.scaleCode(); }
    SIZE livePictureSize() const { return live_.pictureSize(); }
    void PauseLive() { live_.Pause(); }
    void ResumeLiveAfterPause() { live_.ResumeAfterPause(); }
    // Around modal work: remembers whether to resume and disables the panel.
    void SuspendLive();
    void ResumeLive();
    bool InModalDialog() const { return live_.inModal(); }
    int bPlaySemiAnimetion();
    CVexaDialog* remoteControl() const { return remote_.get(); }

    // A window that needs the camera: closed when the camera is gone for good
    // and no counted message box is open any more.
    void AddCameraWindow(HWND window) { camera_.AddCameraWindow(window); }
    // 1 when an SD card answers; otherwise shows why not and returns 0.
    int CheckSdCard();
    CSDControl* sdControl() const { return sdControl_.get(); }
    CViewerFrame* viewer() const { return viewer_; }
    CSlideShow* slideShow() const { return slideShow_.get(); }

    bool OnCommand(UINT id) override;
    bool OnUpdateCommand(UINT id, fw::CommandState& state) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool PreCreateWindow();
    bool OnCreate();
    bool CreateBars();
    void OnSetFirstViewData();
    void OnDeviceNotify(WPARAM event);
    void DeviceLostCheck();
    void OnSize();
    void OnDestroy();
    void SetStatusText(UINT stringId);
    void OnFileOpen();
    void OnStillCapture();
    void OnAllClose();
    fw::DocTemplate* FindTemplate(const wchar_t* fileNewName) const;
    void OnStartLive();
    void CloseLiveFrame();
    void OnLiveFailed(UINT messageId);
    void OnRemoteControl();
    void ActivateFullScreen();
    void OnToolDraw();
    // Tools > File Conversion, with the live monitor suspended around it.
    void OnFileConversion();
    bool CreateConverDlg();
    // Transfer to SD memory (Tools menu): card check, then the dialog with
    // the live monitor suspended around it.
    void OnSdTransfer();
    bool CreateTransFerDlg();
    // The camera's slide-show play list and the SD viewer (Tools menu).
    void OnPlayList();
    bool CreateSlideShow();
    void OnToolViewer();
    void CloseViewer();
    // The camera is gone: the viewer closes, the play-list dialog ends.
    void CloseSdWindows();
    // The camera commands rest while the SD viewer is open.
    bool CameraCommandsFree() const { return deviceOpen() && !viewer_; }
    // A modal tool dialog's result: OK and Cancel are normal ends; any other
    // is logged for `source` and told.
    static bool ModalEndedNormally(INT_PTR result, const wchar_t* source);

    HACCEL accelerators_ = nullptr;
    CCameraConnection camera_;
    CLiveControl live_;
    CDrawingSettings drawing_;
    double bestFitFactor_ = 1.0;
    POINT nextChild_{0, 0};
    int captureCount_ = 0;
    std::unique_ptr<CSDControl> sdControl_;
    std::unique_ptr<CVexaDialog> remote_;
    std::unique_ptr<CEditViewTool> palette_;
    std::unique_ptr<CPptDlg> conversion_;
    std::unique_ptr<CFTransDlg> transfer_;
    std::unique_ptr<CSlideShow> slideShow_;  // while the play-list dialog runs
    CViewerFrame* viewer_ = nullptr;         // the window owns the object
};

// The application's main frame, or null before it exists.
CMainFrame* GetMainFrame();
