// The MDI frame as a user sees it: a caption naming the active document and
// a status bar that prompts for the menu item pointed at.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "FrameHarness.h"

using namespace testing_support;

namespace {
// String-table entries of the program: one with a newline, one without.
constexpr UINT kWithNewline = 148, kPlain = 133;
constexpr UINT kNoString = 100;  // "Alpha" of the test menu

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

class FrameCaption : public FrameTest {
protected:
    std::wstring Caption() const { return TextOf(frame->hwnd()); }
    // As a child frame tells of a new name: document title first, caption next.
    void Rename(const fw::DocTemplate::Opened& o, const wchar_t* title) {
        o.document->SetTitle(title);
        ::SetWindowTextW(o.frame->hwnd(), title);
        PumpMessages();
    }
    void Client(UINT msg, const fw::DocTemplate::Opened& o) {
        ::SendMessageW(frame->mdiClient(), msg, reinterpret_cast<WPARAM>(o.frame->hwnd()), 0);
        PumpMessages();
    }
};

using FrameStatus = FrameTest;

RECT PaneRect(fw::StatusBar& status) {
    RECT pane{};
    ::SendMessageW(status.hwnd(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane));
    return pane;
}
}  // namespace

TEST_F(FrameCaption, NamesTheActiveDocumentThroughActivationMaximisingAndClosing) {
    EXPECT_EQ(Caption(), L"Test");
    auto hidden = Open(/*visible=*/false);
    EXPECT_EQ(Caption(), L"Test");  // not shown yet, so not active
    hidden.frame->Show();
    PumpMessages();
    EXPECT_EQ(Caption(), L"Test - Picture");  // untitled: the template's document name
    Rename(hidden, L"first.jpg");
    EXPECT_EQ(Caption(), L"Test - first.jpg");

    auto second = Open();
    Rename(second, L"second.jpg");
    EXPECT_EQ(Caption(), L"Test - second.jpg");
    Client(WM_MDIACTIVATE, hidden);
    EXPECT_EQ(Caption(), L"Test - first.jpg");

    // Maximised, the system shows the child's caption after the title itself.
    Client(WM_MDIMAXIMIZE, hidden);
    EXPECT_EQ(Caption(), L"Test - [first.jpg]");
    Client(WM_MDIRESTORE, hidden);
    EXPECT_EQ(Caption(), L"Test - first.jpg");

    ::SendMessageW(hidden.frame->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(Caption(), L"Test - second.jpg");
    ::SendMessageW(second.frame->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(Caption(), L"Test");
}

TEST_F(FrameStatus, MenuPromptsShowWhileAnItemIsHighlightedAndTheIdleTextAfter) {
    frame->SetIdleMessage(L"Ready");
    HMENU menu = ::GetMenu(frame->hwnd());
    HMENU file = ::GetSubMenu(menu, TestFrame::kFileMenu);
    HMENU system = ::GetSystemMenu(frame->hwnd(), FALSE);
    const UINT hilite = MF_HILITE | MF_MOUSESELECT;
    struct Case {
        const char* what;
        WPARAM wParam;
        HMENU menu;
        const wchar_t* status;
    } cases[] = {
        {"command", MAKEWPARAM(kWithNewline, hilite), file, L"The specified destination folder does not exist."},
        {"command without tool tip", MAKEWPARAM(kPlain, hilite), file, L"An internal error had occurred."},
        {"command without string", MAKEWPARAM(kNoString, hilite), file, L""},
        {"popup", MAKEWPARAM(TestFrame::kFileMenu, hilite | MF_POPUP), menu, L""},
        {"system menu", MAKEWPARAM(SC_CLOSE, hilite | MF_SYSMENU), system, L""},
        {"closed", MAKEWPARAM(0, 0xFFFF), nullptr, L"Ready"},
    };
    for (const Case& c : cases) {
        ::SendMessageW(frame->hwnd(), WM_MENUSELECT, c.wParam, reinterpret_cast<LPARAM>(c.menu));
        EXPECT_EQ(frame->statusBar().Text(0), c.status) << c.what;
    }

    // A new idle text while the menu is open waits for the menu to close.
    ::SendMessageW(frame->hwnd(), WM_MENUSELECT, MAKEWPARAM(kPlain, hilite), reinterpret_cast<LPARAM>(file));
    frame->SetIdleMessage(L"Unable to use the main unit.");
    EXPECT_EQ(frame->statusBar().Text(0), L"An internal error had occurred.");
    ::SendMessageW(frame->hwnd(), WM_EXITMENULOOP, FALSE, 0);
    EXPECT_EQ(frame->statusBar().Text(0), L"Unable to use the main unit.");
}

TEST_F(FrameStatus, MessagePaneTakesTheWidthOfItsSampleText) {
    fw::StatusBar& status = frame->statusBar();
    RECT client{};
    ::GetClientRect(status.hwnd(), &client);
    EXPECT_GT(PaneRect(status).right, client.right / 2);  // no sample: the whole bar

    const std::wstring blanks(80, L' ');
    status.SizeMessagePaneTo(blanks);
    const int text = status.TextWidth(blanks);
    ASSERT_GT(text, 0);
    RECT pane = PaneRect(status);
    EXPECT_GE(pane.right - pane.left, text);
    EXPECT_LE(pane.right - pane.left, text + 24);
    EXPECT_EQ(::SendMessageW(status.hwnd(), SB_GETPARTS, 0, 0), 1);

    // A wider frame leaves the pane as it was.
    ::SetWindowPos(frame->hwnd(), nullptr, 0, 0, 1000, 600, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    EXPECT_EQ(PaneRect(status).right, pane.right);
}
