// The presentation server stand-in's reading of .pptx packages and its slide pictures.
#include <gtest/gtest.h>

#include <objbase.h>

#include "PackageRelationships.h"
#include "PictureFixtures.h"
#include "PptxWriter.h"
#include "SlideDeck.h"
#include "SlideRenderer.h"
#include "TestSupport.h"
#include "XmlScanner.h"
#include "ZipArchive.h"

using namespace slides;
using namespace slides_fixtures;
using testing_support::TempFolder;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

picture_fixtures::Pixels Render(const SlideContent& slide, SIZE size = {1024, 768}) {
    fw::Surface page;
    EXPECT_TRUE(page.Create(nullptr, size, fw::SurfaceFormat::BottomUpDib24));
    RenderSlide(slide, SlideSize{9144000, 6858000}, page);
    return picture_fixtures::DibPixels(page.bitmap());
}

int CountPixels(const picture_fixtures::Pixels& p, RECT area, bool (*test)(const BYTE*)) {
    int found = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (test(p.at(x, y))) ++found;
    return found;
}
bool IsDark(const BYTE* px) { return px[0] + px[1] + px[2] < 300; }
bool IsPaper(const BYTE* px) { return px[0] == 255 && px[1] == 255 && px[2] == 255; }
int DarkPixels(const picture_fixtures::Pixels& p, RECT area) { return CountPixels(p, area, IsDark); }

}  // namespace

TEST(SlideZip, ReadsStoredAndDeflatedEntriesAndRefusesDamagedOnes) {
    ZipWriter writer;
    writer.Add("ppt/stored.xml", "plain text", true);
    writer.Add("ppt/Deflated.xml", std::string(5000, 'x') + "end");
    writer.Add("empty.txt", "");
    const std::string good = writer.Finish();
    ZipArchive zip;
    ASSERT_TRUE(zip.Open(Bytes(good)));
    std::string content;
    EXPECT_TRUE(zip.Read("ppt/stored.xml", content));
    EXPECT_EQ(content, "plain text");
    EXPECT_TRUE(zip.Read("PPT/deflated.XML", content));  // part names ignore case
    EXPECT_EQ(content, std::string(5000, 'x') + "end");
    EXPECT_TRUE(zip.Read("empty.txt", content));
    EXPECT_EQ(content, "");
    EXPECT_FALSE(zip.Read("missing.xml", content));

    const size_t firstData = 30 + std::string("ppt/stored.xml").size();
    std::string changedData = good;
    changedData[firstData] = 'P';
    const struct { const char* what; std::string file; bool opens; } kCases[] = {
        {"empty", "", false},
        {"binary presentation", BinaryPresentation(), false},
        {"cut before the directory", good.substr(0, good.size() / 2), false},
        {"last byte missing", good.substr(0, good.size() - 1), false},
        {"data changed", changedData, true},
    };
    for (const auto& c : kCases) {
        ZipArchive damaged;
        EXPECT_EQ(damaged.Open(Bytes(c.file)), c.opens) << c.what;
        EXPECT_FALSE(damaged.Read("ppt/stored.xml", content)) << c.what;
        EXPECT_TRUE(content.empty()) << c.what;
    }
}

TEST(SlideDeck, PackageRelationshipsResolveRelativeToTheirSource) {
    const struct { const char* source; const char* target; const char* part; } kCases[] = {
        {"ppt/slides/slide1.xml", "../media/image1.jpeg", "ppt/media/image1.jpeg"},
        {"ppt/presentation.xml", "slides/slide2.xml", "ppt/slides/slide2.xml"},
        {"ppt/slides/slide1.xml", "/ppt/media/a.png", "ppt/media/a.png"},
        {"", "ppt/presentation.xml", "ppt/presentation.xml"},
        {"ppt/slides/slide1.xml", "./x/../y.png", "ppt/slides/y.png"},
        {"ppt/slides/slide1.xml", "../../../outside.png", ""},
    };
    for (const auto& c : kCases) EXPECT_EQ(ResolveTarget(c.source, c.target), c.part) << c.source << " " << c.target;
}

TEST(SlideDeck, ReadsTitlesBodiesAndPicturesInShowOrder) {
    TempFolder folder;
    const std::string jpeg = picture_fixtures::MakeJpeg(64, 48);
    std::vector<TestSlide> deck = {{"First & <best>", {"one", "two"}, ""},
                                   {"Second", {}, jpeg},
                                   {"Third \xC3\xA9t\xC3\xA9", {"a line"}, ""}};
    ASSERT_TRUE(testing_support::WriteFileBytes(folder / L"show.pptx", MakePptx(deck, true)));
    SlideDeck loaded;
    ASSERT_EQ(loaded.Load(folder / L"show.pptx"), SlideDeck::Status::Ok);
    ASSERT_EQ(loaded.count(), 3u);
    EXPECT_EQ(loaded.slide(0).title, L"First & <best>");
    EXPECT_EQ(loaded.slide(0).body, (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_EQ(loaded.slide(1).title, L"Second");
    ASSERT_EQ(loaded.slide(1).pictures.size(), 1u);
    EXPECT_EQ(loaded.slide(1).pictures[0].data, jpeg);
    EXPECT_TRUE(loaded.slide(1).pictures[0].framed);
    EXPECT_EQ(loaded.slide(1).pictures[0].frame.cx, 1828800);
    EXPECT_EQ(loaded.slide(2).title, L"Third \u00E9t\u00E9");
    EXPECT_EQ(loaded.width(), 9144000);
}

TEST(SlideDeck, MissingBinaryAndDamagedFilesAreRefused) {
    TempFolder folder;
    const std::string good = MakePptx({{"Title", {"body"}, ""}});
    ZipWriter noPresentation;
    noPresentation.Add("ppt/slides/slide1.xml", "<p:sld/>");
    ZipWriter brokenSlide;
    brokenSlide.Add("ppt/presentation.xml", "<p:presentation><p:sldIdLst><p:sldId id=\"256\" r:id=\"rId2\"/>"
                                            "</p:sldIdLst></p:presentation>");
    brokenSlide.Add("ppt/_rels/presentation.xml.rels",
                    "<Relationships><Relationship Id=\"rId2\" Target=\"slides/slide1.xml\"/></Relationships>");
    brokenSlide.Add("ppt/slides/slide1.xml", "<p:sld><a:t>unclosed</p:sld");
    const struct { const char* what; const wchar_t* name; std::string content; SlideDeck::Status status; } kCases[] = {
        {"missing", L"missing.pptx", "", SlideDeck::Status::Missing},
        {"binary .ppt", L"old.ppt", BinaryPresentation(), SlideDeck::Status::Damaged},
        {"empty", L"empty.pptx", "", SlideDeck::Status::Damaged},
        {"truncated", L"cut.pptx", good.substr(0, good.size() - 30), SlideDeck::Status::Damaged},
        {"no presentation part", L"parts.pptx", noPresentation.Finish(), SlideDeck::Status::Damaged},
        {"slide that is no XML", L"broken.pptx", brokenSlide.Finish(), SlideDeck::Status::Damaged},
        {"good", L"good.pptx", good, SlideDeck::Status::Ok},
    };
    for (const auto& c : kCases) {
        if (c.status != SlideDeck::Status::Missing) {
            ASSERT_TRUE(testing_support::WriteFileBytes(folder / c.name, c.content));
        }
        SlideDeck deck;
        EXPECT_EQ(deck.Load(folder / c.name), c.status) << c.what;
        EXPECT_EQ(deck.count(), c.status == SlideDeck::Status::Ok ? 1u : 0u) << c.what;
    }
}

TEST(SlideDeck, ScannerDecodesEntitiesAndStopsAtBrokenMarkup) {
    const struct { const char* raw; bool ok; const char* decoded; } kCases[] = {
        {"a &amp; b &lt;c&gt; &quot;d&quot; &apos;e&apos;", true, "a & b <c> \"d\" 'e'"},
        {"&#65;&#x42;", true, "AB"},
        {"&#xE9;", true, "\xC3\xA9"},
        {"&unknown;", false, ""},
        {"&#0;", false, ""},
        {"& alone", false, ""},
    };
    for (const auto& c : kCases) {
        std::string decoded;
        EXPECT_EQ(DecodeEntities(c.raw, decoded), c.ok) << c.raw;
        if (c.ok) {
            EXPECT_EQ(decoded, c.decoded) << c.raw;
        }
    }
    for (const char* broken : {"<a b=\"unclosed></a>", "<>", "<a b></a>", "<!-- never closed"}) {
        std::string xml = broken;
        XmlScanner scanner(xml);
        EXPECT_FALSE(scanner.ScanAll([](XmlScanner::Token) {})) << broken;
    }
}

TEST(SlideRenderer, TitlesBodiesAndPicturesLandWhereTheSlidePutsThem) {
    HRESULT co = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SlideContent blank, first, second, pictured;
    first.title = L"Lesson one";
    second.title = L"Lesson two: fractions";
    first.body = {L"Body text that is long enough to be seen"};
    SlidePicture picture;
    picture.data = picture_fixtures::MakeJpeg(64, 48);
    picture.framed = true;
    picture.frame = {914400, 914400, 1828800, 1371600};  // 1 inch in, 2 x 1.5 inches: 102..307 x 102..256
    pictured.pictures.push_back(picture);

    auto empty = Render(blank), one = Render(first), two = Render(second), withPicture = Render(pictured);
    const RECT titleBand{0, 0, 1024, 170}, bodyBand{0, 170, 1024, 768}, frame{112, 112, 296, 246};
    EXPECT_EQ(DarkPixels(empty, {0, 0, 1024, 768}), 0);
    EXPECT_GT(DarkPixels(one, titleBand), 100);
    EXPECT_GT(DarkPixels(one, bodyBand), 100);
    EXPECT_EQ(DarkPixels(two, bodyBand), 0);
    EXPECT_GT(picture_fixtures::MeanDifference(one, two), 0.5);  // the titles differ, so do the pictures
    // The test pattern is nowhere white: the frame is filled, the page beside it is not.
    EXPECT_EQ(CountPixels(withPicture, frame, IsPaper), 0);
    EXPECT_EQ(CountPixels(withPicture, {400, 300, 1024, 768}, IsPaper), 624 * 468);
    if (SUCCEEDED(co)) ::CoUninitialize();
}
