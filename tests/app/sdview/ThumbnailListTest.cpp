// Thumbnails of a card folder read one at a time from the stand-in's card:
// what shows, what the cache spares the card, and how a stop, a pulled card
// or a closed window end the reading with every response record returned.
#include <gtest/gtest.h>

#include <memory>

#include "CameraHarness.h"
#include "Handles.h"
#include "ModalScript.h"
#include "SdCardFixture.h"
#include "Strings.h"
#include "Wait.h"
#include "resource.h"
#include "sdview/ThumbnailList.h"

namespace {

using testing_support::FindDialogWith;
using testing_support::ModalScript;
using testing_support::WaitUntil;

const std::wstring kFolder = L"C:\\DCIM\\100ABCDE";

class ThumbnailCard : public sdview_test::PictureCard {
protected:
    void SetUp() override {
        PictureCard::SetUp();
        parent = ::CreateWindowExW(0, L"STATIC", L"thumbs", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr, nullptr,
                                   nullptr, nullptr);
        list = std::make_unique<CThumbnailList>(camera->get());
        ASSERT_TRUE(list->Create(parent, 1, pane.hwnd(), nullptr));
        ::MoveWindow(list->hwnd(), 0, 0, 480, 360, FALSE);
    }
    void TearDown() override {
        list.reset();
        ::DestroyWindow(parent);
    }
    bool Finished() { return WaitUntil([&] { return !list->IsBusy(); }); }
    // Answers the error list, keeping its rows (file, message) and caption.
    ModalScript ErrorListScript() {
        return ModalScript({[this] {
            HWND dialog = FindDialogWith(IDC_ERROR_LIST);
            if (!dialog) return false;
            errorCaption = sdview_test::WindowText(dialog);
            HWND rows = ::GetDlgItem(dialog, IDC_ERROR_LIST);
            for (int i = 0; i < ListView_GetItemCount(rows); ++i) {
                wchar_t file[MAX_PATH] = {}, message[MAX_PATH] = {};
                ListView_GetItemText(rows, i, 0, file, MAX_PATH);
                ListView_GetItemText(rows, i, 1, message, MAX_PATH);
                errorRows.push_back({file, message});
            }
            testing_support::Click(dialog, IDOK);
            return true;
        }});
    }

    testing_support::MessageBoxRecorder boxes;
    camera_test::MessageCatcher pane;
    HWND parent = nullptr;
    std::unique_ptr<CThumbnailList> list;
    std::wstring errorCaption;
    std::vector<std::vector<std::wstring>> errorRows;
};

TEST_F(ThumbnailCard, CameraFilesShowOthersAreListedAndTheSecondShowingAsksTheCardNothing) {
    PutPictures(L"100ABCDE", 1);
    testing_support::WriteFileBytes(CardHostPath(L"DCIM\\100ABCDE\\readme.txt"), "not a picture");
    {
        ModalScript script = ErrorListScript();
        list->ShowFolder(kFolder);
        ASSERT_TRUE(WaitUntil([&] { return !list->IsBusy() && script.finished(); }));
    }
    EXPECT_EQ(sdview_test::ItemTexts(list->hwnd()), std::vector<std::wstring>{L"IMAG0001.JPG"});
    EXPECT_EQ(list->ItemData(0)->cardPath, kFolder + L"\\IMAG0001.JPG");
    EXPECT_EQ(errorCaption, L"Reading error");
    EXPECT_EQ(errorRows, (std::vector<std::vector<std::wstring>>{{L"readme.txt", fw::LoadResString(IDS_INVALID_CARD_NAME)}}));
    auto start = pane.Take(CThumbnailList::WM_THUMBNAILS_START);
    auto step = pane.Take(CThumbnailList::WM_THUMBNAILS_PROGRESS);
    ASSERT_TRUE(start && step && pane.Take(CThumbnailList::WM_THUMBNAILS_END));
    EXPECT_EQ(start->wParam, 1u);
    EXPECT_EQ(step->lParam, 1);
    EXPECT_TRUE(testing_support::FileExists(CacheFolder(kFolder) + L"\\IMAG0001.JPG"));

    // A picture added in between shows only once the cache is cleared.
    PutPictures(L"100ABCDE", 2);
    const LONG mark = RequestMark();
    list->ShowFolder(kFolder);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(CommandsSince(mark).empty());
    EXPECT_EQ(list->Count(), 1);
    EXPECT_TRUE(camera->AllRecordsBack());
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(ThumbnailCard, StopEndsAtTheNextPictureAndLeavesNoCacheOrErrorList) {
    PutPictures(L"100ABCDE", 6);
    testing_support::WriteFileBytes(CardHostPath(L"DCIM\\100ABCDE\\readme.txt"), "not a picture");
    camera->control().SetDelay(200);
    ModalScript script = ErrorListScript();
    list->ShowFolder(kFolder);
    ASSERT_TRUE(WaitUntil([&] { return list->Count() >= 1; }));
    list->Stop();
    ASSERT_TRUE(Finished());
    EXPECT_LT(list->Count(), 6);
    EXPECT_TRUE(pane.Take(CThumbnailList::WM_THUMBNAILS_END).has_value());
    EXPECT_FALSE(CacheExists(kFolder));
    EXPECT_FALSE(script.finished());  // no error list after a stop
    EXPECT_TRUE(camera->AllRecordsBack());

    // Not cached, so the card is read again.
    camera->control().SetDelay(0);
    const LONG mark = RequestMark();
    list->ShowFolder(kFolder);
    ASSERT_TRUE(WaitUntil([&] { return !list->IsBusy() && script.finished(); }));
    EXPECT_EQ(list->Count(), 6);
    EXPECT_EQ(PictureRequestsSince(mark), 6);
}

TEST_F(ThumbnailCard, APulledCardSays167AndEndsTheReading) {
    PutPictures(L"100ABCDE", 5);
    camera->control().SetDelay(200);
    list->ShowFolder(kFolder);
    ASSERT_TRUE(WaitUntil([&] { return list->Count() >= 1; }));
    ASSERT_TRUE(camera->control().RemoveCard());
    ASSERT_TRUE(Finished());
    EXPECT_LT(list->Count(), 5);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, fw::LoadResString(IDS_SD_NOT_INSERTED));
    EXPECT_FALSE(CacheExists(kFolder));
    EXPECT_TRUE(camera->AllRecordsBack());

    // Without the card the folder's listing already fails.
    list->ShowFolder(kFolder);
    EXPECT_FALSE(list->IsBusy());
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].text, fw::LoadResString(IDS_SD_NOT_INSERTED));
}

TEST_F(ThumbnailCard, ClosingWhileReadingTakesBackThePictureOnItsWay) {
    PutPictures(L"100ABCDE", 3);
    camera->control().SetDelay(300);
    list->ShowFolder(kFolder);
    ASSERT_TRUE(list->IsBusy());
    list.reset();
    EXPECT_TRUE(camera->AllRecordsBack());
    EXPECT_FALSE(testing_support::FileExists(CacheFolder(kFolder)));
}

TEST_F(ThumbnailCard, UndecodablePicturesAndFailedReadsGoToTheErrorList) {
    PutPictures(L"100ABCDE", 2);
    testing_support::WriteFileBytes(CardHostPath(L"DCIM\\100ABCDE\\IMAG0003.JPG"), "no jpeg here");
    // Held open without sharing, so the card cannot read it.
    fw::FileHandle held(::CreateFileW(CardHostPath(L"DCIM\\100ABCDE\\IMAG0001.JPG").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    ModalScript script = ErrorListScript();
    list->ShowFolder(kFolder);
    ASSERT_TRUE(WaitUntil([&] { return !list->IsBusy() && script.finished(); }));
    EXPECT_EQ(list->Count(), 1);
    ASSERT_EQ(errorRows.size(), 2u);
    EXPECT_EQ(errorRows[0], (std::vector<std::wstring>{L"IMAG0001.JPG", fw::LoadResString(IDS_SD_UNAVAILABLE)}));
    EXPECT_EQ(errorRows[1], (std::vector<std::wstring>{L"IMAG0003.JPG", fw::LoadResString(IDS_INTERNAL_ERROR)}));
    EXPECT_TRUE(camera->AllRecordsBack());
}

}  // namespace
