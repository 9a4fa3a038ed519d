#pragma once
// The moving test card the camera shows when no picture folder is set:
// colour bars, a grid, a sweeping marker, a clock with the current time and
// the frame counter.
#include <windows.h>

#include "Handles.h"

namespace standin {

class Bitmap24;

class TestCard {
public:
    TestCard();
    void Draw(Bitmap24& out, unsigned long frameNumber, const SYSTEMTIME& now) const;

private:
    void DrawBars(HDC dc, int width, int height) const;
    void DrawGrid(HDC dc, int width, int height) const;
    void DrawMarker(HDC dc, int width, int height, unsigned long frameNumber) const;
    void DrawClock(HDC dc, POINT centre, int radius, const SYSTEMTIME& now) const;
    void DrawCaptions(HDC dc, int width, int height, unsigned long frameNumber, const SYSTEMTIME& now) const;

    fw::GdiObject font_;
    fw::GdiObject smallFont_;
};

}  // namespace standin
