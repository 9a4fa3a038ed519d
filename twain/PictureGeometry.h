#pragma once
// The size and resolution the source declares for the camera's pictures. The
// camera has no physical scale of its own: a resolution is declared once and
// named alike in the DIB header, the image information and the capabilities.
#include <windows.h>

#include "Twain.h"

namespace picture_geometry {

constexpr double kDotsPerInch = 100.0;
// What the camera delivers; a picture already decoded tells its own size.
constexpr SIZE kCameraPicture{1024, 768};
// biXPelsPerMeter / biYPelsPerMeter for kDotsPerInch.
constexpr LONG kPelsPerMeter = static_cast<LONG>(kDotsPerInch / 0.0254 + 0.5);

// Length of `pixels` in `units` (TWUN_INCHES or TWUN_PIXELS).
inline double InUnits(LONG pixels, TW_UINT16 units) {
    return units == TWUN_PIXELS ? static_cast<double>(pixels) : pixels / kDotsPerInch;
}

}  // namespace picture_geometry
