// The live monitor's window on the real main frame, with frames handed to the
// view on the test thread, so nothing here depends on the camera threads.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "live/AnimeDoc.h"
#include "live/AnimeFrame.h"
#include "live/AnimeView.h"
#include "AppHarness.h"
#include "DocTemplate.h"
#include "picture/FullScreenWnd.h"
#include "shell/MainFrame.h"
#include "shell/PictavoApp.h"
#include "PictureFixtures.h"
#include "picture/ViewData.h"
#include "resource.h"
#include "Wait.h"
#include "LiveWindowFixture.h"

using namespace testing_support;
using namespace live_testing;

namespace {

TEST_F(LiveWindowTest, OpensAtTheLiveZoomAndKeepsThatSizeForItsFrames) {
    struct Case {
        UINT scaleCommand;
        int denominator;
        const wchar_t* caption;
    } cases[] = {
        {ID_LIVE_SCALE_50, 2, L"Live Monitor 512x384 100%"},
        {ID_LIVE_SCALE_25, 4, L"Live Monitor 256x192 100%"},
    };
    for (const Case& c : cases) {
        Command(c.scaleCommand);
        ASSERT_NE(OpenLive(), nullptr);
        const SIZE client{1024 / c.denominator, 768 / c.denominator};
        view_->SetDecodeScale(c.denominator);  // as starting the threads does
        EXPECT_EQ(ClientSize(view_->hwnd()).cx, client.cx) << c.denominator;
        EXPECT_EQ(ClientSize(view_->hwnd()).cy, client.cy) << c.denominator;
        EXPECT_EQ(Caption(frame_->hwnd()), c.caption);
        EXPECT_EQ(frame_->animeDocument()->title(), L"Live Monitor");

        int outcome = -1;
        EXPECT_EQ(Feed(1024, 768, &outcome), 1);
        EXPECT_EQ(outcome, ILiveFrameSink::kShown);
        // Decoded already reduced, and exactly as large as the client: no bars.
        EXPECT_EQ(Picture().cx, client.cx);
        EXPECT_EQ(Picture().cy, client.cy);
        EXPECT_EQ(ClientSize(view_->hwnd()).cx, client.cx);
        EXPECT_FALSE(HasBar(view_->hwnd(), WS_HSCROLL));
        EXPECT_FALSE(HasBar(view_->hwnd(), WS_VSCROLL));
        EXPECT_EQ(Caption(frame_->hwnd()), c.caption);
        ::SendMessageW(frame_->hwnd(), WM_CLOSE, 0, 0);
        PumpMessages();
    }
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(LiveWindowTest, SwitchingTheLiveZoomResizesTheWindowAtOnce) {
    ASSERT_NE(OpenLive(), nullptr);
    // Before any frame the camera's picture size decides.
    Command(ID_LIVE_SCALE_100);
    frame_->SetLiveScale(1);
    EXPECT_EQ(ClientSize(view_->hwnd()).cx, 1024);
    EXPECT_EQ(ClientSize(view_->hwnd()).cy, 768);
    EXPECT_EQ(Caption(frame_->hwnd()), L"Live Monitor 1024x768 100%");

    Command(ID_LIVE_SCALE_50);
    frame_->SetLiveScale(2);
    Feed(1024, 768);
    view_->SetDisplayZoom(2.0);
    Command(ID_LIVE_SCALE_25);
    frame_->SetLiveScale(4);
    // The window follows before the next frame; the display zoom starts over.
    EXPECT_EQ(ClientSize(view_->hwnd()).cx, 256);
    EXPECT_EQ(ClientSize(view_->hwnd()).cy, 192);
    EXPECT_EQ(Caption(frame_->hwnd()), L"Live Monitor 256x192 100%");
    EXPECT_DOUBLE_EQ(view_->GetDisplayZoom(), 1.0);
    EXPECT_EQ(view_->decodeScale(), 4);

    Feed(1024, 768);
    EXPECT_EQ(Picture().cx, 256);
    EXPECT_EQ(ClientSize(view_->hwnd()).cx, 256);
    EXPECT_EQ(Caption(frame_->hwnd()), L"Live Monitor 256x192 100%");
}

TEST_F(LiveWindowTest, ZoomCommandsStepAlongTheLadderAndShowInTheCaption) {
    ASSERT_NE(OpenLive(), nullptr);
    Feed(1024, 768);
    struct Case {
        double from;
        UINT command;
        double to;
        const wchar_t* percent;
    } cases[] = {
        {1.0, ID_VIEW_ZOOM_IN, 1.5, L"150%"},       {1.0, ID_VIEW_ZOOM_OUT, 0.667, L"66.7%"},
        {0.25, ID_VIEW_ZOOM_OUT, 0.125, L"12.5%"},  {0.125, ID_VIEW_ZOOM_OUT, 0.0625, L"6.25%"},
        {0.0625, ID_VIEW_ZOOM_OUT, 0.0625, L"6.25%"}, {0.0625, ID_VIEW_ZOOM_IN, 0.125, L"12.5%"},
        {8.0, ID_VIEW_ZOOM_IN, 16.0, L"1600%"},     {16.0, ID_VIEW_ZOOM_IN, 16.0, L"1600%"},
        {0.3, ID_VIEW_ZOOM_IN, 1.0, L"100%"},       {0.3, ID_VIEW_ZOOM_OUT, 1.0, L"100%"},
        {2.0, ID_VIEW_ACTUAL_SIZE, 1.0, L"100%"},
    };
    for (const Case& c : cases) {
        view_->SetDisplayZoom(c.from);
        Command(c.command);
        EXPECT_DOUBLE_EQ(view_->GetDisplayZoom(), c.to) << c.from << " " << c.command;
        EXPECT_EQ(Caption(frame_->hwnd()), std::wstring(L"Live Monitor 512x384 ") + c.percent) << c.from;
    }
}

TEST_F(LiveWindowTest, DragScrollsOnlyAboveActualSizeAndStopsAtTheEnd) {
    ASSERT_NE(OpenLive(), nullptr);
    Feed(1024, 768);
    struct Case {
        double zoom;
        POINT to;
        POINT expected;
    } cases[] = {
        {1.0, {100, 150}, {0, 0}},
        {0.5, {100, 150}, {0, 0}},
        {2.0, {100, 150}, {100, 50}},
    };
    for (const Case& c : cases) {
        view_->SetDisplayZoom(c.zoom);
        Drag(POINT{200, 200}, c.to);
        EXPECT_EQ(Scroll().x, c.expected.x) << c.zoom;
        EXPECT_EQ(Scroll().y, c.expected.y) << c.zoom;
        CViewData* data = frame_->animeDocument()->viewData();
        EXPECT_EQ(data->GetScrollPosition(SB_HORZ), c.expected.x);
        EXPECT_EQ(data->GetScrollPosition(SB_VERT), c.expected.y);
    }
    // Far past the end: the last position that still shows picture.
    Drag(POINT{400, 300}, POINT{-2000, -2000});
    const SIZE client = ClientSize(view_->hwnd());
    EXPECT_EQ(Scroll().x, 1024 - client.cx + 1);
    EXPECT_EQ(Scroll().y, 768 - client.cy + 1);
    EXPECT_EQ(frame_->animeDocument()->viewData()->GetScrollPosition(SB_HORZ), Scroll().x);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Back to actual size the picture fits again and both bars go.
    Command(ID_VIEW_ACTUAL_SIZE);
    EXPECT_FALSE(HasBar(view_->hwnd(), WS_HSCROLL));
    EXPECT_FALSE(HasBar(view_->hwnd(), WS_VSCROLL));
    EXPECT_EQ(Scroll().x, 0);
}

TEST_F(LiveWindowTest, BackBufferShowsTheZoomedAndScrolledPicture) {
    ASSERT_NE(OpenLive(), nullptr);
    Feed(1024, 768);
    const picture_fixtures::Pixels decoded = Decoded();
    EXPECT_EQ(ColourAt(ShownPixels(view_->hwnd()), 100, 80), ColourAt(decoded, 100, 80));

    view_->SetDisplayZoom(2.0);
    Drag(POINT{300, 300}, POINT{200, 250});  // scrolled to (100, 50)
    ASSERT_EQ(Scroll().x, 100);
    // Client pixel (40, 30) shows picture pixel ((100 + 40) / 2, (50 + 30) / 2).
    const picture_fixtures::Pixels zoomed = ShownPixels(view_->hwnd());
    EXPECT_EQ(ColourAt(zoomed, 40, 30), ColourAt(decoded, 70, 40));
    EXPECT_NE(ColourAt(zoomed, 40, 30), RGB(0, 0, 0));

    // Half size: the picture in the top left quarter, black beyond it.
    view_->SetDisplayZoom(0.5);
    const picture_fixtures::Pixels half = ShownPixels(view_->hwnd());
    EXPECT_NE(ColourAt(half, 100, 80), RGB(0, 0, 0));
    EXPECT_EQ(ColourAt(half, 400, 300), RGB(0, 0, 0));
}

TEST_F(LiveWindowTest, AFrameOfAnotherSizeResizesTheWindow) {
    ASSERT_NE(OpenLive(), nullptr);
    Feed(1024, 768);
    Feed(640, 480);
    EXPECT_EQ(Picture().cx, 320);
    EXPECT_EQ(ClientSize(view_->hwnd()).cx, 320);
    EXPECT_EQ(ClientSize(view_->hwnd()).cy, 240);
    EXPECT_EQ(Caption(frame_->hwnd()), L"Live Monitor 320x240 100%");
    EXPECT_FALSE(HasBar(view_->hwnd(), WS_HSCROLL));
}

// Frames drawn on another thread, as the decode thread draws them: the
// picture is in the surfaces at once, while the window learns of it only
// through its own queue, and full screen gets one draw however many frames come.
TEST_F(LiveWindowTest, FramesFromAnotherThreadReachTheWindowThroughItsQueue) {
    ASSERT_NE(OpenLive(), nullptr);
    Feed(1024, 768);
    const std::string jpeg = picture_fixtures::MakeJpeg(1024, 768);
    auto feedElsewhere = [&](int frames) {
        std::thread decoder([&] {
            for (int i = 0; i < frames; ++i) {
                int outcome = -1;
                view_->livePicture().LoadPicture(jpeg.data(), static_cast<DWORD>(jpeg.size()), &outcome);
            }
        });
        decoder.join();
    };
    auto drawsQueued = [&] {
        int draws = 0;
        MSG msg;
        while (::PeekMessageW(&msg, view_->hwnd(), WM_DRAW_FULL_SCREEN, WM_DRAW_FULL_SCREEN, PM_REMOVE)) {
            ++draws;
            ::DispatchMessageW(&msg);
        }
        return draws;
    };
    ::ValidateRect(view_->hwnd(), nullptr);
    feedElsewhere(1);
    EXPECT_TRUE(::GetUpdateRect(view_->hwnd(), nullptr, FALSE));  // invalidated, not yet painted
    PumpMessages();
    EXPECT_FALSE(::GetUpdateRect(view_->hwnd(), nullptr, FALSE));

    Command(ID_VIEW_FULL_SCREEN);
    ASSERT_TRUE(view_->IsFullScreen());
    for (int frames : {3, 1}) {
        feedElsewhere(frames);
        EXPECT_EQ(Picture().cx, 1024);  // in place before the window hears of it
        EXPECT_EQ(drawsQueued(), 1) << frames;
    }
    EXPECT_EQ(drawsQueued(), 0);
    ::SendMessageW(testing_support::FindFullScreenWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(LiveWindowTest, UndecodableFramesLeaveTheLastPictureShown) {
    ASSERT_NE(OpenLive(), nullptr);
    Feed(1024, 768);
    const COLORREF shown = ColourAt(ShownPixels(view_->hwnd()), 10, 10);
    const std::string jpeg = picture_fixtures::MakeJpeg(1024, 768);
    const std::vector<std::string> bad = {"not a picture", jpeg.substr(0, 200), std::string()};
    for (const std::string& bytes : bad) {
        int outcome = -1;
        EXPECT_EQ(view_->livePicture().LoadPicture(bytes.data(), static_cast<DWORD>(bytes.size()), &outcome), 0);
        EXPECT_EQ(outcome, ILiveFrameSink::kNotDecodable) << bytes.size();
    }
    PumpMessages();
    ::InvalidateRect(view_->hwnd(), nullptr, FALSE);
    EXPECT_EQ(ColourAt(ShownPixels(view_->hwnd()), 10, 10), shown);
    EXPECT_EQ(ClientSize(view_->hwnd()).cx, 512);
    EXPECT_TRUE(Logged("CAnimeView::LoadPicture"));
    EXPECT_TRUE(::IsWindow(frame_->hwnd()));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(LiveWindowTest, FullScreenDecodesAtFullSizeAndEscapeReturns) {
    ASSERT_NE(OpenLive(), nullptr);
    Feed(1024, 768);
    Command(ID_VIEW_FULL_SCREEN);
    HWND full = testing_support::FindFullScreenWindow();
    ASSERT_NE(full, nullptr);
    EXPECT_TRUE(view_->IsFullScreen());
    EXPECT_EQ(view_->decodeScale(), 1);

    Feed(1024, 768);
    EXPECT_EQ(Picture().cx, 1024);
    // Behind the full-screen window the live window keeps the live zoom's size.
    EXPECT_EQ(ClientSize(view_->hwnd()).cx, 512);
    EXPECT_EQ(Caption(frame_->hwnd()), L"Live Monitor 512x384 100%");
    const SIZE screen{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    HDC dc = ::GetDC(full);
    EXPECT_NE(::GetPixel(dc, screen.cx / 2, screen.cy / 2), RGB(0, 0, 0));
    ::ReleaseDC(full, dc);

    ::SendMessageW(full, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
    EXPECT_EQ(testing_support::FindFullScreenWindow(), nullptr);
    EXPECT_FALSE(view_->IsFullScreen());
    EXPECT_EQ(view_->decodeScale(), 2);
    Feed(1024, 768);
    EXPECT_EQ(Picture().cx, 512);
    EXPECT_EQ(ClientSize(view_->hwnd()).cx, 512);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(LiveWindowTest, FullScreenBeforeTheFirstFrameShowsItWhenItComes) {
    ASSERT_NE(OpenLive(), nullptr);
    Command(ID_VIEW_FULL_SCREEN);
    HWND full = testing_support::FindFullScreenWindow();
    ASSERT_NE(full, nullptr);
    int outcome = -1;
    EXPECT_EQ(Feed(1024, 768, &outcome), 1);
    EXPECT_EQ(outcome, ILiveFrameSink::kShown);
    // Closing the window with the full screen open takes both away.
    ::SendMessageW(frame_->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(testing_support::FindFullScreenWindow(), nullptr);
}

TEST_F(LiveWindowTest, ReopensWhereTheLastLiveWindowWas) {
    ASSERT_NE(OpenLive(), nullptr);
    ::SetWindowPos(frame_->hwnd(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SendMessageW(frame_->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_NE(OpenLive(), nullptr);
    RECT rc{};
    ::GetWindowRect(frame_->hwnd(), &rc);
    ::MapWindowPoints(nullptr, mainFrame()->mdiClient(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 40);
    EXPECT_EQ(rc.top, 30);
}

// The same window with the request and decode threads running on the camera
// stand-in: every switch redraws at once and the picture keeps coming.
class LiveWindowOnCameraTest : public LiveWindowTest {
protected:
    bool WithCamera() const override { return true; }
    std::string CameraSettings() const override { return "[Camera]\r\nFrameRate=60\r\n"; }
};

TEST_F(LiveWindowOnCameraTest, ScaleZoomAndFullScreenWhileFramesArrive) {
    Command(ID_LIVE_START);
    frame_ = mainFrame()->liveFrame();
    ASSERT_NE(frame_, nullptr);
    view_ = frame_->animeView();
    EXPECT_TRUE(WaitUntil([&] { return Picture().cx == 512; }));

    Command(ID_LIVE_SCALE_25);
    EXPECT_TRUE(WaitUntil([&] { return Picture().cx == 256; }));
    EXPECT_EQ(ClientSize(view_->hwnd()).cx, 256);
    Command(ID_VIEW_ZOOM_IN);
    EXPECT_EQ(Caption(frame_->hwnd()), L"Live Monitor 256x192 150%");

    Command(ID_VIEW_FULL_SCREEN);
    HWND full = testing_support::FindFullScreenWindow();
    ASSERT_NE(full, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return Picture().cx == 1024; }));
    ::SendMessageW(full, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return testing_support::FindFullScreenWindow() == nullptr && Picture().cx == 256; }));
    EXPECT_EQ(Caption(frame_->hwnd()), L"Live Monitor 256x192 150%");

    // Paused, the kept frame is what full screen shows, at full size at once.
    Command(ID_LIVE_STOP);
    ASSERT_FALSE(mainFrame()->IsLivePlaying());
    Command(ID_VIEW_FULL_SCREEN);
    EXPECT_EQ(Picture().cx, 1024);
    ::SendMessageW(testing_support::FindFullScreenWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
    EXPECT_EQ(Picture().cx, 256);

    ::SendMessageW(frame_->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(mainFrame()->liveFrame(), nullptr);
    EXPECT_TRUE(BoxTexts().empty());
}

}  // namespace
