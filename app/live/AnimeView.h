#pragma once
// Shows the live picture. Each frame is decoded already reduced to the live
// zoom, copied 1:1 into the picture DC and stretched once, by the display
// zoom, into a back buffer the size of the client area; painting only copies
// the back buffer. Frames arrive on the decode thread, so the picture DC, the
// back buffer and the full-screen window are used only under the picture lock.
#include <windows.h>

#include <atomic>
#include <memory>

#include "Handles.h"
#include "base/AppMessages.h"
#include "live/LiveFrameSink.h"
#include "View.h"

class CAnimeDoc;
class CAnimeFrame;
class CFullScreenWnd;
class IPictureHost;

class CAnimeView : public fw::View, public ILiveFrameSink {
public:
    // `host`: the main window holding the view; null in tests without one.
    explicit CAnimeView(IPictureHost* host);
    ~CAnimeView() override;

    CAnimeDoc* GetDocument() const;

    // Any thread (the decode thread for each frame): decodes at the decode
    // scale and draws; the window is repainted at once on its own thread and
    // soon from any other. 1 only when shown.
    int LoadPicture(const void* data, DWORD length, int* outcome) override;
    // The document's present picture into the surfaces and onto the screen
    // (or the full-screen window): the drawing half of LoadPicture. Its
    // outcome (kShown or kNotDrawn).
    int ShowPicture();

    // The live zoom's denominator for the frames to come; the display zoom
    // goes back to 1.0. While full screen, frames stay at full size.
    void SetDecodeScale(int denominator);
    int decodeScale() const { return decodeScale_.load(); }
    void SetDisplayZoom(double zoom);
    double GetDisplayZoom() const;

    // Full screen: frames are decoded at full size while it is open.
    int ViewFullScreen();
    void ExitFullScreen();
    bool IsFullScreen() const;

    void OnUpdate(fw::View* sender, LPARAM hint) override;

    // The surfaces, for checking what is shown.
    HDC pictureDC() const;
    HDC backBufferDC() const;

protected:
    void OnDraw(HDC dc) override;
    // The sunken edge the frame allows for when it sizes itself to a picture.
    DWORD ExtraExStyle() const override { return WS_EX_CLIENTEDGE; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    IPictureHost* host_;
    class Surface;

    CAnimeFrame* animeFrame() const;
    int OnCreate();
    void PostFailure(UINT stringId) const;

    int CreateMemoryDC(Surface& surface, int width, int height);
    int ResizeMemoryDC(Surface& surface, int width, int height);
    int DrawPicture();
    // Under the picture lock: the surfaces, or the full-screen window; says
    // whether the window itself needs a repaint.
    int RenderPicture(bool* repaint);
    int Repaint();
    // The back buffer from the picture DC at the display zoom and scroll
    // positions; false when the stretch failed.
    bool RenderBackBuffer();
    void OnResizeDC(int width, int height);
    void CloseFullScreen(bool redrawKeptFrame);

    void ResetScrollBars();
    POINT StoredScroll() const;
    void StoreScroll(int bar, int position);
    int SetScrollInfo(int bar, int position);
    void OnScroll(int bar, UINT code);

    void OnPaint();
    bool OnSetCursor(HWND window, UINT hitTest);
    void OnLButtonDown(POINT p);
    void OnMouseMove(WPARAM flags, POINT q);
    void OnLButtonUp();

    std::unique_ptr<Surface> picture_;
    std::unique_ptr<Surface> back_;
    std::atomic<int> decodeScale_{2};
    int savedScale_ = 2;  // the live zoom's, while full screen decodes at 1
    // Recursive: LoadPicture holds it while its own steps take it again.
    mutable fw::CriticalSection lock_;
    std::unique_ptr<CFullScreenWnd> fullScreen_;
    struct Drag {
        POINT at{};
        POINT scroll{};
        bool active = false;
    } drag_;
    // Copies the decode thread posts to; it never touches the window objects.
    HWND frameWnd_ = nullptr;
    HWND ownWnd_ = nullptr;
    CAnimeDoc* doc_ = nullptr;
};
