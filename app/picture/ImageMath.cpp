#include "picture/ImageMath.h"

#include <algorithm>
#include <cmath>

#include "Strings.h"

namespace {

// 0.667 rather than two thirds: the caption then reads 66.7 %, and two
// thirds itself still has a step above it.
constexpr double kZoomSteps[] = {0.0625, 0.125, 0.25, 0.5, 0.667, 1.0, 1.5, 2.0, 3.0, 4.0, 8.0, 16.0};
constexpr double kFitFactors[] = {1.0, 0.5, 0.25};
// Room a picture frame keeps free beside and below its picture.
constexpr int kFrameSpare = 20;

}  // namespace

double ZoomInStep(double zoom) {
    for (double step : kZoomSteps)
        if (step > zoom) return step;
    return kMaxZoom;
}

double ZoomOutStep(double zoom) {
    double result = kMinZoom;
    for (double step : kZoomSteps)
        if (step < zoom) result = step;
    return result;
}

double ClampZoom(double zoom) {
    if (!(zoom >= kMinZoom)) return kMinZoom;  // NaN as well
    return std::min(zoom, kMaxZoom);
}

double BestFitZoom(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return 1.0;
    int px = static_cast<int>(static_cast<double>(clientWidth) / pictureWidth * 100);
    int py = static_cast<int>(static_cast<double>(clientHeight) / pictureHeight * 100);
    return ClampZoom(std::min(px, py) * 0.01);
}

std::wstring ImageCaption(const std::wstring& name, int untitledNumber, double zoom) {
    const std::wstring title = name.empty() ? fw::Format(L"%s%d", L"Untitled-", untitledNumber) : name;
    // The shape follows the hundredths of a percent the factor really has.
    const long long p = static_cast<long long>(zoom * 10000);
    const wchar_t* format = p % 100 == 0 ? L"%s %0.0lf%%" : p % 10 == 0 ? L"%s %4.1lf%%" : L"%s %4.2lf%%";
    return fw::Format(format, title.c_str(), zoom * 100);
}

ScrollBarSetting ComputeScrollBar(int extent, int client, int wanted) {
    ScrollBarSetting s{};
    // A range as large as the page would still show a bar with one step.
    s.maximum = extent == client ? extent - 1 : extent;
    s.page = client;
    const int greatest = std::max(0, s.maximum - client);
    s.position = std::max(0, std::min(wanted, greatest));
    return s;
}

int LimitScrollPosition(int position, int minimum, int maximum, int page) {
    const int greatest = maximum - page + 1;
    if (position > greatest) position = greatest;
    if (position < minimum) position = minimum;
    return position;
}

FrameMetrics FrameMetrics::Current() {
    return FrameMetrics{::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME),
                        ::GetSystemMetrics(SM_CYCAPTION)};
}

bool FrameFitsAt(double factor, int pictureWidth, int pictureHeight, int availableWidth, int availableHeight,
                 const FrameMetrics& m, bool heightMayTouch) {
    const double width = 2.0 * m.cxFrame + pictureWidth * factor + kFrameSpare;
    const double height = m.cyCaption + 2.0 * m.cyFrame + pictureHeight * factor + kFrameSpare;
    return width <= availableWidth && (heightMayTouch ? height <= availableHeight : height < availableHeight);
}

double FirstFittingFactor(int pictureWidth, int pictureHeight, int availableWidth, int availableHeight,
                          const FrameMetrics& metrics) {
    for (double factor : kFitFactors)
        if (FrameFitsAt(factor, pictureWidth, pictureHeight, availableWidth, availableHeight, metrics, false))
            return factor;
    return 0;
}
