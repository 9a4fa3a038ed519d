// Tools > Slide Show Settings and Tools > SD Viewer in the running main
// frame on the stand-in's card: the card check, a play list registered from
// the dialog, a card picture opened from the viewer, and the viewer closed
// through the main frame or by the camera's loss.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "AppHarness.h"
#include "CardAppTest.h"
#include "CameraControlClient.h"
#include "ModalScript.h"
#include "Strings.h"
#include "Wait.h"
#include "resource.h"
#include "sdview/SlideShow.h"
#include "sdview/SlideSplitFrm.h"
#include "sdview/ViewerFrame.h"
#include "shell/MainFrame.h"
#include "still/ImageDoc.h"
#include "still/ImageFrame.h"
#include "still/ImageView.h"

namespace {

using testing_support::Click;
using testing_support::FindDialogWith;
using testing_support::ModalScript;
using testing_support::WaitUntil;

class ShellSdView : public testing_support::CardAppTest {
protected:
    void SetUp() override {
        CardAppTest::SetUp();
        picture = testing_support::ReadFileBytes(WriteJpeg(L"photo.jpg", 640, 480));
        testing_support::WriteFileBytes(folder / L"SDCard\\DCIM\\100ABCDE\\IMAG0001.JPG", picture);
    }
    CViewerFrame* OpenViewer() {
        Command(ID_SD_VIEWER);
        CViewerFrame* viewer = mainFrame()->viewer();
        if (viewer)
            WaitUntil([&] { return viewer->thumbnails().Count() == 1 && !viewer->thumbnails().IsBusy(); });
        return viewer;
    }

    std::string picture;
};

TEST_F(ShellSdView, BothToolsEntriesCheckTheCardFirst) {
    EXPECT_EQ(ToolsItemText(ID_SD_PLAY_LIST), L"Sl&ide Show Settings...");
    EXPECT_EQ(ToolsItemText(ID_SD_VIEWER), L"SD &Viewer...");
    EXPECT_TRUE(testing_support::Enabled(mainFrame(), ID_SD_PLAY_LIST));
    ASSERT_TRUE(standin::CameraControlClient().RemoveCard());
    Command(ID_SD_PLAY_LIST);
    Command(ID_SD_VIEWER);
    const std::wstring noCard = fw::LoadResString(IDS_SD_NOT_INSERTED);
    EXPECT_EQ(BoxTexts(), (std::vector<std::wstring>{noCard, noCard}));
    EXPECT_EQ(mainFrame()->viewer(), nullptr);
    EXPECT_EQ(FindDialogWith(IDC_PLAY_ORDER), nullptr);
}

TEST_F(ShellSdView, APlayListComposedInTheDialogArrivesOnTheCard) {
    ModalScript script({[&] {
                            CSlideShow* dialog = mainFrame()->slideShow();
                            if (!dialog || !dialog->contents()) return false;
                            CThumbnailList& thumbnails = dialog->contents()->thumbnails();
                            if (thumbnails.Count() != 1 || thumbnails.IsBusy()) return false;
                            thumbnails.SelectOnly(0);
                            Click(dialog->hwnd(), IDC_SLIDE_ADD);
                            return true;
                        },
                        [&] {
                            CSlideShow* dialog = mainFrame()->slideShow();
                            if (dialog->playList().Count() != 1) return false;
                            Click(dialog->hwnd(), IDOK);
                            return true;
                        }});
    Command(ID_SD_PLAY_LIST);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(mainFrame()->slideShow(), nullptr);
    EXPECT_EQ(testing_support::ReadFileBytes(folder / L"SDCard\\PLAYLIST.TXT"),
              "C:\\DCIM\\100ABCDE\\IMAG0001.JPG,SE20,SI0\r\n");
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ShellSdView, TheViewerOpensACardPictureAsAnUnsavedStillAndClosesThroughTheMainFrame) {
    CViewerFrame* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    ASSERT_EQ(viewer->thumbnails().Count(), 1);
    for (UINT id : {ID_TOOL_STILL_CAPTURE, ID_TOOL_REMOTE_CONTROL, ID_SD_TRANSFER, ID_SD_PLAY_LIST, ID_SD_VIEWER})
        EXPECT_FALSE(testing_support::Enabled(mainFrame(), id)) << id;

    viewer->OpenPicture(viewer->thumbnails().ItemData(0)->cardPath);
    ASSERT_TRUE(WaitUntil([&] { return ActiveImageView() != nullptr; }));
    EXPECT_NE(testing_support::Caption(ActiveImageFrame()->hwnd()).find(L"IMAG0001.JPG"), std::wstring::npos);
    EXPECT_TRUE(ActiveImageView()->GetDocument()->IsModified());

    ::SendMessageW(viewer->hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return mainFrame()->viewer() == nullptr; }));
    EXPECT_TRUE(testing_support::Enabled(mainFrame(), ID_TOOL_STILL_CAPTURE));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ShellSdView, UnpluggingTheCameraClosesTheViewerAndEndsThePlayListDialog) {
    ASSERT_NE(OpenViewer(), nullptr);
    ASSERT_TRUE(standin::CameraControlClient().Unplug());
    EXPECT_TRUE(WaitUntil([&] { return mainFrame()->viewer() == nullptr; }));
    EXPECT_EQ(::FindWindowW(CViewerFrame::kClassName, nullptr), nullptr);

    ASSERT_TRUE(standin::CameraControlClient().Plug());
    ASSERT_TRUE(WaitUntil([&] { return mainFrame()->deviceOpen(); }));
    bool unplugged = false;
    ModalScript script({[&] {
        if (!FindDialogWith(IDC_PLAY_ORDER)) return false;
        unplugged = standin::CameraControlClient().Unplug();
        return true;
    }});
    Command(ID_SD_PLAY_LIST);
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(unplugged);
    EXPECT_EQ(FindDialogWith(IDC_PLAY_ORDER), nullptr);
}

}  // namespace
