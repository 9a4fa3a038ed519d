#include "PptxWriter.h"

#include <zlib.h>

#include <cstdint>

namespace slides_fixtures {

namespace {

void Put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::string Deflate(const std::string& content) {
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, static_cast<uLong>(content.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return out;
}

constexpr char kNamespaces[] =
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"";
constexpr char kRelsHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
constexpr char kRelType[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::string Relationship(const std::string& id, const std::string& type, const std::string& target) {
    return "<Relationship Id=\"" + id + "\" Type=\"" + kRelType + type + "\" Target=\"" + target + "\"/>";
}

std::string Paragraphs(const std::vector<std::string>& lines) {
    std::string xml;
    for (const std::string& line : lines) xml += "<a:p><a:r><a:rPr lang=\"en-US\"/><a:t>" + Escape(line) + "</a:t></a:r></a:p>";
    return xml;
}

std::string Shape(int id, const char* placeholder, const std::vector<std::string>& lines) {
    return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"Shape\"/><p:cNvSpPr/><p:nvPr>" +
           placeholder + "</p:nvPr></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/>" + Paragraphs(lines) + "</p:txBody></p:sp>";
}

std::string SlideXml(const TestSlide& slide) {
    std::string picture;
    if (!slide.jpeg.empty())
        picture = "<p:pic><p:nvPicPr><p:cNvPr id=\"4\" name=\"Picture\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr>"
                  "<p:blipFill><a:blip r:embed=\"rIdPicture\"><a:extLst><a:ext uri=\"{28A0092B}\"/></a:extLst></a:blip>"
                  "</p:blipFill><p:spPr><a:xfrm><a:off x=\"914400\" y=\"914400\"/><a:ext cx=\"1828800\" cy=\"1371600\"/>"
                  "</a:xfrm></p:spPr></p:pic>";
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<p:sld") + kNamespaces +
           "><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>" +
           Shape(2, "<p:ph type=\"title\"/>", {slide.title}) + Shape(3, "<p:ph idx=\"1\"/>", slide.body) + picture +
           "</p:spTree></p:cSld></p:sld>";
}

}  // namespace

void ZipWriter::Add(const std::string& name, const std::string& content, bool stored) {
    std::string packed = stored ? content : Deflate(content);
    uint32_t crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                               static_cast<uInt>(content.size())));
    auto common = [&](std::string& out) {
        Put16(out, 20);  // version needed
        Put16(out, 0);   // flags
        Put16(out, stored ? 0 : 8);
        Put32(out, 0);  // time and date
        Put32(out, crc);
        Put32(out, static_cast<uint32_t>(packed.size()));
        Put32(out, static_cast<uint32_t>(content.size()));
        Put16(out, static_cast<uint32_t>(name.size()));
        Put16(out, 0);  // extra
    };
    uint32_t offset = static_cast<uint32_t>(local_.size());
    Put32(local_, 0x04034b50);
    common(local_);
    local_ += name + packed;
    Put32(directory_, 0x02014b50);
    Put16(directory_, 20);  // made by
    common(directory_);
    Put16(directory_, 0);  // comment
    Put16(directory_, 0);  // disk
    Put16(directory_, 0);  // internal attributes
    Put32(directory_, 0);  // external attributes
    Put32(directory_, offset);
    directory_ += name;
    ++entries_;
}

std::string ZipWriter::Finish() const {
    std::string out = local_ + directory_;
    Put32(out, 0x06054b50);
    Put32(out, 0);  // disks
    Put16(out, entries_);
    Put16(out, entries_);
    Put32(out, static_cast<uint32_t>(directory_.size()));
    Put32(out, static_cast<uint32_t>(local_.size()));
    Put16(out, 0);
    return out;
}

std::string MakePptx(const std::vector<TestSlide>& slides, bool reversedList) {
    ZipWriter zip;
    zip.Add("_rels/.rels", std::string(kRelsHead) + Relationship("rId1", "officeDocument", "ppt/presentation.xml") +
                               "</Relationships>");
    std::string list, rels = kRelsHead;
    for (size_t i = 0; i < slides.size(); ++i) {
        size_t n = reversedList ? slides.size() - i : i + 1;  // the part holding the i-th slide of the show
        std::string id = "rId" + std::to_string(n + 10);
        list += "<p:sldId id=\"" + std::to_string(256 + i) + "\" r:id=\"" + id + "\"/>";
        rels += Relationship(id, "slide", "slides/slide" + std::to_string(n) + ".xml");
        std::string part = "ppt/slides/slide" + std::to_string(n) + ".xml";
        zip.Add(part, SlideXml(slides[i]), i % 2 == 1);
        if (slides[i].jpeg.empty()) continue;
        std::string media = "image" + std::to_string(n) + ".jpeg";
        zip.Add("ppt/media/" + media, slides[i].jpeg, true);
        zip.Add("ppt/slides/_rels/slide" + std::to_string(n) + ".xml.rels",
                std::string(kRelsHead) + Relationship("rIdPicture", "image", "../media/" + media) + "</Relationships>");
    }
    zip.Add("ppt/_rels/presentation.xml.rels", rels + "</Relationships>");
    zip.Add("ppt/presentation.xml", std::string("<?xml version=\"1.0\"?><p:presentation") + kNamespaces +
                                        "><p:sldIdLst>" + list +
                                        "</p:sldIdLst><p:sldSz cx=\"9144000\" cy=\"6858000\"/></p:presentation>");
    return zip.Finish();
}

std::string BinaryPresentation() {
    std::string header("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.resize(4096, '\0');
    return header;
}

}  // namespace slides_fixtures
