// The live monitor as the main frame runs it on the camera stand-in: start,
// stop, scales, failures and the camera going away.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "live/AnimeFrame.h"
#include "live/ViewJpeg.h"
#include "DeviceProtocol.h"
#include "Handles.h"
#include "AppHarness.h"
#include "CameraControlClient.h"
#include "still/ImageFrame.h"
#include "still/ImageView.h"
#include "shell/MainFrame.h"
#include "View.h"
#include "resource.h"
#include "Wait.h"

namespace {

using testing_support::AppTest;
using testing_support::Caption;
using testing_support::Enabled;
using testing_support::PumpFor;
using testing_support::WaitUntil;

class LiveMonitorTest : public AppTest {
protected:
    bool WithCamera() const override { return true; }
    std::string CameraSettings() const override { return "[Camera]\r\nFrameRate=60\r\n"; }
    standin::CameraControlClient& camera() {
        if (!control_) control_.emplace();
        return *control_;
    }
    LONG Frames() { return camera().Counters().frames; }
    void TearDown() override {
        AppTest::TearDown();
        if (control_) {
            EXPECT_EQ(camera().Counters().recordsOutstanding, 0) << "response records left outstanding";
        }
        control_.reset();
    }

private:
    std::optional<standin::CameraControlClient> control_;
};

TEST_F(LiveMonitorTest, StartShowsTheLivePictureAndStopPausesIt) {
    ASSERT_TRUE(Enabled(mainFrame(), ID_LIVE_START));
    EXPECT_FALSE(Enabled(mainFrame(), ID_LIVE_STOP));
    Command(ID_LIVE_START);
    CAnimeFrame* live = mainFrame()->liveFrame();
    ASSERT_NE(live, nullptr);
    EXPECT_TRUE(mainFrame()->IsLivePlaying());
    EXPECT_EQ(Caption(live->hwnd()), L"Live Monitor 512x384 100%");
    LONG first = Frames();
    EXPECT_TRUE(WaitUntil([&] { return Frames() > first + 5; }));

    Command(ID_LIVE_STOP);
    EXPECT_FALSE(mainFrame()->IsLivePlaying());
    EXPECT_TRUE(Enabled(mainFrame(), ID_LIVE_START));
    PumpFor(300);
    LONG paused = Frames();
    PumpFor(500);
    EXPECT_LE(Frames(), paused + 1);  // at most the request that was in flight

    Command(ID_LIVE_START);
    EXPECT_EQ(mainFrame()->liveFrame(), live);
    EXPECT_TRUE(WaitUntil([&] { return Frames() > paused + 5; }));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(LiveMonitorTest, ScaleItemsCarryTheRadioMarkAndResizeTheWindow) {
    bool checked = false;
    Enabled(mainFrame(), ID_LIVE_SCALE_50, &checked);
    EXPECT_TRUE(checked);
    Command(ID_LIVE_START);
    ASSERT_NE(mainFrame()->liveFrame(), nullptr);
    Command(ID_LIVE_SCALE_25);
    Enabled(mainFrame(), ID_LIVE_SCALE_25, &checked);
    EXPECT_TRUE(checked);
    Enabled(mainFrame(), ID_LIVE_SCALE_50, &checked);
    EXPECT_FALSE(checked);
    RECT client{};
    ::GetClientRect(mainFrame()->liveFrame()->view()->hwnd(), &client);
    EXPECT_EQ(client.right, 256);
    EXPECT_EQ(client.bottom, 192);
    EXPECT_EQ(Caption(mainFrame()->liveFrame()->hwnd()), L"Live Monitor 256x192 100%");
    EXPECT_DOUBLE_EQ(mainFrame()->LiveScaleFactor(), 0.25);
}

TEST_F(LiveMonitorTest, ThreeRefusalsCloseTheWindowWithTheLiveMessage) {
    Command(ID_LIVE_START);
    ASSERT_NE(mainFrame()->liveFrame(), nullptr);
    camera().RefuseRequests(3);
    EXPECT_TRUE(WaitUntil([&] { return mainFrame()->liveFrame() == nullptr; }));
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{L"Unable to acquire live-monitor image."});
    EXPECT_FALSE(mainFrame()->IsLivePlaying());
    EXPECT_TRUE(Enabled(mainFrame(), ID_LIVE_START));
}

TEST_F(LiveMonitorTest, UnpluggingClosesTheLiveWindowAndDisablesStart) {
    Command(ID_LIVE_START);
    ASSERT_NE(mainFrame()->liveFrame(), nullptr);
    ASSERT_TRUE(camera().Unplug());
    EXPECT_TRUE(WaitUntil([&] { return mainFrame()->liveFrame() == nullptr && !mainFrame()->deviceOpen(); }));
    EXPECT_FALSE(Enabled(mainFrame(), ID_LIVE_START));
    PumpFor(300);
}

TEST_F(LiveMonitorTest, APressOnAPicturePausesTheLivePictureUntilRelease) {
    Command(ID_TOOL_STILL_CAPTURE);
    CImageFrame* still = ActiveImageFrame();
    ASSERT_NE(still, nullptr);
    Command(ID_LIVE_START);
    ASSERT_TRUE(mainFrame()->IsLivePlaying());
    HWND view = still->imageView()->hwnd();
    ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_FALSE(mainFrame()->IsLivePlaying());
    ::SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(mainFrame()->IsLivePlaying());
}

TEST_F(LiveMonitorTest, CloseBoxStopsTheThreadsBeforeTheWindowGoes) {
    Command(ID_LIVE_START);
    CAnimeFrame* live = mainFrame()->liveFrame();
    ASSERT_NE(live, nullptr);
    Command(ID_LIVE_STOP);  // closing a paused live monitor as well
    ::SendMessageW(live->hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(mainFrame()->liveFrame(), nullptr);
    LONG after = Frames();
    PumpFor(300);
    EXPECT_EQ(Frames(), after);
}

}  // namespace

TEST_F(LiveMonitorTest, MadeUpCameraRecordsChangeNothing) {
    Command(ID_LIVE_START);
    ASSERT_TRUE(mainFrame()->IsLivePlaying());
    HWND completion = ::FindWindowExW(HWND_MESSAGE, nullptr, CViewJpeg::kClassName, nullptr);
    ASSERT_NE(completion, nullptr) << "message-only: broadcasts miss it";
    fw::GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, 4));
    // An empty successful answer would close the live window if it were taken.
    device::ResponseRecord wrongCode{device::kResponseWithData, {}, 0x1234, 0, 0, block.get()};
    device::ResponseRecord noThread{device::kResponseWithData, {}, device::kGetJpegImage, 0, 0, block.get()};
    const WPARAM ownThread = ::GetCurrentThreadId();
    for (UINT msg : {0x590u, 0x464u, 0x52Cu}) {
        ::PostMessageW(HWND_BROADCAST, msg, ownThread, 0x10);
        ::PostMessageW(completion, msg, ownThread, 0x10);
        ::PostMessageW(completion, msg, ownThread, reinterpret_cast<LPARAM>(&wrongCode));
        ::PostMessageW(completion, msg, 0, reinterpret_cast<LPARAM>(&noThread));
    }
    LONG first = Frames();
    EXPECT_TRUE(WaitUntil([&] { return Frames() > first + 5; }));
    EXPECT_TRUE(mainFrame()->IsLivePlaying());
    EXPECT_EQ(wrongCode.data, block.get()) << "a made-up record was handed back";
    EXPECT_EQ(noThread.data, block.get());
    Command(ID_LIVE_STOP);
}
