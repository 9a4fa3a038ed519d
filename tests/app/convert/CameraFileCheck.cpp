#include "CameraFileCheck.h"

#include <gtest/gtest.h>

#include <regex>

#include "ExifTool.h"
#include "PictureFixtures.h"
#include "TestSupport.h"

namespace convert_fixtures {

int App1Length(const std::string& file) {
    if (file.size() < 6 || file.compare(2, 2, "\xFF\xE1") != 0) return -1;
    return static_cast<uint8_t>(file[4]) << 8 | static_cast<uint8_t>(file[5]);
}

void ExpectCameraFile(const std::wstring& path, int width, int height) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    picture_fixtures::Pixels pixels;
    ASSERT_TRUE(picture_fixtures::ReadWithWic(path, pixels));
    EXPECT_EQ(pixels.width, width);
    EXPECT_EQ(pixels.height, height);
    const ExifToolReport report = ReadWithExifTool(path);
    ASSERT_TRUE(report.ran) << "exiftool did not answer";
    auto tag = [&](const char* name) {
        auto it = report.tags.find(name);
        return it == report.tags.end() ? std::string("(missing)") : it->second;
    };
    EXPECT_EQ(tag("ExifVersion"), "0210");
    EXPECT_EQ(tag("ExifImageWidth"), std::to_string(width));
    EXPECT_EQ(tag("ExifImageHeight"), std::to_string(height));
    const std::regex date("\\d{4}:\\d\\d:\\d\\d \\d\\d:\\d\\d:\\d\\d");
    EXPECT_TRUE(std::regex_match(tag("DateTimeOriginal"), date)) << tag("DateTimeOriginal");
    EXPECT_EQ(tag("CreateDate"), tag("DateTimeOriginal"));
    EXPECT_EQ(tag("InteropIndex"), "R98");
    EXPECT_EQ(tag("Warning"), "(missing)");
    EXPECT_EQ(tag("Error"), "(missing)");
    EXPECT_EQ(tag("ThumbnailLength"), std::to_string(report.thumbnail.size()));
    const std::wstring thumbFile = path + L".thumb.jpg";
    ASSERT_TRUE(testing_support::WriteFileBytes(thumbFile, report.thumbnail));
    picture_fixtures::Pixels thumb;
    EXPECT_TRUE(picture_fixtures::ReadWithWic(thumbFile, thumb));
    EXPECT_EQ(thumb.width, 160);
    EXPECT_EQ(thumb.height, 120);
    ::DeleteFileW(thumbFile.c_str());
}

}  // namespace convert_fixtures
