// The main window's caption and status bar on the camera stand-in: the
// caption names the active picture, the status bar prompts for menu items.
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "Wait.h"
#include "Strings.h"
#include "shell/MainFrame.h"
#include "resource.h"

namespace {

using testing_support::AppTest;
using testing_support::Caption;
using testing_support::FileDialogScript;
using Answer = FileDialogScript::Answer;

constexpr const wchar_t* kTitle = L"Pictavo for Presentation";

class CaptionTest : public AppTest {
protected:
    bool WithCamera() const override { return true; }
    std::string CameraSettings() const override { return "[Camera]\r\nFrameRate=0\r\n"; }
    std::wstring MainCaption() const { return Caption(mainFrame()->hwnd()); }
    std::wstring Status() const { return mainFrame()->statusBar().Text(0); }
    // As the system reports a highlighted item of the main frame's menu, then the menu's end.
    void Highlight(UINT id) {
        HMENU menu = ::GetMenu(mainFrame()->hwnd());
        ::SendMessageW(mainFrame()->hwnd(), WM_MENUSELECT, MAKEWPARAM(id, MF_HILITE | MF_MOUSESELECT),
                       reinterpret_cast<LPARAM>(menu));
    }
    void CloseMenu() {
        ::SendMessageW(mainFrame()->hwnd(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        ::SendMessageW(mainFrame()->hwnd(), WM_EXITMENULOOP, FALSE, 0);
    }
};

class UnpluggedCaptionTest : public CaptionTest {
protected:
    std::string CameraSettings() const override { return "[Camera]\r\nConnected=0\r\n"; }
};

TEST_F(CaptionTest, NamesTheActivePictureOrLiveMonitor) {
    EXPECT_EQ(MainCaption(), kTitle);
    Command(ID_TOOL_STILL_CAPTURE);
    HWND first = mainFrame()->ActiveChild();
    EXPECT_EQ(MainCaption(), std::wstring(kTitle) + L" - Untitled-1");

    Command(ID_LIVE_START);
    ASSERT_NE(mainFrame()->liveFrame(), nullptr);
    EXPECT_EQ(MainCaption(), std::wstring(kTitle) + L" - Live Monitor");

    ::SendMessageW(mainFrame()->mdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    PumpMessages();
    EXPECT_EQ(MainCaption(), std::wstring(kTitle) + L" - Untitled-1");

    FileDialogScript dialogs({Answer{folder / L"desk.jpg"}});
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(MainCaption(), std::wstring(kTitle) + L" - desk.jpg");

    Command(ID_FILE_ALL_CLOSE);
    Command(ID_FILE_ALL_CLOSE);
    EXPECT_TRUE(testing_support::WaitUntil([&] { return mainFrame()->ActiveChild() == nullptr; }));
    EXPECT_EQ(MainCaption(), kTitle);
}

TEST_F(CaptionTest, MenuItemsPromptInTheStatusBarUntilTheMenuCloses) {
    struct Case {
        UINT id;
        const wchar_t* prompt;
    } cases[] = {{ID_TOOL_STILL_CAPTURE, L"Capture a still picture from the camera"},
                 {ID_FILE_OPEN, L"Open a JPEG or BMP picture"}};
    EXPECT_EQ(Status(), L"Ready");
    for (const Case& c : cases) {
        Highlight(c.id);
        EXPECT_EQ(Status(), c.prompt) << c.id;
    }
    CloseMenu();
    EXPECT_EQ(Status(), L"Ready");
}

TEST_F(UnpluggedCaptionTest, ClosedMenuShowsTheCameraIsUnusable) {
    EXPECT_EQ(Status(), L"Unable to use the main unit.");
    Highlight(ID_FILE_OPEN);
    EXPECT_EQ(Status(), L"Open a JPEG or BMP picture");
    CloseMenu();
    EXPECT_EQ(Status(), L"Unable to use the main unit.");
}

TEST_F(CaptionTest, StatusPaneIsAsWideAsItsRunOfBlanks) {
    fw::StatusBar& status = mainFrame()->statusBar();
    const int blanks = status.TextWidth(fw::LoadResString(IDS_STATUS_PANE));
    RECT pane{}, bar{};
    ::SendMessageW(status.hwnd(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane));
    ::GetClientRect(status.hwnd(), &bar);
    EXPECT_EQ(::SendMessageW(status.hwnd(), SB_GETPARTS, 0, 0), 1);
    EXPECT_GE(pane.right - pane.left, blanks);
    EXPECT_LE(pane.right - pane.left, blanks + 24);
}

}  // namespace
