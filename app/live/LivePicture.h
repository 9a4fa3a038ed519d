#pragma once
// The live picture between the decode thread and the live view. Each frame is
// decoded already reduced to the live zoom; at a display zoom of 1.0 the view
// paints straight from the decoded bits, at others it is stretched once into a
// back buffer the size of the view's client area, and full screen stretches
// it straight into the full-screen window. The decode thread draws here and
// then only invalidates the view's window or posts to it; the view paints, and
// draws the full-screen window, on its own thread. The back buffer, the decode
// scale and the document's picture, zoom and scroll position are used under
// the one lock; a paint straight from the decoded bits pins them and reads
// them without it, so the next frame is decoded and put in place meanwhile.
#include <windows.h>

#include <atomic>

#include "Handles.h"
#include "Surface.h"
#include "live/FrameBitmaps.h"
#include "live/LiveFrameSink.h"
#include "picture/BitmapFile.h"

class CAnimeDoc;
class CFullScreenWnd;

class CLivePicture : public ILiveFrameSink {
public:
    CLivePicture() = default;
    CLivePicture(const CLivePicture&) = delete;
    CLivePicture& operator=(const CLivePicture&) = delete;

    // Before the first frame: the document that decodes and keeps the frames,
    // the window to repaint and the frame window to tell about sizes and failures.
    void Bind(CAnimeDoc* doc, HWND view, HWND frame);

    // Any thread (the decode thread for each frame): decodes at the decode
    // scale and draws. The view is repainted at once on its own thread and
    // soon from any other. 1 only when shown.
    int LoadPicture(const void* data, DWORD length, int* outcome) override;
    // The document's present picture drawn again: the drawing half of
    // LoadPicture. Its outcome (kShown or kNotDrawn).
    int ShowPicture();

    // The live zoom's denominator for the frames to come; the display zoom
    // goes back to 1.0. While full screen, frames stay at full size.
    void SetDecodeScale(int denominator);
    int decodeScale() const { return decodeScale_.load(); }

    // The view's thread. Full screen decodes at full size and leaves the back
    // buffer as the window last showed it; the way back takes the live zoom
    // `denominator`, or with 0 the one from before.
    void EnterFullScreen();
    void LeaveFullScreen(int denominator);
    // The picture into the full-screen window (null once it is gone), as a
    // frame drawn on another thread asks with WM_DRAW_FULL_SCREEN.
    void DrawFullScreen(CFullScreenWnd* window);

    // The document's display zoom and scroll position.
    void SetZoom(double zoom);
    double zoom() const;
    POINT scroll() const;
    void SetScroll(int bar, int position);

    // The view's thread: the back buffer at the client size, redrawn from the
    // picture surface, and copied onto the screen.
    bool ResizeBackBuffer(SIZE client);
    bool RenderBackBuffer();
    void Paint(HDC dc, SIZE client) const;

    // The full-screen window's drawer: the decoded picture fitted to
    // `client`, one stretch from its bits.
    bool StretchFullScreen(HDC dc, const RECT& client) const;
    // For tests and benchmarks: frames drawn into the live picture so far,
    // and the number of the one the last paint or full-screen draw showed.
    long framesDrawn() const { return framesDrawn_.load(); }
    long frameOnScreen() const { return frameOnScreen_.load(); }

private:
    enum class Redraw { kNothing, kWindow, kFullScreen };

    int TakeFrame(int decoded, int scale, PictureRecord& frame, Redraw* redraw);
    int Render(Redraw* redraw);
    int Present(Redraw redraw, int result);
    int Repaint();
    int AskFullScreenDraw();
    bool PaintsDirectly() const;
    void PaintBackBuffer(HDC dc, SIZE client) const;
    bool RenderBackBufferLocked();
    bool MakeSurface(fw::Surface& surface);
    bool ResizeSurface(fw::Surface& surface, SIZE size);
    bool SizeSurface(fw::Surface& surface, SIZE size, const wchar_t* source);
    bool OnViewThread() const;
    void PostFailure(UINT stringId) const;

    CAnimeDoc* doc_ = nullptr;
    HWND view_ = nullptr;
    HWND frame_ = nullptr;
    fw::Surface back_;
    // Their own lock: behind the picture's, a decode would wait for every
    // paint and the two would take turns instead of overlapping.
    mutable CFrameBitmaps bitmaps_;
    std::atomic<int> decodeScale_{2};
    int savedScale_ = 2;  // the live zoom's, while full screen decodes at 1
    bool fullScreen_ = false;
    // Set while a WM_DRAW_FULL_SCREEN is on its way, so a fast decode thread posts one at a time.
    std::atomic<bool> fullScreenDrawPending_{false};
    // A full-screen draw failed on the view's thread: the next frame reports it as not drawn.
    std::atomic<bool> fullScreenFailed_{false};
    std::atomic<long> framesDrawn_{0};
    long frameInBackBuffer_ = 0;
    mutable std::atomic<long> frameOnScreen_{0};
    mutable fw::CriticalSection lock_;
};
