#include "PresentationFile.h"

#include <cstdint>

namespace convert_fixtures {

namespace {

uint32_t Crc32(const std::string& data) {
    uint32_t crc = 0xFFFFFFFF;
    for (unsigned char byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void Put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

class StoredZip {
public:
    void Add(const std::string& name, const std::string& content) {
        const uint32_t crc = Crc32(content), size = static_cast<uint32_t>(content.size());
        std::string common;
        Put(common, 20, 2);  // version needed
        Put(common, 0, 2);   // flags
        Put(common, 0, 2);   // stored
        Put(common, 0, 4);   // time and date
        Put(common, crc, 4);
        Put(common, size, 4);
        Put(common, size, 4);
        Put(common, static_cast<uint32_t>(name.size()), 2);
        Put(common, 0, 2);  // extra
        const uint32_t offset = static_cast<uint32_t>(local_.size());
        Put(local_, 0x04034B50, 4);
        local_ += common + name + content;
        Put(directory_, 0x02014B50, 4);
        Put(directory_, 20, 2);
        directory_ += common;
        Put(directory_, 0, 2 + 2 + 2 + 4);  // comment, disk, internal and external attributes
        Put(directory_, offset, 4);
        directory_ += name;
        ++count_;
    }
    std::string Finish() const {
        std::string end;
        Put(end, 0x06054B50, 4);
        Put(end, 0, 4);
        Put(end, count_, 2);
        Put(end, count_, 2);
        Put(end, static_cast<uint32_t>(directory_.size()), 4);
        Put(end, static_cast<uint32_t>(local_.size()), 4);
        Put(end, 0, 2);
        return local_ + directory_ + end;
    }

private:
    std::string local_, directory_;
    uint32_t count_ = 0;
};

const char* const kXml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char* const kPml = "http://schemas.openxmlformats.org/presentationml/2006/main";
const char* const kDml = "http://schemas.openxmlformats.org/drawingml/2006/main";
const char* const kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::string Slide(const std::string& title) {
    return std::string(kXml) + "<p:sld xmlns:p=\"" + kPml + "\" xmlns:a=\"" + kDml + "\" xmlns:r=\"" + kRel +
           "\"><p:cSld><p:spTree><p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"Title\"/><p:cNvSpPr/>"
           "<p:nvPr><p:ph type=\"title\"/></p:nvPr></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:p><a:r><a:t>" +
           title + "</a:t></a:r></a:p></p:txBody></p:sp></p:spTree></p:cSld></p:sld>";
}

}  // namespace

std::string MakePptx(const std::vector<std::string>& titles) {
    std::string types = std::string(kXml) +
                        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                        "<Override PartName=\"/ppt/presentation.xml\" ContentType=\"application/"
                        "vnd.openxmlformats-officedocument.presentationml.presentation.main+xml\"/>";
    std::string list, rels = std::string(kXml) + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    StoredZip zip;
    for (size_t i = 1; i <= titles.size(); ++i) {
        const std::string n = std::to_string(i);
        types += "<Override PartName=\"/ppt/slides/slide" + n +
                 ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.presentationml.slide+xml\"/>";
        list += "<p:sldId id=\"" + std::to_string(255 + i) + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRel + "/slide\" Target=\"slides/slide" + n + ".xml\"/>";
    }
    zip.Add("[Content_Types].xml", types + "</Types>");
    zip.Add("_rels/.rels", std::string(kXml) +
                               "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                               "<Relationship Id=\"rId1\" Type=\"" + kRel +
                               "/officeDocument\" Target=\"ppt/presentation.xml\"/></Relationships>");
    zip.Add("ppt/presentation.xml", std::string(kXml) + "<p:presentation xmlns:p=\"" + kPml + "\" xmlns:r=\"" + kRel +
                                        "\"><p:sldIdLst>" + list +
                                        "</p:sldIdLst><p:sldSz cx=\"9144000\" cy=\"6858000\"/></p:presentation>");
    zip.Add("ppt/_rels/presentation.xml.rels", rels + "</Relationships>");
    for (size_t i = 0; i < titles.size(); ++i)
        zip.Add("ppt/slides/slide" + std::to_string(i + 1) + ".xml", Slide(titles[i]));
    return zip.Finish();
}

}  // namespace convert_fixtures
