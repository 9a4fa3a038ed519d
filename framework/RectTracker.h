#pragma once
#include <windows.h>

namespace fw {

// The rectangle spanned by two corners, left above right and top above bottom.
RECT NormalizedRect(POINT a, POINT b);

// Rubber-band selection: follows the mouse with a dotted outline while the
// left button is held, and draws the selection it leaves.
class RectTracker {
public:
    RectTracker() = default;
    explicit RectTracker(const RECT& rect) : rect_(rect) {}

    // From `start` (client coordinates of `window`) until the left button is
    // released; Escape, the right button or a lost capture cancel. True with
    // a non-empty rect() when a rectangle was drawn.
    bool TrackRubberBand(HWND window, POINT start);

    const RECT& rect() const { return rect_; }
    void SetRect(const RECT& rect) { rect_ = rect; }
    // The selection as a dotted outline.
    void Draw(HDC dc) const;

private:
    RECT rect_{};
};

}  // namespace fw
