#pragma once
// What one slide shows, as read from its part: the title, the paragraphs of
// every other text, and its pictures with their frames.
#include <string>
#include <vector>

namespace slides {

// A frame in the slide's own units (English Metric Units, 914400 an inch).
struct SlideFrame {
    long long x = 0, y = 0, cx = 0, cy = 0;
};

struct SlidePicture {
    std::string relationship;  // r:embed of the picture's fill
    std::string data;          // the media file, once looked up
    bool framed = false;
    SlideFrame frame;
};

struct SlideContent {
    std::wstring title;
    std::vector<std::wstring> body;
    std::vector<SlidePicture> pictures;
};

// Reads a slide part; false for XML the scanner cannot follow.
bool ReadSlideXml(const std::string& xml, SlideContent& slide);

}  // namespace slides
