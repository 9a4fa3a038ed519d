// A conversion run without its windows: output names, the camera canvas,
// the order of a folder's files, refused sources, and presentations through
// an in-process server (Cancel, retries) or none at all.
#include <gtest/gtest.h>

#include "CameraFileCheck.h"
#include "FakeSlideServer.h"
#include "PictureFixtures.h"
#include "Handles.h"
#include "Strings.h"
#include "TestSupport.h"
#include "convert/ConvertJob.h"
#include "resource.h"

namespace {

using convert_fixtures::ExpectCameraFile;
using convert_fixtures::FakeSlideServer;
using picture_fixtures::FolderEntries;
using testing_support::FileExists;
using testing_support::MessageBoxRecorder;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

class ConvertJobTest : public ::testing::Test {
protected:
    ConvertJobTest() {
        job.createServer = [this](IDispatch** application) { return server.Create(application); };
        ::CreateDirectoryW(out().c_str(), nullptr);
        ::CreateDirectoryW(in().c_str(), nullptr);
    }
    std::wstring in() const { return folder / L"in\\"; }
    std::wstring out() const { return folder / L"out\\"; }
    void Jpeg(const std::wstring& name, int width, int height) {
        ASSERT_TRUE(WriteFileBytes(in() + name, picture_fixtures::MakeJpeg(width, height)));
    }
    void RunFile(const std::wstring& name) { job.DoConvert({true, in() + name, L"", out()}); }
    void RunFolder() { job.DoConvert({false, L"", in(), out()}); }
    std::vector<std::pair<std::wstring, std::wstring>> Errors() {
        std::vector<std::pair<std::wstring, std::wstring>> list;
        for (const ErrorEntry& e : job.errors().entries()) list.emplace_back(e.file.substr(in().size()), e.message);
        return list;
    }

    fw::OleInit apartment;  // as the dialog's worker thread has
    TempFolder folder;
    MessageBoxRecorder boxes;
    FakeSlideServer server;
    CConvertJob job;
};

// Mean brightness of a row (or, with `column`, a column): JPEG leaves a little
// ringing beside an edge, so black is "dark on average", not zero.
double Mean(const picture_fixtures::Pixels& p, int at, bool column = false) {
    double sum = 0;
    const int n = column ? p.height : p.width;
    for (int i = 0; i < n; ++i) {
        const BYTE* px = column ? p.at(at, i) : p.at(i, at);
        sum += (px[0] + px[1] + px[2]) / 3.0;
    }
    return sum / n;
}
bool DarkRow(const picture_fixtures::Pixels& p, int y) { return Mean(p, y) < 12; }
bool DarkColumn(const picture_fixtures::Pixels& p, int x) { return Mean(p, x, true) < 12; }

const std::wstring kCanceled = L"Operation was canceled.";
const std::wstring kUnable = L"Unable to convert file.";
const std::wstring kExists = L"File already exists in the output folder.";

TEST_F(ConvertJobTest, NamesGoAboveTheHighestNumberInTheFolder) {
    const struct {
        std::vector<std::wstring> present;
        std::wstring next;  // empty: every file refused
    } cases[] = {
        {{L"IMAG0003.JPG", L"IMAG0010.JPG", L"IMAGabcd.JPG", L"IMAG0012.BMP"}, L"IMAG0011.jpg"},
        {{}, L"IMAG0001.jpg"},
        {{L"imag0042.jpg", L"IMAG0000.JPG"}, L"IMAG0043.jpg"},
        {{L"IMAG9999.JPG"}, L""},
    };
    Jpeg(L"a.jpg", 64, 48);
    Jpeg(L"b.jpg", 64, 48);
    for (const auto& c : cases) {
        TempFolder target;
        for (const std::wstring& name : c.present) WriteFileBytes(target / name, "x");
        job.DoConvert({false, L"", in(), target.path()});
        if (c.next.empty()) {
            EXPECT_EQ(job.errors().entries().size(), 2u);
            for (const ErrorEntry& e : job.errors().entries()) EXPECT_EQ(e.message, kExists);
            EXPECT_EQ(FolderEntries(target.path()).size(), c.present.size());
            continue;
        }
        EXPECT_TRUE(job.errors().empty());
        EXPECT_TRUE(FileExists(target / c.next)) << c.next;
        const int number = std::stoi(c.next.substr(4, 4));
        EXPECT_TRUE(FileExists(target / fw::Format(L"IMAG%04d.jpg", number + 1))) << "the second file follows";
    }
}

TEST_F(ConvertJobTest, PicturesLandOnTheCameraCanvas) {
    struct Line {
        int at;
        bool column, dark;
    };
    const struct {
        const wchar_t* name;
        int bits;  // 0: JPEG
        int width, height, outWidth, outHeight;
        std::vector<Line> lines;
    } cases[] = {
        {L"vga.jpg", 0, 640, 480, 640, 480, {{0, false, false}, {479, false, false}, {0, true, false}}},
        // 656 = 650 rounded up to 16; 656 / 650 x 480 = 484, raised to 488; centred.
        {L"odd.jpg", 0, 650, 480, 656, 488, {{0, true, true}, {1, false, true}, {244, false, false}, {486, false, true}}},
        {L"odd.bmp", 24, 650, 480, 656, 488, {{655, true, true}, {1, false, true}, {300, true, false}}},
        {L"grey.bmp", 8, 330, 200, 336, 208, {{1, true, true}, {2, false, true}, {100, false, false}}},
        {L"big.jpg", 0, 4000, 3000, 2592, 1944, {{0, false, false}, {0, true, false}, {2591, true, false}}},
        // Drawn 2592 x 648 from y = 648.
        {L"wide.jpg", 0, 4000, 1000, 2592, 1944, {{644, false, true}, {652, false, false}, {1291, false, false},
                                                  {1300, false, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteFileBytes(in() + c.name, c.bits ? picture_fixtures::MakeBmp(c.width, c.height, c.bits)
                                                         : picture_fixtures::MakeJpeg(c.width, c.height)));
        TempFolder target;
        job.DoConvert({true, in() + c.name, L"", target.path()});
        EXPECT_TRUE(job.errors().empty());
        const std::wstring result = target / L"IMAG0001.jpg";
        ExpectCameraFile(result, c.outWidth, c.outHeight);
        picture_fixtures::Pixels p;
        ASSERT_TRUE(picture_fixtures::ReadWithWic(result, p));
        for (const Line& line : c.lines)
            EXPECT_EQ(line.column ? DarkColumn(p, line.at) : DarkRow(p, line.at), line.dark)
                << (line.column ? "column " : "row ") << line.at;
    }
}

TEST_F(ConvertJobTest, FolderTakesJpgBmpPptPptxInTurnEachOnce) {
    Jpeg(L"c.jpg", 64, 48);
    ASSERT_TRUE(WriteFileBytes(in() + L"d.bmp", picture_fixtures::MakeBmp(64, 48)));
    ASSERT_TRUE(WriteFileBytes(in() + L"a.pptx", "zip"));
    ASSERT_TRUE(WriteFileBytes(in() + L"b.ppt", "ole"));
    Jpeg(L"e.jpeg", 64, 48);  // not a camera source in folder mode
    int reports = 0;
    job.progress = [&](int converted, int total) {
        EXPECT_EQ(total, 4);
        EXPECT_LE(converted, total);
        ++reports;
    };
    RunFolder();
    EXPECT_TRUE(job.errors().empty());
    EXPECT_EQ(server.opened, (std::vector<std::wstring>{in() + L"b.ppt", in() + L"a.pptx"}));
    EXPECT_EQ(FolderEntries(out()).size(), 4u);
    ExpectCameraFile(out() + L"IMAG0003.jpg", 1024, 768);
    EXPECT_GE(reports, 8);
    EXPECT_TRUE(server.AllReleased());
}

TEST_F(ConvertJobTest, RefusedSourcesSayWhy) {
    Jpeg(L"photo.jpeg", 64, 48);
    RunFile(L"photo.jpeg");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, L"Invalid file type.");
    EXPECT_EQ(job.focusControl(), static_cast<UINT>(IDC_CNV_SOURCE_FILE));

    ::DeleteFileW((in() + L"photo.jpeg").c_str());
    RunFolder();
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].text, L"There is no file that can be converted.");

    ASSERT_TRUE(WriteFileBytes(in() + L"broken.jpg", "\xFF\xD8 not a picture"));
    ASSERT_TRUE(WriteFileBytes(in() + L"empty.bmp", ""));
    Jpeg(L"fine.jpg", 64, 48);
    RunFolder();
    EXPECT_EQ(Errors().size(), 2u);
    for (const auto& e : Errors()) EXPECT_EQ(e.second, kUnable);
    // The numbers of failed files are not used again; the good one is whole.
    EXPECT_EQ(FolderEntries(out()).size(), 1u);
}

TEST_F(ConvertJobTest, CancelDuringASlideFinishesItAndStopsTheRest) {
    Jpeg(L"first.jpg", 64, 48);
    ASSERT_TRUE(WriteFileBytes(in() + L"a.pptx", "zip"));
    ASSERT_TRUE(WriteFileBytes(in() + L"b.pptx", "zip"));
    server.slideCount = 12;
    bool cancelled = false;
    server.onExport = [&](int index) {
        if (index == 5) cancelled = true;
    };
    job.keepGoing = [&] { return !cancelled; };
    RunFolder();
    EXPECT_EQ(server.exports, 5);
    EXPECT_EQ(Errors(), (std::vector<std::pair<std::wstring, std::wstring>>{{L"a.pptx", kCanceled},
                                                                          {L"b.pptx", kCanceled}}));
    EXPECT_EQ(FolderEntries(out()).size(), 6u);  // the JPEG and slides 1 to 5
    ExpectCameraFile(out() + L"IMAG0006.jpg", 1024, 768);
    EXPECT_FALSE(job.aborted());
}

TEST_F(ConvertJobTest, ServerStartsAreTriedThreeTimesOnlyWhenItCouldNotStart) {
    ASSERT_TRUE(WriteFileBytes(in() + L"talk.pptx", "zip"));
    const struct {
        std::vector<HRESULT> answers;
        int attempts;
        bool converted;
    } cases[] = {
        {{CO_E_SERVER_EXEC_FAILURE, CO_E_SERVER_EXEC_FAILURE, CO_E_SERVER_EXEC_FAILURE}, 3, false},
        {{CO_E_SERVER_EXEC_FAILURE, S_OK}, 2, true},
        {{REGDB_E_CLASSNOTREG}, 1, false},
    };
    for (const auto& c : cases) {
        size_t attempts = 0;
        job.createServer = [&](IDispatch** application) {
            HRESULT answer = c.answers[std::min(attempts++, c.answers.size() - 1)];
            return answer == S_OK ? server.Create(application) : answer;
        };
        TempFolder target;
        job.DoConvert({true, in() + L"talk.pptx", L"", target.path()});
        EXPECT_EQ(attempts, static_cast<size_t>(c.attempts));
        EXPECT_EQ(FileExists(target / L"IMAG0001.jpg"), c.converted);
        EXPECT_EQ(job.errors().entries().size(), c.converted ? 0u : 1u);
    }
}

TEST_F(ConvertJobTest, WithoutTheServerEveryPresentationIsOneError) {
    CLSID id{};
    const bool installed = SUCCEEDED(::CLSIDFromProgID(L"PowerPoint.Application", &id));
    // Where the stand-in is registered, a name nobody registers takes its place.
    const wchar_t* progId = installed ? L"Pictavo.NoSuchServer" : L"PowerPoint.Application";
    job.createServer = [progId](IDispatch** application) {
        CLSID cls{};
        HRESULT hr = ::CLSIDFromProgID(progId, &cls);
        return FAILED(hr) ? hr : CConvertJob::CreatePresentationServer(application);
    };
    ASSERT_TRUE(WriteFileBytes(in() + L"a.pptx", "zip"));
    ASSERT_TRUE(WriteFileBytes(in() + L"b.ppt", "ole"));
    Jpeg(L"c.jpg", 64, 48);
    RunFolder();
    EXPECT_EQ(Errors(), (std::vector<std::pair<std::wstring, std::wstring>>{{L"b.ppt", kUnable}, {L"a.pptx", kUnable}}));
    EXPECT_TRUE(FileExists(out() + L"IMAG0001.jpg"));
}

}  // namespace
