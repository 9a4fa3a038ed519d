#pragma once
// Presentation files made by the tests: zip packages written here with zlib,
// so the server's reader is checked against an independent writer.
#include <string>
#include <vector>

namespace slides_fixtures {

// A zip file of the entries in order; deflated unless `stored`.
class ZipWriter {
public:
    void Add(const std::string& name, const std::string& content, bool stored = false);
    std::string Finish() const;

private:
    std::string local_, directory_;
    unsigned entries_ = 0;
};

struct TestSlide {
    std::string title;
    std::vector<std::string> body;
    std::string jpeg;  // an embedded picture, framed at 1 inch from the top left, 2 x 1.5 inches
};

// A .pptx of the slides; `reversedList` lists them in the show against the order of their part names.
std::string MakePptx(const std::vector<TestSlide>& slides, bool reversedList = false);

// The first bytes of a binary (.ppt) presentation: a compound document header.
std::string BinaryPresentation();

}  // namespace slides_fixtures
