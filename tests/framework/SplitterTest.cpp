#include <gtest/gtest.h>

#include "FrameHarness.h"
#include "Splitter.h"

using namespace testing_support;

TEST(ClampSplit, KeepsBothMinimumsAndTheFirstWhenBothCannot) {
    struct Case {
        int wanted, extent, expected;
    } cases[] = {{100, 400, 100}, {10, 400, 50}, {390, 400, 314}, {200, 100, 50}, {-20, 0, 50}};
    for (const Case& c : cases)
        EXPECT_EQ(fw::ClampSplit(c.wanted, c.extent, 6, 50, 80), c.expected) << c.wanted << " in " << c.extent;
    EXPECT_EQ(fw::ClampSplit(-20, 0, 6, 0, 80), 0);
}

TEST(Splitter, TheBarFollowsADragAndAResizeKeepsTheProportion) {
    ControlHost host;
    ASSERT_TRUE(host.Create(900, 400));
    fw::Splitter split;
    ASSERT_TRUE(split.Create(host.hwnd(), RECT{0, 0, 400, 300}));
    HWND panes[2];
    for (HWND& pane : panes)
        pane = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, split.hwnd(), nullptr, nullptr, nullptr);
    split.SetPanes(panes[0], panes[1]);
    split.SetBarWidth(6);
    split.SetMinimumWidths(50, 80);
    split.SetPosition(100);
    std::vector<int> moved;
    split.onMoved = [&](int position) { moved.push_back(position); };
    auto width = [](HWND pane) {
        RECT r;
        ::GetWindowRect(pane, &r);
        return r.right - r.left;
    };
    auto mouse = [&](UINT msg, int x) { ::SendMessageW(split.hwnd(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 40)); };
    EXPECT_EQ(width(panes[0]), 100);
    EXPECT_EQ(width(panes[1]), 294);

    mouse(WM_LBUTTONDOWN, 103);  // held 3 pixels into the bar
    mouse(WM_MOUSEMOVE, 203);
    EXPECT_EQ(split.position(), 200);
    EXPECT_EQ(width(panes[1]), 194);
    mouse(WM_MOUSEMOVE, 390);  // the second pane keeps its minimum
    mouse(WM_LBUTTONUP, 390);
    mouse(WM_MOUSEMOVE, 250);  // no drag any more
    EXPECT_EQ(split.position(), 314);
    EXPECT_EQ(moved, std::vector<int>{314});

    ::MoveWindow(split.hwnd(), 0, 0, 800, 300, TRUE);
    EXPECT_EQ(split.position(), 633);  // 314 of 394 is 633 of 794
    EXPECT_EQ(width(panes[1]), 800 - 633 - 6);
    split.SetKeep(fw::Splitter::Keep::FirstWidth);
    split.SetPosition(120);
    ::MoveWindow(split.hwnd(), 0, 0, 500, 300, TRUE);
    EXPECT_EQ(split.position(), 120);
    ::MoveWindow(split.hwnd(), 0, 0, 100, 300, TRUE);
    EXPECT_EQ(split.position(), 50);
}
