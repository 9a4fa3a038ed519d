#pragma once
// Zoom, focus and iris of the simulated lens. Movements run from their start
// command until their stop command, so the state is integrated over time.
#include <windows.h>

#include <cstdint>

namespace standin {

struct LensView {
    double zoom;      // 1 (wide end) to kMaxZoom
    int blurRadius;   // pixels; 0 = in focus
    double gain;      // brightness factor of the iris
};

class CameraOptics {
public:
    static constexpr double kMaxZoom = 4.0;
    static constexpr int kMaxBlur = 12;
    static constexpr double kMaxStops = 2.0;

    explicit CameraOptics(ULONGLONG nowMs = 0) : last_(nowMs) {}

    static bool IsLensCommand(uint16_t command);
    static bool Accepts(uint16_t command, uint32_t parameter);
    // False (and nothing changes) for a command or parameter the lens does not know.
    bool Apply(uint16_t command, uint32_t parameter, ULONGLONG nowMs);
    LensView ViewAt(ULONGLONG nowMs);

private:
    void Advance(ULONGLONG nowMs);

    ULONGLONG last_;
    double zoomStops_ = 0;   // log2 of the zoom factor
    double focus_ = 0;       // distance from the sharp point, -1 to 1
    double irisStops_ = 0;
    int zoomDir_ = 0, focusDir_ = 0, irisDir_ = 0;
};

}  // namespace standin
