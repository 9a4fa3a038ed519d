// The SD viewer on the stand-in's card: changing folders and closing while
// thumbnails arrive, Escape from each of its windows, opening a picture, and
// the folder menus of the viewer's and the slide-show pane's trees.
#include <gtest/gtest.h>

#include <memory>

#include "CameraHarness.h"
#include "SdCardFixture.h"
#include "Strings.h"
#include "Wait.h"
#include "base/AppMessages.h"
#include "resource.h"
#include "sdview/SlideTree.h"
#include "sdview/ViewerFrame.h"

namespace {

using testing_support::WaitUntil;

struct Opened {
    std::string data;
    std::wstring title;
};

class ViewerCard : public sdview_test::PictureCard {
protected:
    void SetUp() override {
        PictureCard::SetUp();
        first = PutPictures(L"100ABCDE", 3);
        PutPictures(L"101ABCDE", 2);
    }
    void TearDown() override {
        if (viewer && viewer->IsWindow()) ::DestroyWindow(viewer->hwnd());
        viewer.reset();
    }
    void Open(LONG delayMs = 0) {
        camera->control().SetDelay(delayMs);
        viewer = std::make_unique<CViewerFrame>(camera->get(), owner.hwnd(), [this](const void* data, DWORD size,
                                                                                      const wchar_t* title) {
            opened.push_back(Opened{std::string(static_cast<const char*>(data), size), title});
            return 1;
        });
        ASSERT_TRUE(viewer->Create());
        ::ShowWindow(viewer->hwnd(), SW_SHOW);
        ASSERT_TRUE(WaitUntil([&] { return thumbnails().Count() >= 1; }));
    }
    CViewerThumbnail& thumbnails() { return viewer->thumbnails(); }
    bool Finished() { return WaitUntil([&] { return !thumbnails().IsBusy(); }); }
    HTREEITEM Folder(const std::wstring& name) {
        for (HTREEITEM item : viewer->tree().Children(nullptr))
            if (viewer->tree().Text(item) == name) return item;
        return nullptr;
    }

    testing_support::MessageBoxRecorder boxes;
    camera_test::MessageCatcher owner;
    std::unique_ptr<CViewerFrame> viewer;
    std::vector<std::string> first;
    std::vector<Opened> opened;
};

TEST_F(ViewerCard, ShowsTheFirstFolderWithProgressInTheStatusBar) {
    Open(150);
    EXPECT_EQ(sdview_test::WindowText(viewer->hwnd()), L"Pictavo for Presentation -Viewer-");
    EXPECT_TRUE(::IsWindowVisible(viewer->progressBar().hwnd()));
    EXPECT_EQ(viewer->statusBar().Text(0), L"Press ESC key to cancel");
    EXPECT_EQ(viewer->statusBar().PaneCount(), 4);
    ASSERT_TRUE(Finished());
    EXPECT_EQ(sdview_test::ItemTexts(thumbnails().hwnd()),
              (std::vector<std::wstring>{L"IMAG0001.JPG", L"IMAG0002.JPG", L"IMAG0003.JPG"}));
    EXPECT_FALSE(::IsWindowVisible(viewer->progressBar().hwnd()));
    EXPECT_EQ(viewer->statusBar().PaneCount(), 1);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(ViewerCard, AnotherFolderWhileReadingStopsClearsAndReadsTheNewOne) {
    Open(250);
    ASSERT_TRUE(thumbnails().IsBusy());
    ASSERT_TRUE(viewer->tree().Select(Folder(L"101ABCDE")));
    ASSERT_TRUE(Finished());
    EXPECT_EQ(sdview_test::ItemTexts(thumbnails().hwnd()), (std::vector<std::wstring>{L"IMAG0001.JPG", L"IMAG0002.JPG"}));
    EXPECT_EQ(thumbnails().ItemData(0)->cardPath, L"C:\\DCIM\\101ABCDE\\IMAG0001.JPG");
    EXPECT_FALSE(CacheExists(L"C:\\DCIM\\100ABCDE"));
    EXPECT_TRUE(camera->AllRecordsBack());
}

TEST_F(ViewerCard, CloseWhileReadingOnlyStopsAndASecondCloseAsksTheMainFrame) {
    Open(250);
    ::SendMessageW(viewer->hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(viewer->IsWindow());
    EXPECT_LT(thumbnails().Count(), 3);
    EXPECT_FALSE(owner.Take(WM_VIEWER_CLOSED).has_value());
    ::SendMessageW(viewer->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return owner.Take(WM_VIEWER_CLOSED).has_value(); }));
    ::DestroyWindow(viewer->hwnd());
    EXPECT_TRUE(WaitUntil([&] { return owner.Take(WM_RESUME_LIVE).has_value(); }));
}

TEST_F(ViewerCard, EscapeInTheTreeTheThumbnailsOrTheFrameStopsTheReading) {
    Open(250);
    ASSERT_TRUE(Finished());
    for (HWND window : {viewer->tree().hwnd(), thumbnails().hwnd(), viewer->hwnd()}) {
        ::SendMessageW(thumbnails().hwnd(), CThumbnailList::WM_THUMBNAILS_CLEAR, 0, 0);
        thumbnails().ShowFolder(L"C:\\DCIM\\100ABCDE");
        ASSERT_TRUE(thumbnails().IsBusy());
        ::SendMessageW(window, WM_KEYUP, VK_ESCAPE, 0);
        ASSERT_TRUE(Finished());
        EXPECT_LT(thumbnails().Count(), 3);
        EXPECT_FALSE(CacheExists(L"C:\\DCIM\\100ABCDE"));
    }
}

TEST_F(ViewerCard, ADoubleClickOpensThePictureTitledWithItsName) {
    Open();
    ASSERT_TRUE(Finished());
    thumbnails().SelectOnly(1);
    RECT item{};
    ListView_GetItemRect(thumbnails().hwnd(), 1, &item, LVIR_ICON);
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(thumbnails().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(thumbnails().hwnd(), WM_LBUTTONUP, 0, at);
    ::SendMessageW(thumbnails().hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageW(thumbnails().hwnd(), WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(WaitUntil([&] { return !opened.empty(); }));
    EXPECT_EQ(opened[0].title, L"IMAG0002.JPG");
    EXPECT_EQ(opened[0].data, first[1]);

    // A picture gone from the card says so.
    viewer->OpenPicture(L"C:\\DCIM\\100ABCDE\\IMAG0009.JPG");
    viewer->OpenPicture(L"IMAG0001.JPG");
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, fw::LoadResString(IDS_SD_UNAVAILABLE));
    EXPECT_EQ(boxes.boxes()[1].text, fw::LoadResString(IDS_INVALID_CARD_NAME));
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(ViewerCard, TheViewersMenuOffersEverythingTheSlideShowsOnlyRefresh) {
    Open();
    ASSERT_TRUE(Finished());
    CSlideTree slideTree(camera->get());
    struct Case {
        CPaneTree* tree;
        UINT enabled[3];
    } cases[] = {{&viewer->tree(), {MF_ENABLED, MF_ENABLED, MF_ENABLED}}, {&slideTree, {MF_GRAYED, MF_GRAYED, MF_ENABLED}}};
    for (const Case& c : cases) {
        PopupMenu menu = c.tree->BuildContextMenu();
        ASSERT_TRUE(menu);
        HMENU popup = ::GetSubMenu(menu.get(), 0);
        const UINT ids[] = {ID_SD_CREATE_FOLDER, ID_SD_DELETE_FOLDER, ID_SD_REFRESH};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(::GetMenuState(popup, ids[i], MF_BYCOMMAND) & MF_GRAYED, c.enabled[i] & MF_GRAYED) << i;
    }
}

TEST_F(ViewerCard, RefreshReadsTheShownFolderFromTheCardAgain) {
    Open();
    ASSERT_TRUE(Finished());
    PutPictures(L"100ABCDE", 4);
    const LONG mark = RequestMark();
    viewer->tree().OnMenuCommand(ID_SD_REFRESH);
    ASSERT_TRUE(WaitUntil([&] { return !thumbnails().IsBusy() && thumbnails().Count() == 4; }));
    EXPECT_EQ(PictureRequestsSince(mark), 4);
}

}  // namespace
