#pragma once
// A borderless window over the primary screen that shows the bitmap of its
// owner's memory DC scaled to fit, centred between black bars. It never closes
// itself: a click, Enter or Escape only asks the owner to end full screen.
#include <windows.h>

#include <atomic>

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

class CFullScreenWnd : public fw::Window {
public:
    // Creates and shows the window; Constructed() tells whether it exists.
    CFullScreenWnd(HWND owner, HDC sourceDC);
    // Destroys a window still left, so it never outlives its object.
    ~CFullScreenWnd() override;

    bool Constructed() const { return constructed_; }

    // The back buffer, the size of the client area.
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
    bool CreateMemoryDC();
    void OnPaint();

    HWND owner_;
    HDC sourceDC_;
    fw::Surface back_;
    // DrawPicture and painting run on different threads; both use the back buffer.
    fw::CriticalSection backLock_;
    std::atomic<bool> drawn_{false};
    std::atomic<bool> created_{false};
    bool constructed_ = false;
};
