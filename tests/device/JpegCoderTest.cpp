#include <gtest/gtest.h>

#include <memory>

#include "Handles.h"
#include "JpegCoder.h"
#include "PictureFixtures.h"
#include "TestSupport.h"

using namespace picture_fixtures;
using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

struct SizeCase {
    int width, height, wantedWidth, denominator, expectedWidth, expectedHeight;
};

enum class CoderPath { BuiltIn, Simd, Ijg };

const char* Name(CoderPath path) {
    const char* names[] = {"BuiltIn", "PictavoSIMD", "PictavoIJG"};
    return names[static_cast<int>(path)];
}
std::string PathName(const ::testing::TestParamInfo<CoderPath>& info) { return Name(info.param); }
void PrintTo(CoderPath path, std::ostream* out) { *out << Name(path); }

// Every case runs on the built-in coder and on each codec library.
class CoderPaths : public ::testing::TestWithParam<CoderPath> {
protected:
    void SetUp() override {
        if (GetParam() == CoderPath::BuiltIn) return;
        library_ = std::make_unique<CodecLibrary>(GetParam() == CoderPath::Simd ? L"PictavoSIMD.dll" : L"PictavoIJG.dll");
        ASSERT_TRUE(library_->loadW && library_->saveW);
    }
    CJpegCoder Coder() const {
        return library_ ? CJpegCoder(library_->loadW, library_->saveW) : CJpegCoder(nullptr, nullptr);
    }
    std::wstring WriteJpeg(const std::wstring& name, const std::string& jpeg) {
        std::wstring path = temp_ / name;
        EXPECT_TRUE(WriteFileBytes(path, jpeg));
        return path;
    }

    TempFolder temp_;
    std::unique_ptr<CodecLibrary> library_;
};

}  // namespace

TEST_P(CoderPaths, SavedPicturesReadBackWhole) {
    const SIZE sizes[] = {{101, 40}, {1, 1}, {16, 16}, {333, 7}, {1001, 3}};
    for (SIZE size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        fw::GdiObject dib(MakePatternDib(size.cx, size.cy));
        std::wstring path = temp_ / L"saved.jpg";
        ASSERT_EQ(Coder().SaveJpeg(path.c_str(), static_cast<HBITMAP>(dib.get()), 90), 1);
        Pixels read;
        ASSERT_TRUE(ReadWithWic(path, read));
        Pixels expected = Pattern(size.cx, size.cy);
        ASSERT_EQ(read.width, size.cx);
        ASSERT_EQ(read.height, size.cy);
        // Every row, so a band of missing rows at either end shows.
        for (int y = 0; y < size.cy; ++y) EXPECT_LT(RowDifference(read, expected, y), 12.0) << "row " << y;
    }
    EXPECT_EQ(FolderEntries(temp_.path()), std::vector<std::wstring>{L"saved.jpg"});
}

TEST_P(CoderPaths, DecodedSizesFollowTheScaleFromFileAndMemory) {
    // libjpeg-turbo scales by M/8: a requested 1/10 is served at 1/8, 1/3 at 3/8.
    const SizeCase cases[] = {{1600, 1200, 160, 0, 200, 150}, {1024, 768, 0, 1, 1024, 768}, {1024, 768, 0, 2, 512, 384},
                              {1024, 768, 0, 4, 256, 192},    {1024, 768, 0, 8, 128, 96},   {1024, 768, 0, 3, 384, 288},
                              {1024, 768, 2048, 0, 1024, 768}, {100, 75, 0, 10, 13, 10}};
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " wanted " << c.wantedWidth << " 1/"
                                        << c.denominator);
        std::string jpeg = MakeJpeg(c.width, c.height);
        std::wstring path = WriteJpeg(L"in.jpg", jpeg);
        for (bool fromFile : {true, false}) {
            HBITMAP out = nullptr;
            ASSERT_EQ(Coder().DecodeJpeg(fromFile ? path.c_str() : nullptr, jpeg.data(), static_cast<DWORD>(jpeg.size()),
                                         &out, c.wantedWidth, c.denominator),
                      1);
            fw::GdiObject owned(out);
            Pixels p = DibPixels(out);
            EXPECT_EQ(p.width, c.expectedWidth) << (fromFile ? "file" : "memory");
            EXPECT_EQ(p.height, c.expectedHeight) << (fromFile ? "file" : "memory");
        }
    }
}

TEST_P(CoderPaths, DecodedPixelsAgreeWithAnIndependentDecoder) {
    std::wstring path = WriteJpeg(L"frame.jpg", MakeJpeg(1024, 768));
    HBITMAP out = nullptr;
    ASSERT_EQ(Coder().DecodeJpeg(path.c_str(), nullptr, 0, &out, 0, 1), 1);
    fw::GdiObject owned(out);
    Pixels reference;
    ASSERT_TRUE(ReadWithWic(path, reference));
    // Swapped channels or upside-down rows would differ by tens of levels.
    EXPECT_LT(MeanDifference(DibPixels(out), reference), 2.0);
}

TEST_P(CoderPaths, FittingFillsExactlyOrLeavesCentredBlackBands) {
    struct Case {
        int width, height, bandRows, bandColumns;
    } cases[] = {{1600, 1200, 0, 0}, {1600, 900, 15, 0}, {1200, 1600, 0, 35}};
    HDC dc = ::CreateCompatibleDC(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " into 160 x 120");
        std::string jpeg = MakeJpeg(c.width, c.height);
        std::wstring path = WriteJpeg(L"big.jpg", jpeg);
        HBITMAP fromFile = nullptr, fromMemory = nullptr;
        ASSERT_EQ(Coder().LoadJpegFile(&fromFile, path.c_str(), dc, 160, 120), 1);
        ASSERT_EQ(Coder().LoadJpegMemory(&fromMemory, jpeg.data(), static_cast<DWORD>(jpeg.size()), dc, 160, 120, 0), 1);
        fw::GdiObject ownedFile(fromFile), ownedMemory(fromMemory);
        for (HBITMAP fitted : {fromFile, fromMemory}) {
            Pixels p = DibPixels(fitted);
            ASSERT_EQ(p.width, 160);
            ASSERT_EQ(p.height, 120);
            for (int y = 0; y < 120; ++y)
                EXPECT_EQ(IsBlackRow(p, y), y < c.bandRows || y >= 120 - c.bandRows) << "row " << y;
            for (int x = 0; x < 160; ++x)
                EXPECT_EQ(IsBlackColumn(p, x), x < c.bandColumns || x >= 160 - c.bandColumns) << "column " << x;
        }
    }
    ::DeleteDC(dc);
}

TEST_P(CoderPaths, GreyPicturesGiveThreeEqualBytes) {
    std::string jpeg = MakeJpeg(64, 48, Colour::Grey);
    HBITMAP out = nullptr;
    ASSERT_EQ(Coder().DecodeJpeg(nullptr, jpeg.data(), static_cast<DWORD>(jpeg.size()), &out, 0, 1), 1);
    fw::GdiObject owned(out);
    Pixels p = DibPixels(out);
    ASSERT_EQ(p.width, 64);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const BYTE* px = p.at(x, y);
            ASSERT_TRUE(px[0] == px[1] && px[1] == px[2]) << x << "," << y;
        }
    EXPECT_NE(p.at(0, 0)[0], p.at(63, 47)[0]);  // the picture itself, not a flat fill
}

TEST_P(CoderPaths, UndecodableInputFailsWithoutBitmap) {
    const std::string cmyk = MakeJpeg(32, 32, Colour::Cmyk);
    const std::string good = MakeJpeg(32, 32);
    struct Case {
        const char* what;
        std::string bytes;
        bool asFile;
        int denominator;
    } cases[] = {
        {"CMYK in memory", cmyk, false, 1},
        {"CMYK file", cmyk, true, 1},
        {"garbage", std::string(500, '\x5A'), false, 1},
        {"header cut short", good.substr(0, 40), false, 1},
        {"empty file", "", true, 1},
        {"65000 x 65000 claimed", WithClaimedSize(good, 65000, 65000), false, 1},
        // Scaled output is small, but a progressive decoder keeps the whole picture's coefficients.
        {"progressive 65000 x 65000 at 1/8", WithClaimedSize(MakeJpeg(32, 32, Colour::Rgb, true), 65000, 65000), false,
         8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::wstring path = WriteJpeg(L"bad.jpg", c.bytes);
        HBITMAP out = reinterpret_cast<HBITMAP>(1);
        EXPECT_EQ(Coder().DecodeJpeg(c.asFile ? path.c_str() : nullptr, c.bytes.data(),
                                     static_cast<DWORD>(c.bytes.size()), &out, 0, c.denominator),
                  0);
        EXPECT_EQ(out, nullptr);
    }
    HBITMAP out = nullptr;
    EXPECT_EQ(Coder().DecodeJpeg(nullptr, nullptr, 100, &out, 0, 1), 0);
    EXPECT_EQ(Coder().DecodeJpeg(L"", good.data(), static_cast<DWORD>(good.size()), &out, 0, 1), 0);
    EXPECT_EQ(Coder().LoadJpegFile(&out, (temp_ / L"missing.jpg").c_str(), nullptr, 0, 0), 0);
    EXPECT_EQ(out, nullptr);
}

TEST_P(CoderPaths, SaveIntoMissingFolderCreatesNothing) {
    fw::GdiObject dib(MakePatternDib(20, 10));
    std::wstring folder = temp_ / L"missing";
    EXPECT_EQ(Coder().SaveJpeg((folder + L"\\a.jpg").c_str(), static_cast<HBITMAP>(dib.get()), 75), 0);
    EXPECT_FALSE(FileExists(folder));
    EXPECT_TRUE(FolderEntries(temp_.path()).empty());
}

TEST_P(CoderPaths, FailedSaveKeepsTheExistingFile) {
    std::wstring path = temp_ / L"picture.jpg";
    ASSERT_TRUE(WriteFileBytes(path, "an older file"));
    fw::GdiObject dib(MakePatternDib(40, 30));
    ASSERT_EQ(Coder().SaveJpeg(path.c_str(), static_cast<HBITMAP>(dib.get()), 75), 1);
    const std::string saved = ReadFileBytes(path);
    ASSERT_EQ(saved.substr(0, 2), "\xFF\xD8");

    HBITMAP deleted = MakePatternDib(8, 8);
    ::DeleteObject(deleted);
    // Wider than JPEG allows: libjpeg fails only once the encoding has begun.
    fw::GdiObject tooWide(MakePatternDib(65501, 1));
    struct Case {
        const char* what;
        HBITMAP bitmap;
        bool readOnly;
    } cases[] = {{"null bitmap", nullptr, false},
                 {"deleted bitmap", deleted, false},
                 {"too wide for JPEG", static_cast<HBITMAP>(tooWide.get()), false},
                 {"read-only target", static_cast<HBITMAP>(dib.get()), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.readOnly) ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(Coder().SaveJpeg(path.c_str(), c.bitmap, 75), 0);
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(path), saved);
        EXPECT_EQ(FolderEntries(temp_.path()), std::vector<std::wstring>{L"picture.jpg"});
    }
}

INSTANTIATE_TEST_SUITE_P(, CoderPaths, ::testing::Values(CoderPath::BuiltIn, CoderPath::Simd, CoderPath::Ijg),
                         PathName);

TEST(CodecLibraries, AnsiEntryReportsTheFullSizeAndComponents) {
    struct Case {
        Colour colour;
        DWORD components;
    } cases[] = {{Colour::Rgb, 3}, {Colour::Grey, 1}};
    for (const wchar_t* name : {L"PictavoSIMD.dll", L"PictavoIJG.dll"}) {
        CodecLibrary library(name);
        ASSERT_NE(library.loadA, nullptr);
        for (const Case& c : cases) {
            std::string jpeg = MakeJpeg(640, 480, c.colour);
            DWORD info[3] = {};
            HBITMAP out = nullptr;
            ASSERT_TRUE(library.loadA(nullptr, jpeg.data(), static_cast<DWORD>(jpeg.size()), &out, 0, 4, info));
            fw::GdiObject owned(out);
            EXPECT_EQ(DibPixels(out).width, 160);
            EXPECT_EQ(info[0], 640u);
            EXPECT_EQ(info[1], 480u);
            EXPECT_EQ(info[2], c.components);
        }
    }
}
