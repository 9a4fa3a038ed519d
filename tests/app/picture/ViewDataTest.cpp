#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "picture/BitmapFile.h"
#include "Handles.h"
#include "PictureFixtures.h"
#include "TestSupport.h"
#include "picture/ViewData.h"
#include "resource.h"

using namespace picture_fixtures;
using namespace testing_support;

namespace {

int LoadBlock(CViewData& data, const std::string& jpeg, int denominator) {
    return data.LoadPicture(jpeg.data(), static_cast<DWORD>(jpeg.size()), denominator);
}

// An installation folder with a "logs" folder, so the trace log can be read.
class ViewDataLog : public ::testing::Test {
protected:
    void SetUp() override {
        ::CreateDirectoryW((install_ / L"logs").c_str(), nullptr);
        installPath_.SetString(install_.path());
    }
    std::string Log() const { return ReadFileBytes(install_ / L"logs\\PictavoPreTrc.log"); }

    TempFolder install_;
    RegistryValue installPath_ = InstallPathValue();
};

}  // namespace

TEST(ViewDataLoad, PublishedSizeFollowsTheScaleDenominator) {
    const std::string jpeg = MakeJpeg(1024, 768);
    struct Case {
        int denominator, width, height;
    } cases[] = {{4, 256, 192}, {1, 1024, 768}, {2, 512, 384}};
    CViewData data;
    for (const Case& c : cases) {
        ASSERT_NE(LoadBlock(data, jpeg, c.denominator), 0);
        EXPECT_EQ(data.GetWidth(), c.width);
        EXPECT_EQ(data.GetHeight(), c.height);
        EXPECT_EQ(data.GetPicture().width, c.width);
        EXPECT_EQ(DibPixels(data.GetPicture().bitmap).height, c.height);
    }
    EXPECT_EQ(data.GetFileName(), L"");  // a byte block has no file
}

TEST(ViewDataLoad, FileLoadRecordsNameAndPath) {
    TempFolder temp;
    const std::wstring jpegPath = temp / L"a.jpg", bmpPath = temp / L"b.bmp";
    ASSERT_TRUE(WriteFileBytes(jpegPath, MakeJpeg(64, 48)));
    fw::GdiObject dib(MakePatternDib(30, 20));
    ASSERT_EQ(CBitmapFile().Save(bmpPath.c_str(), static_cast<HBITMAP>(dib.get())), 1);

    CViewData data;
    ASSERT_NE(data.LoadPicture(jpegPath.c_str(), FALSE), 0);
    EXPECT_EQ(data.GetFileName(), L"a.jpg");
    EXPECT_EQ(data.GetFilePath(), jpegPath);
    EXPECT_EQ(data.GetWidth(), 64);
    ASSERT_NE(data.LoadPicture(bmpPath.c_str(), TRUE), 0);
    EXPECT_EQ(data.GetFileName(), L"b.bmp");
    EXPECT_EQ(data.GetWidth(), 30);
    EXPECT_EQ(data.GetHeight(), 20);
}

TEST_F(ViewDataLog, FailedLoadLeavesNoPictureButTheOldPublishedSize) {
    struct Case {
        const char* what;
        std::function<int(CViewData&)> load;
        const char* coderLine;
        const char* loadLine;
    } cases[] = {
        {"byte block", [](CViewData& d) { return LoadBlock(d, "not a jpeg", 1); },
         "[CViewData::DecodeJpeg           ] The error occurred with the [Load()[2]] function.",
         "[CViewData::LoadPicture          ] The error occurred with the [DecodeJpeg()] function."},
        {"JPEG file", [this](CViewData& d) { return d.LoadPicture((install_ / L"missing.jpg").c_str(), FALSE); },
         "[CViewData::DecodeJpeg           ] The error occurred with the [Load()[1]] function.",
         "[CViewData::LoadPicture          ] The error occurred with the [DecodeJpeg()] function."},
        {"BMP file", [this](CViewData& d) { return d.LoadPicture((install_ / L"missing.bmp").c_str(), TRUE); },
         "[CViewData::OpenBmpFile          ] The error occurred with the [Load()] function.",
         "[CViewData::LoadPicture          ] The error occurred with the [OpenBmpFile()] function."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::DeleteFileW((install_ / L"logs\\PictavoPreTrc.log").c_str());
        CViewData data;
        data.SetFileName(L"kept.jpg");
        ASSERT_NE(LoadBlock(data, MakeJpeg(1024, 768), 2), 0);
        EXPECT_EQ(c.load(data), 0);
        EXPECT_EQ(data.GetPicture().bitmap, nullptr);
        EXPECT_EQ(data.GetPicture().width, 0);
        EXPECT_EQ(data.GetPicture().height, 0);
        EXPECT_EQ(data.GetWidth(), 512);
        EXPECT_EQ(data.GetHeight(), 384);
        EXPECT_EQ(data.GetFileName(), L"kept.jpg");
        std::vector<std::string> lines = SplitLines(Log());
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].substr(26), c.coderLine);
        EXPECT_EQ(lines[1].substr(26), c.loadLine);
    }
}

TEST(ViewDataLoad, LoadsFromTwoThreadsNeverOverlap) {
    const std::string small = MakeJpeg(64, 48), large = MakeJpeg(320, 240);
    CViewData data;
    auto loader = [&data](const std::string* jpeg) {
        for (int i = 0; i < 40; ++i) LoadBlock(data, *jpeg, 1);
    };
    std::thread a(loader, &small), b(loader, &large);
    a.join();
    b.join();
    // Whichever load came last, the record and the published size agree with its bitmap.
    Pixels p = DibPixels(data.GetPicture().bitmap);
    EXPECT_TRUE(p.width == 64 || p.width == 320);
    EXPECT_EQ(data.GetPicture().width, p.width);
    EXPECT_EQ(data.GetWidth(), p.width);
}

TEST(ViewDataState, RotationStepsByMenuCommand) {
    struct Case {
        int from;
        UINT command;
        int expected;
    } cases[] = {{0, ID_ROTATE_CCW, 3}, {3, ID_ROTATE_CW, 0}, {1, ID_ROTATE_180, 3},
                 {2, ID_ROTATE_180, 0}, {0, 40000, 1},        {1, ID_ROTATE_CCW, 0}};
    for (const Case& c : cases) {
        CViewData data;
        for (int i = 0; i < c.from; ++i) data.Rotate(ID_ROTATE_CW);
        data.Rotate(c.command);
        EXPECT_EQ(data.GetRotation(), c.expected) << "from " << c.from << " with " << c.command;
    }
}

TEST(ViewDataState, ZeroZoomAndUnknownScrollBarsAreIgnored) {
    CViewData data;
    EXPECT_EQ(data.GetZoom(), 1.0);
    data.SetZoom(0.25);
    data.SetZoom(0.0);
    EXPECT_EQ(data.GetZoom(), 0.25);
    data.SetScrollPosition(SB_HORZ, 30);
    data.SetScrollPosition(SB_VERT, 40);
    data.SetScrollPosition(SB_CTL, 50);
    EXPECT_EQ(data.GetScrollPosition(SB_HORZ), 30);
    EXPECT_EQ(data.GetScrollPosition(SB_VERT), 40);
    EXPECT_EQ(data.GetScrollPosition(SB_CTL), 0);
    EXPECT_EQ(data.GetFileType(), 1);
}
