#include "SlideDeck.h"

#include <windows.h>

#include <cstdlib>
#include <map>

#include "PackageRelationships.h"
#include "XmlScanner.h"
#include "ZipArchive.h"

namespace slides {

namespace {

// Slide sizes outside what an editor offers (1 inch to 56 inches) are damage.
constexpr long long kMinSide = 914400, kMaxSide = 51206400;

bool FileIsMissing(const std::wstring& path) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

SlideDeck::Status SlideDeck::Load(const std::wstring& path) {
    slides_.clear();
    if (FileIsMissing(path)) return Status::Missing;
    std::vector<uint8_t> bytes;
    ZipArchive package;
    if (!ReadWholeFile(path, bytes, kMaxFileBytes) || !package.Open(std::move(bytes))) return Status::Damaged;
    std::string main = MainPart(package);
    std::vector<std::string> ids;
    std::map<std::string, std::string> targets;
    if (!ReadPresentation(package, main, ids) || !ReadRelationships(package, main, targets)) return Status::Damaged;
    for (const std::string& id : ids) {
        auto target = targets.find(id);
        if (target == targets.end() || !ReadSlide(package, target->second)) {
            slides_.clear();
            return Status::Damaged;
        }
    }
    return Status::Ok;
}

// The slide list (relationship ids in show order) and the slide size.
bool SlideDeck::ReadPresentation(const ZipArchive& package, const std::string& part, std::vector<std::string>& ids) {
    std::string xml;
    if (!package.Read(part, xml)) return false;
    XmlScanner scanner(xml);
    bool whole = scanner.ScanAll([&](XmlScanner::Token token) {
        if (token != XmlScanner::Token::Start) return;
        if (scanner.name() == "sldId") {
            ids.push_back(scanner.Attribute("r:id"));
        } else if (scanner.name() == "sldSz") {
            width_ = std::strtoll(scanner.Attribute("cx").c_str(), nullptr, 10);
            height_ = std::strtoll(scanner.Attribute("cy").c_str(), nullptr, 10);
        }
    });
    return whole && width_ >= kMinSide && width_ <= kMaxSide && height_ >= kMinSide && height_ <= kMaxSide;
}

// A picture whose media is missing is left out, as an editor shows an empty frame.
bool SlideDeck::ReadSlide(const ZipArchive& package, const std::string& part) {
    std::string xml;
    SlideContent slide;
    std::map<std::string, std::string> targets;
    if (!package.Read(part, xml) || !ReadSlideXml(xml, slide) || !ReadRelationships(package, part, targets))
        return false;
    std::vector<SlidePicture> found;
    for (SlidePicture& picture : slide.pictures) {
        auto target = targets.find(picture.relationship);
        if (target != targets.end() && package.Read(target->second, picture.data)) found.push_back(std::move(picture));
    }
    slide.pictures = std::move(found);
    slides_.push_back(std::move(slide));
    return true;
}

}  // namespace slides
