#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "FrameHarness.h"
#include "ToolBar.h"

using namespace testing_support;

namespace {
constexpr UINT kHand = 300, kSelect = 301, kDraw = 302, kStart = 303;
// String-table entries of the program: one with a newline, one without.
constexpr UINT kWithNewline = 148, kPlain = 133;

class ToolBarFrame : public FrameTest {
protected:
    std::vector<fw::ToolButton> Buttons() const override {
        return {fw::ToolButton::Group(kHand), fw::ToolButton::Group(kSelect), fw::ToolButton::Separator(),
                fw::ToolButton::Check(kDraw),  fw::ToolButton::Push(kStart),   fw::ToolButton::Push(kWithNewline),
                fw::ToolButton::Push(kPlain)};
    }

    std::wstring ToolTip(UINT id) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = reinterpret_cast<HWND>(::SendMessageW(frame->toolBar().hwnd(), TB_GETTOOLTIPS, 0, 0));
        info.hdr.idFrom = id;
        info.hdr.code = TTN_GETDISPINFOW;
        ::SendMessageW(frame->hwnd(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
        return info.lpszText ? info.lpszText : L"";
    }
};
}  // namespace

TEST(ToolTipText, IsThePartAfterTheNewline) {
    struct Case {
        const wchar_t* command;
        const wchar_t* tip;
    } cases[] = {{L"Open a picture file\nOpen", L"Open"}, {L"Open", L"Open"}, {L"", L""}, {L"Prompt\n", L""}};
    for (const Case& c : cases) EXPECT_EQ(fw::ToolTipFromCommandString(c.command), c.tip) << c.command;
}

TEST_F(ToolBarFrame, IdleRefreshAppliesTheUpdateQueryToTheButtons) {
    fw::CommandState checked;
    checked.checked = true;
    fw::CommandState disabled;
    disabled.enabled = false;
    frame->stage.states = {{kHand, checked}, {kSelect, {}}, {kStart, disabled}};  // kDraw: nobody
    app.quitWhenIdle = true;
    EXPECT_EQ(app.Run(SW_SHOW), 0);
    EXPECT_GE(app.idleCalls, 1);

    fw::ToolBar& bar = frame->toolBar();
    EXPECT_TRUE(bar.IsChecked(kHand));
    EXPECT_TRUE(bar.IsEnabled(kSelect));
    EXPECT_FALSE(bar.IsEnabled(kDraw));
    EXPECT_FALSE(bar.IsEnabled(kStart));
}

TEST_F(ToolBarFrame, AClickOnAButtonIsRoutedAsItsCommand) {
    frame->stage.states = {{kStart, {}}};
    HWND bar = frame->toolBar().hwnd();
    RECT button{};
    ASSERT_TRUE(::SendMessageW(bar, TB_GETRECT, kStart, reinterpret_cast<LPARAM>(&button)));
    ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(button));
    ::SendMessageW(bar, WM_LBUTTONUP, 0, CentreOf(button));
    EXPECT_TRUE(PumpUntil([&] { return !trail.empty(); }));
    EXPECT_EQ(trail, Trail{"main"});
}

TEST_F(ToolBarFrame, CheckingAGroupButtonReleasesItsPartner) {
    fw::ToolBar& bar = frame->toolBar();
    bar.SetChecked(kHand, true);
    bar.SetChecked(kSelect, true);
    EXPECT_TRUE(bar.IsChecked(kSelect));
    EXPECT_FALSE(bar.IsChecked(kHand));
    // A plain check button is no part of the group.
    bar.SetChecked(kDraw, true);
    EXPECT_TRUE(bar.IsChecked(kSelect));
}

TEST_F(ToolBarFrame, ToolTipsComeFromTheCommandStrings) {
    EXPECT_EQ(ToolTip(kWithNewline), L"Create Folder?");
    EXPECT_EQ(ToolTip(kPlain), L"An internal error had occurred.");
}

TEST_F(ToolBarFrame, ChildAreaLiesBetweenToolBarAndStatusBar) {
    RECT client, bar, status, mdi;
    ::GetClientRect(frame->hwnd(), &client);
    ::GetWindowRect(frame->toolBar().bar(), &bar);
    ::GetWindowRect(frame->statusBar().hwnd(), &status);
    ::GetWindowRect(frame->mdiClient(), &mdi);
    ::MapWindowPoints(nullptr, frame->hwnd(), reinterpret_cast<POINT*>(&mdi), 2);
    RECT area = frame->ChildArea();
    EXPECT_EQ(area.top, bar.bottom - bar.top);
    EXPECT_EQ(area.bottom, client.bottom - (status.bottom - status.top));
    EXPECT_TRUE(::EqualRect(&area, &mdi));

    frame->statusBar().SetText(0, L"Ready", SBT_NOBORDERS);
    EXPECT_EQ(frame->statusBar().Text(0), L"Ready");
}

TEST_F(ToolBarFrame, SitsInABandWithAGripperAcrossTheFrame) {
    HWND rebar = frame->toolBar().bar();
    ASSERT_EQ(::SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0), 1);
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD;
    ASSERT_TRUE(::SendMessageW(rebar, RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band)));
    EXPECT_TRUE(band.fStyle & RBBS_GRIPPERALWAYS);
    EXPECT_EQ(band.hwndChild, frame->toolBar().hwnd());
    // The gripper takes room left of the buttons.
    RECT buttons{};
    ::GetWindowRect(frame->toolBar().hwnd(), &buttons);
    ::MapWindowPoints(nullptr, rebar, reinterpret_cast<POINT*>(&buttons), 2);
    EXPECT_GE(buttons.left, 6);

    ::SetWindowPos(frame->hwnd(), nullptr, 0, 0, 1000, 600, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    RECT client{}, bar{};
    ::GetClientRect(frame->hwnd(), &client);
    ::GetWindowRect(rebar, &bar);
    EXPECT_EQ(bar.right - bar.left, client.right);
}

TEST_F(ToolBarFrame, PointingAtAButtonShowsItsPromptUntilTheMouseLeaves) {
    frame->SetIdleMessage(L"Ready");
    HWND bar = frame->toolBar().hwnd();
    RECT button{};
    ASSERT_TRUE(::SendMessageW(bar, TB_GETRECT, kWithNewline, reinterpret_cast<LPARAM>(&button)));
    ::SendMessageW(bar, WM_MOUSEMOVE, 0, CentreOf(button));
    EXPECT_EQ(frame->statusBar().Text(0), L"The specified destination folder does not exist.");
    ::SendMessageW(bar, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return frame->statusBar().Text(0) == L"Ready"; }));
}
