#pragma once
// The live monitor's MDI child: owns the request and decode threads while the
// live picture runs, and sizes itself to the decoded picture.
#include <windows.h>

#include <memory>

#include "MdiChild.h"

class CAnimeDoc;
class CAnimeView;
class CAnimeViewThread;
class CViewAnimeThread;

class CAnimeFrame : public fw::MdiChild {
public:
    CAnimeFrame();
    ~CAnimeFrame() override;

    CAnimeView* animeView() const;
    CAnimeDoc* animeDocument() const;

    // Threads (AnimeFrameThreads.cpp).
    int PlaySemiAnimation();
    void StopSemiAnimation();
    void SuspendRequests();
    void ResumeRequests();
    bool IsRunning() const { return requestThread_ != nullptr; }
    // Decodes and draws the last frame again, on this thread.
    void RedrawKeptFrame();
    // Asks the decode thread to redraw the last frame.
    void PostRedrawKeptFrame();

    // Window side (AnimeFrame.cpp).
    void SetLiveScale(int denominator);
    void SetFullScreen();
    void UpdateTitle(int multiplier);

    bool OnCommand(UINT id) override;
    bool OnUpdateCommand(UINT id, fw::CommandState& state) override;

protected:
    void PreCreateWindow(MDICREATESTRUCTW& cs) override;
    bool OnCreate() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ResizeToPicture();
    void ResizeClient(int width, int height);

    std::unique_ptr<CViewAnimeThread> requestThread_;
    std::unique_ptr<CAnimeViewThread> decodeThread_;
    HANDLE frameReady_ = nullptr;
    bool closing_ = false;
};
