#pragma once
// The arithmetic of still-picture display, kept apart from the windows so it
// can be checked on its own: zoom steps, fits, captions, scroll ranges.
#include <windows.h>

#include <string>

constexpr double kMinZoom = 0.0625;
constexpr double kMaxZoom = 16.0;

// The next step of the zoom ladder above or below `zoom`.
double ZoomInStep(double zoom);
double ZoomOutStep(double zoom);
double ClampZoom(double zoom);

// Whole percents of the client over the picture, the smaller axis, clamped.
double BestFitZoom(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight);

// "name 100%", "name 66.7%", "name 6.25%"; an empty name gives
// "Untitled-<number>" in the same three shapes.
std::wstring ImageCaption(const std::wstring& name, int untitledNumber, double zoom);

// One scroll bar for content of `extent` pixels in a client of `client`:
// range maximum, page and the position `wanted` limited to what the bar allows.
struct ScrollBarSetting {
    int maximum;
    int page;
    int position;
};
ScrollBarSetting ComputeScrollBar(int extent, int client, int wanted);
// A scroll request's new position, limited to minimum .. maximum - page + 1.
int LimitScrollPosition(int position, int minimum, int maximum, int page);

// The window borders a child frame adds around its picture.
struct FrameMetrics {
    int cxFrame;
    int cyFrame;
    int cyCaption;
    static FrameMetrics Current();  // from the system metrics
};
// Whether a frame around a picture of w x h shown at `factor` fits in
// `available` with its borders and 20 pixels to spare; the height may use the
// last pixel only where `heightMayTouch` says so.
bool FrameFitsAt(double factor, int pictureWidth, int pictureHeight, int availableWidth, int availableHeight,
                 const FrameMetrics& metrics, bool heightMayTouch);
// The first of 1.0, 0.5, 0.25 at which a frame around a picture of w x h fits
// in `available` (width, height) with its borders and 20 pixels to spare;
// 0 when none fits.
double FirstFittingFactor(int pictureWidth, int pictureHeight, int availableWidth, int availableHeight,
                          const FrameMetrics& metrics);
