// The main frame on the camera stand-in: connection state, still capture with
// its retries, and windows that close when the camera is gone.
#include <gtest/gtest.h>

#include <algorithm>

#include "AppHarness.h"
#include "CameraControlClient.h"
#include "base/ControlDialog.h"
#include "drawing/EditViewTool.h"
#include "still/ImageDoc.h"
#include "still/ImageFrame.h"
#include "still/ImageView.h"
#include "shell/MainFrame.h"
#include "Strings.h"
#include "View.h"
#include "resource.h"

namespace {

using testing_support::AppTest;
using testing_support::Caption;
using testing_support::Enabled;

std::wstring StatusText(CMainFrame* frame) {
    wchar_t text[256] = {};
    ::SendMessageW(frame->statusBar().hwnd(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

int CountContaining(const std::vector<std::string>& lines, const std::string& part) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                          [&](const std::string& l) { return l.find(part) != std::string::npos; }));
}

class CameraAppTest : public AppTest {
protected:
    bool WithCamera() const override { return true; }
    std::string CameraSettings() const override { return "[Camera]\r\nFrameRate=0\r\n"; }
    standin::CameraControlClient& camera() {
        if (!control_) control_.emplace();
        return *control_;
    }

private:
    std::optional<standin::CameraControlClient> control_;
};

class UnpluggedAtStart : public CameraAppTest {
protected:
    std::string CameraSettings() const override { return "[Camera]\r\nConnected=0\r\n"; }
};

TEST_F(UnpluggedAtStart, ReadsUnavailableUntilPluggedIn) {
    EXPECT_EQ(StatusText(mainFrame()), L"Unable to use the main unit.");
    EXPECT_FALSE(mainFrame()->deviceOpen());
    EXPECT_FALSE(Enabled(mainFrame(), ID_TOOL_STILL_CAPTURE));
    EXPECT_FALSE(Enabled(mainFrame(), ID_LIVE_START));

    ASSERT_TRUE(camera().Plug());
    PumpMessages();
    EXPECT_EQ(StatusText(mainFrame()), L"Ready");
    EXPECT_TRUE(mainFrame()->deviceOpen());
    EXPECT_TRUE(Enabled(mainFrame(), ID_TOOL_STILL_CAPTURE));
    EXPECT_TRUE(Enabled(mainFrame(), ID_LIVE_START));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(CameraAppTest, CapturesNumberTheirUntitledWindows) {
    EXPECT_EQ(StatusText(mainFrame()), L"Ready");
    Command(ID_TOOL_STILL_CAPTURE);
    Command(ID_TOOL_STILL_CAPTURE);
    ASSERT_EQ(PictureWindowCount(), 2);
    double zoom = mainFrame()->LiveScaleFactor();
    std::wstring percent = fw::Format(L" %0.0lf%%", zoom * 100);
    EXPECT_EQ(Caption(ActiveImageFrame()->hwnd()), L"Untitled-2" + percent);
    EXPECT_TRUE(ActiveImageFrame()->imageDocument()->IsModified());
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(CameraAppTest, ThreeRefusedRequestsShowOneMessage) {
    camera().RefuseRequests(3);
    Command(ID_TOOL_STILL_CAPTURE);
    auto log = LogLines();
    EXPECT_EQ(CountContaining(log, "[bRequest] function of Device control. Detailed Error Code[0x"), 3);
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(CountContaining(log, "] ErrorCount = " + std::to_string(n)), 1) << n;
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"Unable to acquire still image."});
    EXPECT_EQ(PictureWindowCount(), 0);
}

TEST_F(CameraAppTest, UnpluggedCameraIsNotAskedAgain) {
    ASSERT_TRUE(camera().Unplug());
    // As when the removal notice is still in the queue while the user clicks.
    mainFrame()->OnCommand(ID_TOOL_STILL_CAPTURE);
    auto log = LogLines();
    EXPECT_EQ(CountContaining(log, "ErrorCount = "), 1);
    EXPECT_EQ(CountContaining(log, "Because the device was a unconnection, retrying was discontinued."), 1);
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"Unable to acquire still image."});
    PumpMessages();
    EXPECT_EQ(PictureWindowCount(), 0);
    EXPECT_EQ(StatusText(mainFrame()), L"Unable to use the main unit.");
}

TEST_F(CameraAppTest, UndecodableOrEmptyPicturesShowTheStillMessage) {
    camera().CorruptFrames(1);
    Command(ID_TOOL_STILL_CAPTURE);
    camera().EmptyFrames(1);
    Command(ID_TOOL_STILL_CAPTURE);
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>(2, L"Unable to acquire still image."));
    EXPECT_EQ(CountContaining(LogLines(), "[LoadPicture()] function."), 2);
    EXPECT_EQ(PictureWindowCount(), 0);
}

TEST_F(CameraAppTest, CameraWindowsCloseOnlyAfterTheOpenMessageBox) {
    HWND cameraWindow = ::CreateWindowExW(0, L"STATIC", L"camera window", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          nullptr, nullptr);
    mainFrame()->AddCameraWindow(cameraWindow);
    CControlDialog* boxes = PictavoApp()->controlDialog();
    boxes->Increment();  // a message box is open
    ASSERT_TRUE(camera().Unplug());
    PumpMessages();
    EXPECT_FALSE(mainFrame()->deviceOpen());
    EXPECT_TRUE(::IsWindow(cameraWindow));

    boxes->Decrement();  // dismissed
    PumpMessages();
    EXPECT_FALSE(::IsWindow(cameraWindow));
}

TEST_F(CameraAppTest, CameraWindowsStayWhenTheCameraIsBackBeforeTheBoxCloses) {
    HWND cameraWindow = ::CreateWindowExW(0, L"STATIC", L"camera window", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          nullptr, nullptr);
    mainFrame()->AddCameraWindow(cameraWindow);
    CControlDialog* boxes = PictavoApp()->controlDialog();
    boxes->Increment();
    ASSERT_TRUE(camera().Unplug());
    PumpMessages();
    ASSERT_TRUE(camera().Plug());
    boxes->Decrement();
    PumpMessages();
    EXPECT_TRUE(::IsWindow(cameraWindow));
    EXPECT_TRUE(mainFrame()->deviceOpen());
    ::DestroyWindow(cameraWindow);
}

}  // namespace

namespace {

// The popup of the main window's menu that holds `id`, or null.
HMENU PopupHolding(HWND window, UINT id) {
    HMENU bar = ::GetMenu(window);
    for (int i = 0; bar && i < ::GetMenuItemCount(bar); ++i) {
        HMENU popup = ::GetSubMenu(bar, i);
        if (popup && ::GetMenuState(popup, id, MF_BYCOMMAND) != static_cast<UINT>(-1)) return popup;
    }
    return nullptr;
}

bool MenuChecked(HWND window, UINT id) {
    HMENU popup = PopupHolding(window, id);
    ::SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    return (::GetMenuState(popup, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

}  // namespace

TEST_F(CameraAppTest, DrawOpensThePaletteAndThePenDrawsOnACapture) {
    CMainFrame* main = mainFrame();
    EXPECT_FALSE(main->toolBar().IsHidden(ID_TOOL_DRAW));
    ASSERT_NE(PopupHolding(main->hwnd(), ID_TOOL_DRAW), nullptr);
    EXPECT_FALSE(MenuChecked(main->hwnd(), ID_TOOL_DRAW));

    Command(ID_TOOL_DRAW);
    CEditViewTool* palette = main->palette();
    ASSERT_TRUE(palette && palette->IsVisible());
    RECT frameRect{}, paletteRect{};
    ::GetWindowRect(main->hwnd(), &frameRect);
    ::GetWindowRect(palette->hwnd(), &paletteRect);
    EXPECT_EQ(paletteRect.right, frameRect.right - CEditViewTool::kRightInset);
    EXPECT_TRUE(MenuChecked(main->hwnd(), ID_TOOL_DRAW));
    // Owned: it stays above the main frame when that is activated.
    EXPECT_EQ(::GetWindow(palette->hwnd(), GW_OWNER), main->hwnd());

    // A capture, saved, then drawn on with the palette's pen.
    Command(ID_TOOL_STILL_CAPTURE);
    ASSERT_EQ(PictureWindowCount(), 1);
    CImageFrame* picture = ActiveImageFrame();
    testing_support::FileDialogScript dialogs({testing_support::FileDialogScript::Answer{folder / L"capture.bmp", 1}});
    Command(ID_FILE_SAVE);
    ASSERT_FALSE(picture->imageDocument()->IsModified());
    ::SendMessageW(palette->hwnd(), WM_COMMAND, MAKEWPARAM(ID_TOOL_FREE_LINE, BN_CLICKED), 0);
    EXPECT_EQ(main->currentTool(), static_cast<UINT>(ID_TOOL_FREE_LINE));
    CImageView* view = picture->imageView();
    ::SendMessageW(view->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PumpMessages();
    ::SendMessageW(view->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 80));
    ::SendMessageW(view->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(120, 80));
    ::GdiFlush();
    const double zoom = picture->imageDocument()->GetZoom();
    const POINT middle{static_cast<LONG>(65 / zoom), static_cast<LONG>(45 / zoom)};
    EXPECT_EQ(::GetPixel(view->overlayDC(), middle.x, middle.y), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(view->overlayDC(), middle.x, middle.y + 10), CImageView::kKeyColor);
    EXPECT_TRUE(picture->imageDocument()->IsModified());

    AnswerBoxesWith(IDNO);
    ::SendMessageW(picture->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_EQ(BoxTexts().size(), 1u);
    EXPECT_EQ(BoxTexts()[0].rfind(L"Save changes to the document ", 0), 0u);
    EXPECT_EQ(PictureWindowCount(), 0);

    // Draw again closes the palette and gives the pointer back to the hand.
    Command(ID_TOOL_DRAW);
    EXPECT_FALSE(palette->IsVisible());
    EXPECT_FALSE(MenuChecked(main->hwnd(), ID_TOOL_DRAW));
    EXPECT_EQ(main->currentTool(), static_cast<UINT>(ID_TOOL_HAND));
    EXPECT_TRUE(main->toolBar().IsChecked(ID_TOOL_HAND));
}
