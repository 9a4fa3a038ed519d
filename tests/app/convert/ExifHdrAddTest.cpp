// The EXIF writer on real files: what it keeps of the source, writing in
// place, sources it refuses, and what an independent reader makes of it.
#include <gtest/gtest.h>

#include "CameraFileCheck.h"
#include "ExifTool.h"
#include "PictureFixtures.h"
#include "TestSupport.h"
#include "convert/ExifHdrAdd.h"

namespace {

using convert_fixtures::App1Length;
using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

bool AddExif(const std::wstring& source, const std::wstring& destination) {
    CExifHdrAdd writer{fw::WindowDC(nullptr)};
    return writer.AddExifHeader(source.c_str(), destination.c_str());
}

// A JFIF JPEG with a second, older APP1 (an XMP packet) behind its APP0.
std::string SourceWithOwnApp1() {
    const std::string jpeg = picture_fixtures::MakeJpeg(640, 480);
    const std::string body = "http://ns.adobe.com/xap/1.0/" + std::string(1, '\0') + "<x/>";
    const size_t length = body.size() + 2;
    const std::string app1 = std::string("\xFF\xE1", 2) + static_cast<char>(length >> 8) +
                             static_cast<char>(length & 0xFF) + body;
    const size_t afterApp0 = 4 + (static_cast<uint8_t>(jpeg[4]) << 8 | static_cast<uint8_t>(jpeg[5]));
    return jpeg.substr(0, afterApp0) + app1 + jpeg.substr(afterApp0);
}

TEST(ExifHdrAdd, KeepsEveryByteOfTheSourceBehindTheNewSegment) {
    TempFolder folder;
    const std::string source = SourceWithOwnApp1();
    ASSERT_EQ(source.substr(2, 2), "\xFF\xE0");  // the JFIF APP0 comes first
    for (bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "same path" : "another path");
        const std::wstring in = folder / L"source.jpg";
        const std::wstring out = inPlace ? in : folder / L"out.jpg";
        ASSERT_TRUE(WriteFileBytes(in, source));
        ASSERT_TRUE(AddExif(in, out));
        const std::string written = ReadFileBytes(out);
        const int length = App1Length(written);
        ASSERT_GT(length, 401);
        EXPECT_EQ(written.substr(0, 2), source.substr(0, 2));
        EXPECT_EQ(written.substr(2 + 2 + length), source.substr(2)) << "APP0, the old APP1 and the picture follow";
        EXPECT_EQ(written.substr(6, 6), std::string("Exif\0\0", 6));
        if (!inPlace) {
            EXPECT_EQ(ReadFileBytes(in), source);
        }
        EXPECT_EQ(picture_fixtures::FolderEntries(folder.path()).size(), inPlace ? 1u : 2u) << "nothing left behind";
        ::DeleteFileW(out.c_str());
    }
}

TEST(ExifHdrAdd, EmptyOrMissingSourceWritesNothing) {
    TempFolder folder;
    const std::wstring empty = folder / L"empty.jpg", missing = folder / L"missing.jpg";
    ASSERT_TRUE(WriteFileBytes(empty, ""));
    for (const std::wstring& source : {empty, missing}) {
        const std::wstring out = folder / L"out.jpg";
        EXPECT_FALSE(AddExif(source, out));
        EXPECT_FALSE(FileExists(out));
    }
    EXPECT_FALSE(FileExists(missing)) << "a missing source must not come into being";
    EXPECT_EQ(ReadFileBytes(empty), "");
}

TEST(ExifHdrAdd, IndependentReaderSeesTheCameraLayout) {
    TempFolder folder;
    const struct {
        int width, height;
    } pictures[] = {{640, 480}, {800, 400}};
    for (const auto& p : pictures) {
        const std::wstring file = folder / L"picture.jpg";
        ASSERT_TRUE(WriteFileBytes(file, picture_fixtures::MakeJpeg(p.width, p.height)));
        ASSERT_TRUE(AddExif(file, file));
        convert_fixtures::ExpectCameraFile(file, p.width, p.height);
        const convert_fixtures::ExifToolReport report = convert_fixtures::ReadWithExifTool(file);
        EXPECT_EQ(App1Length(ReadFileBytes(file)), 401 + static_cast<int>(report.thumbnail.size()));
    }
}

TEST(ExifHdrAdd, ThumbnailOfAWidePictureHasBlackBars) {
    TempFolder folder;
    const std::wstring file = folder / L"wide.jpg", thumb = folder / L"thumb.jpg";
    ASSERT_TRUE(WriteFileBytes(file, picture_fixtures::MakeJpeg(800, 200)));
    ASSERT_TRUE(AddExif(file, file));
    const convert_fixtures::ExifToolReport report = convert_fixtures::ReadWithExifTool(file);
    ASSERT_TRUE(WriteFileBytes(thumb, report.thumbnail));
    picture_fixtures::Pixels pixels;
    ASSERT_TRUE(picture_fixtures::ReadWithWic(thumb, pixels));
    ASSERT_EQ(pixels.width, 160);
    ASSERT_EQ(pixels.height, 120);
    EXPECT_TRUE(picture_fixtures::IsBlackRow(pixels, 2));
    EXPECT_FALSE(picture_fixtures::IsBlackRow(pixels, 60));
    EXPECT_TRUE(picture_fixtures::IsBlackRow(pixels, 117));
}

}  // namespace
