#pragma once
// Draws one slide as a picture: white page, the title across the top, the
// body paragraphs below it as a list, and the pictures in their frames.
#include <windows.h>

#include "SlideXml.h"
#include "Surface.h"

namespace slides {

// The slide's layout size in English Metric Units.
struct SlideSize {
    long long width, height;
};

// Paints `slide` over the whole of `page`, a surface of any size.
void RenderSlide(const SlideContent& slide, SlideSize layout, fw::Surface& page);

// Renders at width x height and writes a JPEG file; the file is replaced
// only once it is complete. False when the picture or the file cannot be made.
bool ExportSlideAsJpeg(const SlideContent& slide, SlideSize layout, SIZE size, const wchar_t* path);

}  // namespace slides
