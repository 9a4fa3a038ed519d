#pragma once
// The camera's picture canvas: which pictures it takes as they are, and
// where any other picture lands on a black canvas it does take.
#include <windows.h>

constexpr int kCanvasMaxWidth = 2592;
constexpr int kCanvasMaxHeight = 1944;

// 0 < width <= 2592, 0 < height <= 1944, width a multiple of 16, height of 8.
bool IsCameraSize(int width, int height);

struct CanvasPlan {
    int width = 0, height = 0;  // the canvas
    RECT drawn{};               // left, top, right, bottom of the picture on it
    bool shrinks = false;       // drawn smaller than the picture itself
};

// False for a picture without pixels.
bool PlanCanvas(int width, int height, CanvasPlan& plan);

// A new 24-bit bottom-up bitmap laid out by PlanCanvas, `source` (a DIB
// section) drawn onto it; null on failure, logged under `origin`.
HBITMAP ConvertBmpSize(HDC reference, HBITMAP source, const wchar_t* origin);
