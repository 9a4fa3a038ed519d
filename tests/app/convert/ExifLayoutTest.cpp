// The APP1 segment byte for byte: where every IFD, pointer and value lands,
// with a date and without one.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "convert/ExifLayout.h"

namespace {

constexpr size_t kTiff = 10;  // the segment starts at file offset 2, the TIFF header at 12

uint32_t At(const std::string& app1, size_t tiffOffset, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(app1[kTiff + tiffOffset + i]);
    return value;
}

std::string Segment(const std::wstring& date, const std::string& thumbnail) {
    exif::ExifFields fields;
    fields.width = 656;
    fields.height = 488;
    fields.dateTime = date;
    fields.thumbnail = thumbnail;
    return exif::BuildApp1(fields);
}

TEST(ExifLayout, PlacesEveryIfdAndValueWhereTheCameraReadsThem) {
    const std::string thumbnail = "\xFF\xD8" + std::string(700, '\x55') + "\xFF\xD9";
    const uint32_t L = static_cast<uint32_t>(thumbnail.size());
    struct Field {
        const char* what;
        size_t dated, undated;  // TIFF offset of the field
        int size;
        uint32_t datedValue, undatedValue;
    };
    const Field fields[] = {
        {"IFD0 entry count", 8, 8, 2, 7, 7},
        {"Make: ASCII, 1, in place", 10 + 2, 10 + 2, 2, 2, 2},
        {"Make count", 10 + 4, 10 + 4, 4, 1, 1},
        {"Make value", 10 + 8, 10 + 8, 4, 0, 0},
        {"XResolution at", 10 + 24 + 8, 10 + 24 + 8, 4, 98, 98},
        {"XResolution numerator", 98, 98, 4, 72, 72},
        {"XResolution denominator", 102, 102, 4, 1, 1},
        {"ResolutionUnit", 10 + 48 + 8, 10 + 48 + 8, 2, 2, 2},
        {"YCbCrPositioning", 10 + 60 + 8, 10 + 60 + 8, 2, 2, 2},
        {"Exif IFD pointer", 10 + 72 + 8, 10 + 72 + 8, 4, 114, 114},
        {"IFD0 next = IFD1", 94, 94, 4, 298, 258},
        {"Exif entry count", 114, 114, 2, 9, 9},
        {"ExifVersion", 116 + 8, 116 + 8, 4, 0x30313230, 0x30313230},
        {"DateTimeOriginal count", 116 + 12 + 4, 116 + 12 + 4, 4, 20, 1},
        {"DateTimeOriginal at", 116 + 12 + 8, 116 + 12 + 8, 4, 228, 0},
        {"DateTimeDigitized at", 116 + 24 + 8, 116 + 24 + 8, 4, 248, 0},
        {"ComponentsConfiguration", 116 + 36 + 8, 116 + 36 + 8, 4, 0x00030201, 0x00030201},
        {"FlashpixVersion", 116 + 48 + 8, 116 + 48 + 8, 4, 0x30303130, 0x30303130},
        {"ColorSpace", 116 + 60 + 8, 116 + 60 + 8, 2, 1, 1},
        {"PixelXDimension", 116 + 72 + 8, 116 + 72 + 8, 4, 656, 656},
        {"PixelYDimension", 116 + 84 + 8, 116 + 84 + 8, 4, 488, 488},
        {"Interoperability pointer", 116 + 96 + 8, 116 + 96 + 8, 4, 268, 228},
        {"Exif next", 224, 224, 4, 0, 0},
        {"Interoperability count", 268, 228, 2, 2, 2},
        {"InteroperabilityIndex", 270 + 8, 230 + 8, 4, 0x00383952, 0x00383952},
        {"InteroperabilityVersion tag", 270 + 12, 230 + 12, 2, 2, 2},
        {"Interoperability next", 294, 254, 4, 0, 0},
        {"IFD1 entry count", 298, 258, 2, 6, 6},
        {"Compression", 300 + 8, 260 + 8, 2, 6, 6},
        {"IFD1 XResolution at", 300 + 12 + 8, 260 + 12 + 8, 4, 376, 336},
        {"IFD1 fifth tag is 0x0202", 300 + 48, 260 + 48, 2, 0x0202, 0x0202},
        {"thumbnail length", 300 + 48 + 8, 260 + 48 + 8, 4, L, L},
        {"IFD1 sixth tag is 0x0201", 300 + 60, 260 + 60, 2, 0x0201, 0x0201},
        {"thumbnail offset", 300 + 60 + 8, 260 + 60 + 8, 4, 392, 352},
        {"IFD1 next", 372, 332, 4, 0, 0},
    };
    for (bool dated : {true, false}) {
        const std::string app1 = Segment(dated ? L"2026:12:08 03:17:26" : L"", thumbnail);
        const uint32_t length = (dated ? 401 : 361) + L;
        SCOPED_TRACE(dated ? "with a date" : "with an empty date");
        ASSERT_EQ(app1.size(), 2 + length);
        EXPECT_EQ(app1.substr(0, 2), "\xFF\xE1");
        EXPECT_EQ(static_cast<uint8_t>(app1[2]) << 8 | static_cast<uint8_t>(app1[3]), static_cast<int>(length));
        EXPECT_EQ(app1.substr(4, 14), std::string("Exif\0\0II\x2A\0\x08\0\0\0", 14));
        for (const Field& f : fields)
            EXPECT_EQ(At(app1, dated ? f.dated : f.undated, f.size), dated ? f.datedValue : f.undatedValue) << f.what;
        const size_t thumbAt = kTiff + (dated ? 392 : 352);
        EXPECT_EQ(app1.substr(thumbAt, L), thumbnail);
        EXPECT_EQ(app1.back(), '\xFF');
        if (dated) {
            EXPECT_EQ(app1.substr(kTiff + 228, 20), std::string("2026:12:08 03:17:26\0", 20));
            EXPECT_EQ(app1.substr(kTiff + 248, 20), std::string("2026:12:08 03:17:26\0", 20));
        }
    }
}

TEST(ExifLayout, TypeSizesAndSegmentAfterTheSoi) {
    const struct {
        WORD type;
        int size;
    } sizes[] = {{1, 1}, {2, 1}, {3, 2}, {4, 4}, {5, 8}, {6, 1}, {7, 1}, {8, 2}, {9, 4}, {10, 8}, {11, 4}, {12, 8},
                 {0, 0}, {13, 0}};
    for (const auto& s : sizes) EXPECT_EQ(exif::GetTypeSize(s.type), s.size) << s.type;

    const std::string source = std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10) + "rest";
    EXPECT_EQ(exif::InsertAfterSoi(source, "APP1"), std::string("\xFF\xD8", 2) + "APP1" + source.substr(2));
    EXPECT_EQ(exif::InsertAfterSoi("\xFF", "APP1"), "");
}

}  // namespace
