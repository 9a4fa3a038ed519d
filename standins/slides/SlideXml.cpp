#include <cstdlib>

#include "SlideXml.h"
#include "XmlScanner.h"

namespace slides {

namespace {

long long Number(const std::string& text) { return std::strtoll(text.c_str(), nullptr, 10); }

// Follows the shapes of one slide: text runs gathered per paragraph, a
// paragraph belonging to a title placeholder or to the body.
class SlideReader {
public:
    explicit SlideReader(SlideContent& slide) : slide_(slide) {}
    void Start(const XmlScanner& scanner);
    void End(const std::string& name);
    void Text(const std::string& text) {
        if (inRun_) paragraph_ += text;
    }

private:
    void StartPicturePart(const XmlScanner& scanner);
    void EndParagraph();

    SlideContent& slide_;
    int shapeDepth_ = 0;
    bool titleShape_ = false, inRun_ = false, inPicture_ = false;
    std::string paragraph_;
    std::vector<std::string> shapeParagraphs_;
    SlidePicture picture_;
};

void SlideReader::Start(const XmlScanner& scanner) {
    const std::string& name = scanner.name();
    if (name == "sp") {
        if (shapeDepth_++ == 0) titleShape_ = false;
    } else if (name == "ph") {
        std::string type = scanner.Attribute("type");
        if (shapeDepth_ > 0 && (type == "title" || type == "ctrTitle")) titleShape_ = true;
    } else if (name == "t") {
        inRun_ = !scanner.selfClosing();
    } else if (name == "br") {
        paragraph_ += '\n';
    } else if (name == "pic") {
        inPicture_ = true;
        picture_ = SlidePicture{};
    } else if (inPicture_) {
        StartPicturePart(scanner);
    }
    if (scanner.selfClosing()) End(name);
}

void SlideReader::StartPicturePart(const XmlScanner& scanner) {
    const std::string& name = scanner.name();
    if (name == "blip") {
        picture_.relationship = scanner.Attribute("r:embed");
    } else if (name == "off") {
        picture_.frame.x = Number(scanner.Attribute("x"));
        picture_.frame.y = Number(scanner.Attribute("y"));
    } else if (name == "ext" && !scanner.Attribute("cx").empty()) {
        picture_.frame.cx = Number(scanner.Attribute("cx"));
        picture_.frame.cy = Number(scanner.Attribute("cy"));
        picture_.framed = picture_.frame.cx > 0 && picture_.frame.cy > 0;
    }
}

void SlideReader::EndParagraph() {
    if (paragraph_.empty()) return;
    if (shapeDepth_ > 0)
        shapeParagraphs_.push_back(paragraph_);
    else
        slide_.body.push_back(Widen(paragraph_));  // tables and other frames: body text
    paragraph_.clear();
}

void SlideReader::End(const std::string& name) {
    if (name == "t") {
        inRun_ = false;
    } else if (name == "p") {
        EndParagraph();
    } else if (name == "sp" && shapeDepth_ > 0 && --shapeDepth_ == 0) {
        for (const std::string& text : shapeParagraphs_) {
            if (!titleShape_) {
                slide_.body.push_back(Widen(text));
                continue;
            }
            if (!slide_.title.empty()) slide_.title += L' ';
            slide_.title += Widen(text);
        }
        shapeParagraphs_.clear();
    } else if (name == "pic" && inPicture_) {
        inPicture_ = false;
        if (!picture_.relationship.empty()) slide_.pictures.push_back(picture_);
    }
}

}  // namespace

bool ReadSlideXml(const std::string& xml, SlideContent& slide) {
    slide = SlideContent{};
    XmlScanner scanner(xml);
    SlideReader reader(slide);
    int starts = 0;
    bool rooted = false;  // a slide part is an sld element, not just any XML
    bool whole = scanner.ScanAll([&](XmlScanner::Token token) {
        if (token == XmlScanner::Token::Start) {
            if (starts++ == 0) rooted = scanner.name() == "sld";
            reader.Start(scanner);
        } else if (token == XmlScanner::Token::End) {
            reader.End(scanner.name());
        } else if (token == XmlScanner::Token::Text) {
            reader.Text(scanner.text());
        }
    });
    return whole && rooted;
}

}  // namespace slides
