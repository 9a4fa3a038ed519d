// What reaches the screen of a live frame, read back from the screen: at
// 100 % exactly the decoded frame wherever the view is scrolled; at 50 % and
// full screen within a small tolerance of the full-size frame scaled here.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "JpegDecoder.h"
#include "LiveWindowFixture.h"
#include "picture/FullScreenWnd.h"
#include "resource.h"

using namespace live_testing;
using picture_fixtures::Pixels;

namespace {

Pixels DecodeFullSize(const std::string& jpeg) {
    HBITMAP bitmap = nullptr;
    device::DecodeJpegToDib(device::JpegInput{nullptr, nullptr, jpeg.data(), jpeg.size()}, 0, 1, &bitmap, nullptr);
    fw::GdiObject owner(bitmap);
    return picture_fixtures::DibPixels(bitmap);
}

// `frame` reduced by 2 in each direction, each pixel the mean of four.
Pixels HalveByAveraging(const Pixels& frame) {
    Pixels half;
    half.width = frame.width / 2;
    half.height = frame.height / 2;
    half.bgr.resize(static_cast<size_t>(half.width) * half.height * 3);
    for (int y = 0; y < half.height; ++y)
        for (int x = 0; x < half.width; ++x)
            for (int c = 0; c < 3; ++c) {
                const int sum = frame.at(2 * x, 2 * y)[c] + frame.at(2 * x + 1, 2 * y)[c] +
                                frame.at(2 * x, 2 * y + 1)[c] + frame.at(2 * x + 1, 2 * y + 1)[c];
                half.bgr[(static_cast<size_t>(y) * half.width + x) * 3 + c] = static_cast<BYTE>((sum + 2) / 4);
            }
    return half;
}

// The largest channel difference between `shown` and the nearest of the
// source pixels around where `target` maps (x, y) of the screen into `frame`:
// rounding may pick a neighbour, nothing else may differ.
int DifferenceFromNearest(const Pixels& shown, const Pixels& frame, const RECT& target, int x, int y) {
    const int sx = (x - target.left) * frame.width / (target.right - target.left);
    const int sy = (y - target.top) * frame.height / (target.bottom - target.top);
    int best = 255;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int fx = std::clamp(sx + dx, 0, frame.width - 1), fy = std::clamp(sy + dy, 0, frame.height - 1);
            int worst = 0;
            for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(shown.at(x, y)[c] - frame.at(fx, fy)[c]));
            best = std::min(best, worst);
        }
    return best;
}

class LivePixelsTest : public LiveWindowTest {
protected:
    // The frame's whole picture in view, or as much as the client area holds at `scroll`.
    void ExpectShownExactly(const Pixels& decoded) {
        const Pixels shown = ShownPixels(view_->hwnd());
        const POINT at = Scroll();
        const int width = std::min(shown.width, decoded.width - static_cast<int>(at.x));
        const int height = std::min(shown.height, decoded.height - static_cast<int>(at.y));
        ASSERT_GT(width, 0);
        ASSERT_GT(height, 0);
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (ColourAt(shown, x, y) != ColourAt(decoded, x + at.x, y + at.y)) ++wrong;
        EXPECT_EQ(wrong, 0) << "scrolled to " << at.x << ", " << at.y;
    }
};

TEST_F(LivePixelsTest, AtActualSizeTheScreenShowsTheDecodedFrameWhereverScrolled) {
    Command(ID_LIVE_SCALE_100);
    ASSERT_NE(OpenLive(), nullptr);
    view_->SetDecodeScale(1);
    Feed(1024, 768);
    // Smaller than the frame, so that both bars scroll.
    ::SetWindowPos(frame_->hwnd(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    const Pixels decoded = Decoded();
    ASSERT_EQ(decoded.width, 1024);
    ExpectShownExactly(decoded);

    struct Step {
        UINT horizontal, vertical;
    } steps[] = {{SB_PAGEDOWN, SB_LINEDOWN}, {SB_PAGEDOWN, SB_PAGEDOWN}, {SB_PAGEDOWN, SB_PAGEDOWN}};
    for (const Step& step : steps) {
        ::SendMessageW(view_->hwnd(), WM_HSCROLL, step.horizontal, 0);
        ::SendMessageW(view_->hwnd(), WM_VSCROLL, step.vertical, 0);
        PumpMessages();
        ExpectShownExactly(decoded);
    }
    EXPECT_GT(Scroll().x, 0);
    EXPECT_GT(Scroll().y, 0);
}

TEST_F(LivePixelsTest, AtHalfSizeTheScreenShowsTheFrameHalvedWithinASmallTolerance) {
    ASSERT_NE(OpenLive(), nullptr);
    view_->SetDecodeScale(2);
    Feed(1024, 768);
    const Pixels decoded = Decoded();
    ExpectShownExactly(decoded);
    const Pixels reference = HalveByAveraging(DecodeFullSize(picture_fixtures::MakeJpeg(1024, 768)));
    const Pixels shown = ShownPixels(view_->hwnd());
    ASSERT_EQ(shown.width, reference.width);
    ASSERT_EQ(shown.height, reference.height);
    EXPECT_LT(picture_fixtures::MeanDifference(shown, reference), 2.0);
}

TEST_F(LivePixelsTest, FullScreenShowsTheFrameScaledToTheScreenBetweenBlackBars) {
    ASSERT_NE(OpenLive(), nullptr);
    Command(ID_VIEW_FULL_SCREEN);
    HWND full = testing_support::FindFullScreenWindow();
    ASSERT_NE(full, nullptr);
    Feed(1024, 768);
    ASSERT_TRUE(testing_support::WaitUntil([&] { return view_->livePicture().frameOnScreen() ==
                                                        view_->livePicture().framesDrawn(); }));

    const Pixels frame = Decoded();
    ASSERT_EQ(frame.width, 1024);
    const SIZE screen = ClientSize(full);
    const RECT target = PlaceFullScreen(screen.cx, screen.cy, frame.width, frame.height).target;
    const Pixels shown = ShownPixels(full);
    int worst = 0;
    for (int y = target.top; y < target.bottom; y += 3)
        for (int x = target.left; x < target.right; x += 3)
            worst = std::max(worst, DifferenceFromNearest(shown, frame, target, x, y));
    EXPECT_LE(worst, 2);
    for (int y : {0, static_cast<int>(target.top) - 1, static_cast<int>(target.bottom), static_cast<int>(screen.cy) - 1}) {
        if (y < 0 || y >= screen.cy || (y >= target.top && y < target.bottom)) continue;
        EXPECT_TRUE(picture_fixtures::IsBlackRow(shown, y)) << y;
    }
    ::SendMessageW(full, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
}

}  // namespace
