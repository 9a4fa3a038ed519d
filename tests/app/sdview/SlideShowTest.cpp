// "Slide Show Settings" on the stand-in's card: what the first showing
// reads, Add between rows, Register onto the card, the buttons that only
// stop a reading, the progress controls and the preview.
#include <gtest/gtest.h>

#include <memory>

#include "CameraHarness.h"
#include "ModalScript.h"
#include "SdCardFixture.h"
#include "Strings.h"
#include "Wait.h"
#include "base/AppMessages.h"
#include "resource.h"
#include "sdview/SlideShow.h"
#include "sdview/SlideSplitFrm.h"

namespace {

using testing_support::WaitUntil;

class SlideShowCard : public sdview_test::PictureCard {
protected:
    void SetUp() override {
        PictureCard::SetUp();
        PutPictures(L"100ABCDE", 3);
    }
    void TearDown() override {
        if (dialog && dialog->hwnd()) ::DestroyWindow(dialog->hwnd());
        dialog.reset();
    }
    void Open(const std::string& playList = "", LONG delayMs = 0) {
        if (!playList.empty()) testing_support::WriteFileBytes(CardHostPath(L"PLAYLIST.TXT"), playList);
        camera->control().SetDelay(delayMs);
        dialog = std::make_unique<CSlideShow>(owner.hwnd(), camera->get());
        ASSERT_TRUE(dialog->Create(nullptr));
        ::ShowWindow(dialog->hwnd(), SW_SHOW);
        ASSERT_TRUE(WaitUntil([&] { return thumbnails().Count() >= 1; }));
    }
    CThumbnailList& thumbnails() { return dialog->contents()->thumbnails(); }
    CSlidePlayList& order() { return dialog->playList(); }
    bool Finished() { return WaitUntil([&] { return !thumbnails().IsBusy(); }); }
    void Press(UINT id) { ::SendMessageW(dialog->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Visible(UINT id) const { return ::IsWindowVisible(::GetDlgItem(dialog->hwnd(), id)) != FALSE; }
    std::vector<std::wstring> Row(int row) { return {order().Text(row, 0), order().Text(row, 1), order().Text(row, 2)}; }

    testing_support::MessageBoxRecorder boxes;
    camera_test::MessageCatcher owner;
    std::unique_ptr<CSlideShow> dialog;
};

const char kThreeLines[] =
    "C:\\DCIM\\100ABCDE\\IMAG0003.JPG,SE1,SI1\r\n"
    "C:\\DCIM\\100ABCDE\\IMAG0002.JPG,SE2,SI2\r\n"
    "C:\\DCIM\\100ABCDE\\IMAG0001.JPG,SE3,SI3\r\n";

TEST_F(SlideShowCard, AddPutsTheChosenThumbnailsBeforeTheSelectedRow) {
    Open(kThreeLines);
    ASSERT_TRUE(Finished());
    ASSERT_EQ(order().Count(), 3);

    // Nothing chosen: nothing happens, even with two rows selected.
    order().Select(-1);
    Press(IDC_SLIDE_ADD);
    EXPECT_EQ(order().Count(), 3);
    EXPECT_TRUE(boxes.boxes().empty());

    thumbnails().Select(-1);
    Press(IDC_SLIDE_ADD);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, fw::LoadResString(IDS_SEVERAL_POSITIONS));

    order().SelectOnly(1);
    Press(IDC_SLIDE_ADD);
    ASSERT_EQ(order().Count(), 6);
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(Row(row), (std::vector<std::wstring>{fw::Format(L"100ABCDE\\IMAG%04d.JPG", row), L"None", L"3"}));
    EXPECT_EQ(Row(4), (std::vector<std::wstring>{L"100ABCDE\\IMAG0002.JPG", L"Top down", L"10"}));
}

TEST_F(SlideShowCard, RegisterWritesThePlayOrderToTheCardAndAsksForTheLiveMonitor) {
    Open();
    ASSERT_TRUE(Finished());
    thumbnails().SelectOnly(2);
    Press(IDC_SLIDE_ADD);
    thumbnails().SelectOnly(0);
    Press(IDC_SLIDE_ADD);
    Press(IDOK);
    EXPECT_EQ(testing_support::ReadFileBytes(CardHostPath(L"PLAYLIST.TXT")),
              "C:\\DCIM\\100ABCDE\\IMAG0003.JPG,SE20,SI0\r\nC:\\DCIM\\100ABCDE\\IMAG0001.JPG,SE20,SI0\r\n");
    ::DestroyWindow(dialog->hwnd());
    EXPECT_TRUE(WaitUntil([&] { return owner.Take(WM_RESUME_LIVE).has_value(); }));
}

TEST_F(SlideShowCard, WhileReadingTheButtonsOnlyStopAndTheProgressShows) {
    Open("", 250);
    ASSERT_TRUE(thumbnails().IsBusy());
    for (UINT id : {IDC_READ_PROGRESS, IDC_READ_TOTAL, IDC_READ_CURRENT, IDC_READING_TEXT}) EXPECT_TRUE(Visible(id)) << id;
    EXPECT_EQ(testing_support::ControlText(dialog->hwnd(), IDC_READ_TOTAL), L"3");
    Press(IDCANCEL);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(::IsWindowVisible(dialog->hwnd()));
    EXPECT_FALSE(Visible(IDC_READ_PROGRESS));
    EXPECT_LT(thumbnails().Count(), 3);

    // Register stops a reading too and writes nothing.
    Press(IDC_SLIDE_UPDATE);
    ASSERT_TRUE(WaitUntil([&] { return thumbnails().IsBusy(); }));
    thumbnails().SelectOnly(0);
    Press(IDC_SLIDE_ADD);
    Press(IDOK);
    ASSERT_TRUE(Finished());
    EXPECT_FALSE(testing_support::FileExists(CardHostPath(L"PLAYLIST.TXT")));
    EXPECT_TRUE(camera->AllRecordsBack());
}

TEST_F(SlideShowCard, ThePreviewIsFourByThreeAndShowsTheSelectedRow) {
    Open(kThreeLines);
    ASSERT_TRUE(Finished());
    HWND preview = ::GetDlgItem(dialog->hwnd(), IDC_SLIDE_PREVIEW);
    RECT box{};
    ::GetWindowRect(preview, &box);
    EXPECT_EQ((box.right - box.left) * 3, (box.bottom - box.top) * 4);

    order().SelectOnly(0);  // its thumbnail is cached
    EXPECT_NE(dialog->previewBitmap(), nullptr);
    order().AddEntry(L"C:\\DCIM\\100ABCDE\\IMAG0009.JPG", L"", L"", -1);
    order().SelectOnly(3);  // not on the card
    EXPECT_EQ(dialog->previewBitmap(), nullptr);
    EXPECT_EQ(sdview_test::WindowText(preview), L"No such file");
    order().Select(-1);
    EXPECT_EQ(sdview_test::WindowText(preview), L"");
}

}  // namespace
