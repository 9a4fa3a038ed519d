#include "CameraOptics.h"

#include <algorithm>
#include <cmath>

#include "StandInCodes.h"

namespace standin {

namespace {
// Speeds per second of a held button: zoom doubles, focus crosses half its range, iris one stop.
constexpr double kZoomStopsPerSecond = 1.0;
constexpr double kFocusPerSecond = 0.5;
constexpr double kIrisStopsPerSecond = 1.0;

double Move(double value, int direction, double perSecond, double seconds, double low, double high) {
    return std::clamp(value + direction * perSecond * seconds, low, high);
}

// Parameter 1 moves one way, 2 the other, 0 stops.
int Direction(uint32_t parameter, int directionOfOne) {
    return parameter == 0 ? 0 : parameter == 1 ? directionOfOne : -directionOfOne;
}
}  // namespace

bool CameraOptics::IsLensCommand(uint16_t command) {
    return command == kCameraZoom || command == kCameraAutoFocus || command == kCameraIris ||
           command == kCameraFocus;
}

bool CameraOptics::Accepts(uint16_t command, uint32_t parameter) {
    switch (command) {
    case kCameraZoom:
    case kCameraFocus: return parameter <= 2;
    case kCameraAutoFocus: return parameter == 0;
    case kCameraIris: return parameter >= 2 && parameter <= 5;
    default: return false;
    }
}

bool CameraOptics::Apply(uint16_t command, uint32_t parameter, ULONGLONG nowMs) {
    if (!Accepts(command, parameter)) return false;
    Advance(nowMs);
    switch (command) {
    case kCameraZoom:  // 1 tele, 2 wide, 0 stop
        zoomDir_ = Direction(parameter, +1);
        return true;
    case kCameraFocus:  // 1 near, 2 far, 0 stop
        focusDir_ = Direction(parameter, -1);
        return true;
    case kCameraAutoFocus:
        focus_ = 0;
        focusDir_ = 0;
        return true;
    case kCameraIris:
        switch (parameter) {
        case 2: irisDir_ = 1; return true;
        case 3: irisDir_ = -1; return true;
        case 4: irisDir_ = 0; return true;
        default: irisDir_ = 0; irisStops_ = 0; return true;  // 5: normal
        }
    default:
        return false;
    }
}

void CameraOptics::Advance(ULONGLONG nowMs) {
    if (nowMs <= last_) return;
    double seconds = static_cast<double>(nowMs - last_) / 1000.0;
    last_ = nowMs;
    zoomStops_ = Move(zoomStops_, zoomDir_, kZoomStopsPerSecond, seconds, 0, std::log2(kMaxZoom));
    focus_ = Move(focus_, focusDir_, kFocusPerSecond, seconds, -1, 1);
    irisStops_ = Move(irisStops_, irisDir_, kIrisStopsPerSecond, seconds, -kMaxStops, kMaxStops);
}

LensView CameraOptics::ViewAt(ULONGLONG nowMs) {
    Advance(nowMs);
    return {std::exp2(zoomStops_), static_cast<int>(std::lround(std::fabs(focus_) * kMaxBlur)),
            std::exp2(irisStops_)};
}

}  // namespace standin
