#include <gtest/gtest.h>

#include "ScrollMath.h"

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
