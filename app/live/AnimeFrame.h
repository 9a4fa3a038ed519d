#pragma once
// The live monitor's MDI child: owns the request and decode threads while the
// live picture runs, and sizes itself to the decoded picture.
#include <windows.h>

#include <memory>

#include "MdiChild.h"
#include "base/LiveControl.h"

class CAnimeDoc;
class CAnimeView;
class CAnimeViewThread;
class CViewAnimeThread;
class IPictureHost;

class CAnimeFrame : public fw::MdiChild, public ILiveMonitor {
public:
    // `host`: the main window holding the frame; null in tests without one.
    explicit CAnimeFrame(IPictureHost* host);
    ~CAnimeFrame() override;

    CAnimeView* animeView() const;
    CAnimeDoc* animeDocument() const;

    // Threads (AnimeFrameThreads.cpp).
    int PlaySemiAnimation();
    void StopSemiAnimation();
    void SuspendRequests() override;
    void ResumeRequests() override;
    HWND monitorWindow() const override { return hwnd(); }
    bool IsRunning() const { return requestThread_ != nullptr; }
    // Decodes and draws the last frame again, on this thread.
    void RedrawKeptFrame();
    // Asks the decode thread to redraw the last frame.
    void PostRedrawKeptFrame();

    // Window side (AnimeFrame.cpp).
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
    std::unique_ptr<CViewAnimeThread> requestThread_;
    std::unique_ptr<CAnimeViewThread> decodeThread_;
    HANDLE frameReady_ = nullptr;
    bool closing_ = false;
};
