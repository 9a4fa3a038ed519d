#include <gtest/gtest.h>

#include "FrameHarness.h"
#include "ScrollMath.h"

using namespace testing_support;

TEST(ScrollBarsNeeded, OnlyWhereContentExceedsTheArea) {
    const SIZE client{300, 200}, bars{17, 17};
    struct Case {
        SIZE content;
        bool h, v;
    } cases[] = {
        {{300, 200}, false, false},  // exactly as large: no bar
        {{301, 100}, true, false},
        {{100, 201}, false, true},
        {{290, 190}, false, false},
        {{301, 190}, true, true},  // the horizontal bar hides the last rows
        {{1000, 800}, true, true},
    };
    for (const Case& c : cases) {
        fw::ScrollBarNeeds n = fw::DecideScrollBars(c.content, client, bars);
        EXPECT_EQ(n.horizontal, c.h) << c.content.cx << "x" << c.content.cy;
        EXPECT_EQ(n.vertical, c.v) << c.content.cx << "x" << c.content.cy;
    }
}

TEST(ScrollPosition, StaysWithinTheRangeAndTakesThe32BitThumb) {
    SCROLLINFO si{};
    si.nMin = 0;
    si.nMax = 99999;
    si.nPage = 300;
    si.nPos = 1000;
    si.nTrackPos = 70000;
    const int greatest = 99999 - 300 + 1;
    struct Case {
        int code, pos, expected;
    } cases[] = {{SB_LINEDOWN, 1000, 1010},       {SB_LINEUP, 5, 0},
                 {SB_PAGEDOWN, 1000, 1300},       {SB_PAGEDOWN, greatest - 1, greatest},
                 {SB_LINEDOWN, greatest, greatest}, {SB_THUMBTRACK, 1000, 70000},
                 {SB_TOP, 1000, 0},               {SB_BOTTOM, 1000, greatest},
                 {SB_ENDSCROLL, 1000, 1000}};
    for (const Case& c : cases) {
        si.nPos = c.pos;
        EXPECT_EQ(fw::NextScrollPosition(c.code, si, 10, 300), c.expected) << "code " << c.code;
    }
}

using ScrollViewWindow = FrameTest;

TEST_F(ScrollViewWindow, BarsFollowTheContentAndScrollingMovesThePosition) {
    auto opened = Open();
    TestView* view = ViewOf(opened);
    ::ShowWindow(opened.frame->hwnd(), SW_MAXIMIZE);
    PumpMessages();
    RECT rc;
    ::GetClientRect(view->hwnd(), &rc);

    view->SetScrollSizes(SIZE{rc.right / 2, rc.bottom / 2});
    LONG style = ::GetWindowLongW(view->hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));

    view->SetScrollSizes(SIZE{5000, 4000});
    style = ::GetWindowLongW(view->hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
    ::GetClientRect(view->hwnd(), &rc);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(view->hwnd(), SB_HORZ, &si));
    EXPECT_EQ(si.nMax, 4999);
    EXPECT_EQ(static_cast<LONG>(si.nPage), rc.right);

    ::SendMessageW(view->hwnd(), WM_HSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(view->scrollPosition().x, rc.right);
    ::SendMessageW(view->hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(view->scrollPosition().y, 4000 - rc.bottom);

    // Shrinking the content pulls the position back inside.
    view->SetScrollSizes(SIZE{5000, rc.bottom + 10});
    EXPECT_LE(view->scrollPosition().y, 10 + ::GetSystemMetrics(SM_CYHSCROLL));
}
