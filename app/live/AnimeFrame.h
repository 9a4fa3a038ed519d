#pragma once
// The live monitor's MDI child: owns the request and decode threads while the
// live picture runs, and sizes itself to the decoded picture.
#include <windows.h>

#include "MdiChild.h"
#include "base/LiveControl.h"
#include "live/LiveThreads.h"

class CAnimeDoc;
class CAnimeView;
class IPictureHost;

class CAnimeFrame : public fw::MdiChild, public ILiveMonitor {
public:
    // `host`: the main window holding the frame; null in tests without one.
    explicit CAnimeFrame(IPictureHost* host);
    ~CAnimeFrame() override;

    CAnimeView* animeView() const;
    CAnimeDoc* animeDocument() const;

    // The threads.
    int PlaySemiAnimation();
    void StopSemiAnimation();
    void SuspendRequests() override;
    void ResumeRequests() override;
    HWND monitorWindow() const override { return hwnd(); }
    bool IsRunning() const { return threads_.running(); }
    // Decodes and draws the last frame again, on this thread.
    void RedrawKeptFrame();
    // Asks the decode thread to redraw the last frame.
    void PostRedrawKeptFrame();

    // The window.
    void SetLiveScale(int denominator) override;
    void SetFullScreen();
    void UpdateTitle(int multiplier);

    bool OnCommand(UINT id) override;
    bool OnUpdateCommand(UINT id, fw::CommandState& state) override;

protected:
    void PreCreateWindow(MDICREATESTRUCTW& cs) override;
    bool OnCreate() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    SIZE CameraPicture() const;
    int LiveDenominator() const;
    void ResizeToPicture();
    void ResizeClient(int width, int height);

    IPictureHost* host_;
    CLiveThreads threads_;
    bool closing_ = false;
};
