#include "PackageRelationships.h"

#include <vector>

#include "XmlScanner.h"
#include "ZipArchive.h"

namespace slides {

namespace {

constexpr char kOfficeDocument[] = "/officeDocument";

std::string RelationshipsPart(const std::string& part) {
    size_t slash = part.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? part : part.substr(slash + 1);
    return folder + "_rels/" + name + ".rels";
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Relationship id -> (type, target) as written, external ones left out.
bool ReadRelationshipList(const ZipArchive& package, const std::string& relsPart,
                          std::map<std::string, std::pair<std::string, std::string>>& list) {
    std::string xml;
    if (!package.Contains(relsPart)) return true;
    if (!package.Read(relsPart, xml)) return false;
    XmlScanner scanner(xml);
    return scanner.ScanAll([&](XmlScanner::Token token) {
        if (token == XmlScanner::Token::Start && scanner.name() == "Relationship" &&
            scanner.Attribute("TargetMode") != "External")
            list[scanner.Attribute("Id")] = {scanner.Attribute("Type"), scanner.Attribute("Target")};
    });
}

}  // namespace

std::string ResolveTarget(const std::string& sourcePart, const std::string& target) {
    std::vector<std::string> parts;
    std::string path = target;
    if (!target.empty() && target[0] == '/') {
        path = target.substr(1);
    } else {
        size_t slash = sourcePart.rfind('/');
        if (slash != std::string::npos) path = sourcePart.substr(0, slash + 1) + target;
    }
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (parts.empty()) return {};
            parts.pop_back();
        } else if (!segment.empty() && segment != ".") {
            parts.push_back(segment);
        }
        start = end + 1;
    }
    std::string resolved;
    for (const std::string& segment : parts) resolved += (resolved.empty() ? "" : "/") + segment;
    return resolved;
}

bool ReadRelationships(const ZipArchive& package, const std::string& part, std::map<std::string, std::string>& targets) {
    std::map<std::string, std::pair<std::string, std::string>> list;
    if (!ReadRelationshipList(package, RelationshipsPart(part), list)) return false;
    for (const auto& [id, relationship] : list) {
        std::string resolved = ResolveTarget(part, relationship.second);
        if (!resolved.empty()) targets[id] = resolved;
    }
    return true;
}

std::string MainPart(const ZipArchive& package) {
    std::map<std::string, std::pair<std::string, std::string>> list;
    if (ReadRelationshipList(package, "_rels/.rels", list))
        for (const auto& entry : list)
            if (EndsWith(entry.second.first, kOfficeDocument)) return ResolveTarget("", entry.second.second);
    return "ppt/presentation.xml";
}

}  // namespace slides
