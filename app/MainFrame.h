#pragma once
// The MDI main window: owns the camera connection for the whole run.
#include <windows.h>

#include <memory>
#include <vector>

#include "MdiFrame.h"
#include "SDControl.h"

class CAnimeFrame;
class CVexaDialog;
class CImageView;
namespace fw {
class DocTemplate;
}

constexpr UINT WM_FIRST_VIEW_DATA = 0x401;
constexpr UINT WM_RESUME_LIVE = 0x469;
constexpr UINT WM_DEVICE_NOTIFY = 0x7E8;
constexpr WPARAM kDeviceArrived = 1;
constexpr WPARAM kDeviceRemoved = 2;

class CMainFrame : public fw::MdiFrame {
public:
    static constexpr const wchar_t* kClassName = L"__PICTAVO_CLASSNAME__";

    CMainFrame();
    ~CMainFrame() override;

    // Registers the class and creates the window from the resources of `resourceId`.
    bool LoadFrame(UINT resourceId, DWORD style);

    bool deviceOpen() const { return deviceOpen_; }
    int bDeviceOpen();
    int bDeviceClose();

    // One picture from the camera into `view`, with up to three tries.
    int GetJpegData(CImageView* view, int mode);
    int FileOpen(const wchar_t* path);
    // A JPEG held in memory as a new picture window titled `title`.
    int OpenPicture(const void* data, DWORD length, const wchar_t* title);

    // The zoom of a capture: the live monitor's, or the best fit for the MDI area.
    double LiveScaleFactor() const;
    double bestFitFactor() const { return bestFitFactor_; }
    // Where the next picture window goes, in MDI client coordinates.
    POINT nextChildPosition() const { return nextChild_; }
    void SetNextChildPosition(POINT position) { nextChild_ = position; }
    void AdvanceNextChildPosition();
    // The MDI area between toolbar and status bar, in screen coordinates.
    RECT MdiAreaOnScreen() const;
    int captureCount() const { return captureCount_; }

    // The pointer tool of the picture windows: hand or rectangle selection.
    UINT currentTool() const { return currentTool_; }
    void SetCurrentTool(UINT id);
    // The live monitor.
    bool IsLivePlaying() const { return playing_; }
    CAnimeFrame* liveFrame() const { return liveFrame_; }
    // The live frame is going away (its destruction calls this).
    void ForgetLiveFrame(CAnimeFrame* frame);
    // Decode denominator of the live zoom: 1, 2 or 4.
    int liveDenominator() const { return scaleCode_; }
    SIZE livePictureSize() const { return livePicture_; }
    // Where a live window of `size` goes: the remembered place while it still
    // fits the MDI area, else (0, 0).
    POINT LiveWindowPosition(SIZE size) const;
    void RememberLiveWindowPosition(POINT position) { livePosition_ = position; }
    // Suspends the live requests (a press on a picture, a decode that fell
    // behind) and resumes them; both do nothing without a running live monitor.
    void PauseLive();
    void ResumeLiveAfterPause();
    // Around modal work: remembers whether to resume and disables the panel.
    void SuspendLive();
    void ResumeLive();
    // The remote-control panel above other windows (full screen) or not.
    void SetRemoteTopmost(bool topmost);
    CVexaDialog* remoteControl() const { return remote_.get(); }
    // True while the frame runs a modal dialog (between SuspendLive and ResumeLive).
    bool InModalDialog() const { return modalDepth_ > 0; }
    int bPlaySemiAnimetion();

    // Drawing settings shared by all picture windows.
    int lineWidth() const { return lineWidth_; }
    BYTE lineKind() const { return lineKind_; }
    COLORREF lineColor() const { return lineColor_; }
    int eraserSize() const { return eraserSize_; }

    // A window that needs the camera: closed when the camera is gone for good
    // and no counted message box is open any more.
    void AddCameraWindow(HWND window);
    // 1 when an SD card answers; otherwise shows why not and returns 0.
    int CheckSdCard();
    CSDControl* sdControl() const { return sdControl_.get(); }

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
    void SetLiveScale(int code);
    void CloseLiveFrame();
    void OnLiveFailed(UINT messageId);
    void OnRemoteControl();
    void ActivateFullScreen();

    HACCEL accelerators_ = nullptr;
    bool deviceOpen_ = false;
    bool playing_ = false;
    bool resumePending_ = false;
    int scaleCode_ = 2;
    SIZE livePicture_{1024, 768};
    POINT livePosition_{0, 0};
    CAnimeFrame* liveFrame_ = nullptr;
    double bestFitFactor_ = 1.0;
    POINT nextChild_{0, 0};
    int captureCount_ = 0;
    UINT currentTool_ = 32838;  // hand
    int lineWidth_ = 3;
    BYTE lineKind_ = 0;  // solid
    COLORREF lineColor_ = RGB(0, 0, 0);
    int eraserSize_ = 10;
    std::unique_ptr<CSDControl> sdControl_;
    std::unique_ptr<CVexaDialog> remote_;
    int modalDepth_ = 0;
    std::vector<HWND> cameraWindows_;
};

// The application's main frame, or null before it exists.
CMainFrame* GetMainFrame();
