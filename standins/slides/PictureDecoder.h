#pragma once
// A picture embedded in a slide (JPEG, PNG, GIF, BMP) as a 24-bit DIB section.
#include <string>

#include "Handles.h"

namespace slides {

// JPEG through libjpeg-turbo, everything else through the Windows Imaging
// Component (COM must be initialised on the thread); null when undecodable.
fw::GdiObject DecodePicture(const std::string& data);

}  // namespace slides
