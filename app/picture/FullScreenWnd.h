#pragma once
// A borderless window over the primary screen that shows its owner's picture
// scaled to fit, centred between black bars: either the bitmap of a memory DC,
// kept in a back buffer, or drawn by the owner straight into the window. It
// never closes itself: a click, Enter or Escape only asks the owner to end
// full screen.
#include <windows.h>

#include <atomic>
#include <functional>

#include "Handles.h"
#include "Surface.h"
#include "Window.h"
#include "base/AppMessages.h"


// The main frame finds the window by this name to bring it to the front.
constexpr const wchar_t* kFullScreenWindowName = L"_FULLSCREENWND_PICTAVO_QZT_WINDOWNAME_";

struct FullScreenPlacement {
    RECT target;    // where the whole picture goes on the screen
    bool halftone;  // shrinking: plain colour-on-colour would drop whole rows
};

// Fits the picture to the screen keeping its proportions; the spare width or
// height is split evenly. An empty picture or screen gives an empty target.
FullScreenPlacement PlaceFullScreen(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight);

// Black bars around where a picture of `picture`'s size goes in `client`,
// and the stretch mode set for it; the placement to stretch onto.
FullScreenPlacement PrepareFullScreen(HDC dc, const RECT& client, SIZE picture);

// The owner's picture fitted into `client` of `dc` (PrepareFullScreen, then
// one stretch); false when the stretch failed.
using FullScreenDrawer = std::function<bool(HDC dc, const RECT& client)>;

class CFullScreenWnd : public fw::Window {
public:
    // Creates and shows the window; Constructed() tells whether it exists.
    CFullScreenWnd(HWND owner, HDC sourceDC);
    // Without a back buffer: every frame and paint is one stretch by `drawer`,
    // which takes its own lock, on the window's thread.
    CFullScreenWnd(HWND owner, FullScreenDrawer drawer);
    // Destroys a window still left, so it never outlives its object.
    ~CFullScreenWnd() override;

    bool Constructed() const { return constructed_; }

    // The back buffer, the size of the client area (none for a drawer).
    int Initialize();
    // Draws the source DC's current bitmap; may run on the owner's drawing
    // thread. Returns 1 without drawing once StopDrawing has been called.
    int DrawPicture();
    // The owner calls this before destroying the window, under the same lock
    // it holds around DrawPicture, so no frame lands in a dying window.
    void StopDrawing() { created_ = false; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Open();
    bool CreateMemoryDC();
    int DrawDirectly();
    void OnPaint();

    HWND owner_;
    HDC sourceDC_ = nullptr;
    FullScreenDrawer drawer_;
    fw::Surface back_;
    // DrawPicture and painting run on different threads; both use the back buffer.
    fw::CriticalSection backLock_;
    std::atomic<bool> drawn_{false};
    std::atomic<bool> created_{false};
    bool constructed_ = false;
};
