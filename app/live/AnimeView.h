#pragma once
// Shows the live picture. The decode thread draws each frame into the live
// picture (CLivePicture) and only invalidates this window or posts to it;
// painting copies the live picture's back buffer, and the full-screen window
// is drawn from its picture surface here, on the window's own thread.
#include <windows.h>

#include <memory>

#include "base/AppMessages.h"
#include "live/LivePicture.h"
#include "View.h"

class CAnimeDoc;
class CAnimeFrame;
class CFullScreenWnd;
class IPictureHost;

class CAnimeView : public fw::View {
public:
    // `host`: the main window holding the view; null in tests without one.
    explicit CAnimeView(IPictureHost* host);
    ~CAnimeView() override;

    CAnimeDoc* GetDocument() const;
    // What the decode thread draws into and this window paints from.
    CLivePicture& livePicture() { return picture_; }

    // The live zoom's denominator for the frames to come; the display zoom
    // goes back to 1.0. While full screen, frames stay at full size.
    void SetDecodeScale(int denominator);
    int decodeScale() const { return picture_.decodeScale(); }
    void SetDisplayZoom(double zoom);
    double GetDisplayZoom() const;

    // Full screen: frames are decoded at full size while it is open.
    int ViewFullScreen();
    void ExitFullScreen();
    bool IsFullScreen() const { return fullScreen_ != nullptr; }

    void OnUpdate(fw::View* sender, LPARAM hint) override;

protected:
    void OnDraw(HDC dc) override;
    // The sunken edge the frame allows for when it sizes itself to a picture.
    DWORD ExtraExStyle() const override { return WS_EX_CLIENTEDGE; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    CAnimeFrame* animeFrame() const;
    int OnCreate();
    void PostFailure(UINT stringId) const;

    void OnResizeDC(int width, int height);
    void CloseFullScreen(bool redrawKeptFrame);

    void ResetScrollBars();
    int SetScrollInfo(int bar, int position);
    void OnScroll(int bar, UINT code);

    void OnPaint();
    bool OnSetCursor(HWND window, UINT hitTest);
    void OnLButtonDown(POINT p);
    void OnMouseMove(WPARAM flags, POINT q);
    void OnLButtonUp();

    IPictureHost* host_;
    CLivePicture picture_;
    // Only this window's thread touches it; declared after the picture, whose DC it reads.
    std::unique_ptr<CFullScreenWnd> fullScreen_;
    struct Drag {
        POINT at{};
        POINT scroll{};
        bool active = false;
    } drag_;
    CAnimeDoc* doc_ = nullptr;
};
