#pragma once
// The slides of a .pptx file in show order, with the size they are laid out
// on, read whole when the file is opened so a later export needs no file.
#include <string>
#include <vector>

#include "SlideXml.h"

namespace slides {

class SlideDeck {
public:
    enum class Status { Ok, Missing, Damaged };

    Status Load(const std::wstring& path);

    size_t count() const { return slides_.size(); }
    const SlideContent& slide(size_t index) const { return slides_[index]; }
    // The slide size in English Metric Units; 10 x 7.5 inches unless the file says otherwise.
    long long width() const { return width_; }
    long long height() const { return height_; }

    // Files larger than this are not read.
    static constexpr unsigned long long kMaxFileBytes = 512ull << 20;

private:
    bool ReadPresentation(const class ZipArchive& package, const std::string& part, std::vector<std::string>& ids);
    bool ReadSlide(const ZipArchive& package, const std::string& part);

    std::vector<SlideContent> slides_;
    long long width_ = 9144000, height_ = 6858000;
};

}  // namespace slides
