// A presentation through the registered presentation server (the stand-in in
// the test prefix): every slide becomes one camera file, in order.
#include <gtest/gtest.h>

#include "CameraFileCheck.h"
#include "Handles.h"
#include "PictureFixtures.h"
#include "PresentationFile.h"
#include "Strings.h"
#include "TestSupport.h"
#include "convert/ConvertJob.h"

namespace {

TEST(SlideServerConversion, TwelveSlidesGiveTwelveConsecutiveFiles) {
    fw::OleInit apartment;
    CLSID id{};
    if (FAILED(::CLSIDFromProgID(L"PowerPoint.Application", &id)))
        GTEST_SKIP() << "no presentation server is registered";
    testing_support::TempFolder folder;
    const std::vector<std::string> titles = {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot",
                                             "Golf", "Hotel", "India", "Juliett", "Kilo", "Lima"};
    const std::wstring talk = folder / L"lesson.pptx";
    ASSERT_TRUE(testing_support::WriteFileBytes(talk, convert_fixtures::MakePptx(titles)));
    const std::wstring out = folder / L"out\\";
    ::CreateDirectoryW(out.c_str(), nullptr);

    CConvertJob job;
    job.DoConvert({true, talk, L"", out});
    EXPECT_TRUE(job.errors().empty());
    EXPECT_EQ(picture_fixtures::FolderEntries(out).size(), 12u);
    picture_fixtures::Pixels previous;
    for (int n = 1; n <= 12; ++n) {
        const std::wstring file = out + fw::Format(L"IMAG%04d.jpg", n);
        convert_fixtures::ExpectCameraFile(file, 1024, 768);
        picture_fixtures::Pixels slide;
        ASSERT_TRUE(picture_fixtures::ReadWithWic(file, slide));
        // Each slide shows its own title, so no two neighbours are alike.
        if (n > 1) {
            EXPECT_GT(picture_fixtures::MeanDifference(slide, previous), 0.05) << n;
        }
        previous = std::move(slide);
    }
}

}  // namespace
