// The live monitor over thousands of frames, with what a user and a flaky
// camera do to it in between: pauses, scale changes, full screen, display
// zoom steps and single faults of every kind. At the end the process holds
// what it held after the first frames: no GDI object, DC, kernel handle or
// committed memory piles up, and the camera has every response record back.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <sstream>
#include <utility>
#include <vector>

#include "live/AnimeFrame.h"
#include "live/AnimeView.h"
#include "AppHarness.h"
#include "CameraControlClient.h"
#include "Handles.h"
#include "shell/MainFrame.h"
#include "resource.h"
#include "Wait.h"

namespace {

using testing_support::AppTest;
using testing_support::PumpFor;
using testing_support::WaitUntil;

struct Census {
    long gdi, dc, kernel, global;
    SIZE_T committed;
    std::string Text() const {
        std::ostringstream out;
        out << "GDI " << gdi << ", DC " << dc << ", kernel " << kernel << ", global " << global << ", committed "
            << committed / 1024 << " KB";
        return out.str();
    }
};

Census TakeCensus() {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
    return {fw::HeldHandles(fw::HandleKind::Gdi), fw::HeldHandles(fw::HandleKind::Dc),
            fw::HeldHandles(fw::HandleKind::Kernel), fw::HeldHandles(fw::HandleKind::Global), memory.PagefileUsage};
}

class LiveSoakTest : public AppTest {
protected:
    bool WithCamera() const override { return true; }
    // Unpaced frames from memory: the program sets the pace.
    std::string CameraSettings() const override { return "[Camera]\r\nFrameRate=0\r\nPreparedFrames=6\r\n"; }
    void SetUp() override {
        AppTest::SetUp();
        camera_.emplace();
        ASSERT_TRUE(camera_->connected());
    }
    void TearDown() override {
        AppTest::TearDown();
        if (camera_) {
            standin::CameraCounters c = camera_->Counters();
            EXPECT_EQ(c.recordsOutstanding, 0) << "response records left with the program";
            EXPECT_EQ(c.recordsIssued, c.recordsReturned);
            EXPECT_EQ(c.badReturns, 0);
        }
        camera_.reset();
    }
    standin::CameraControlClient& camera() { return *camera_; }
    LONG Frames() { return camera().Counters().frames; }
    bool RunFrames(LONG count, DWORD ms = 20000) {
        const LONG until = Frames() + count;
        return WaitUntil([&] { return Frames() >= until; }, ms);
    }
    std::string LastLogLines(size_t count) const {
        std::vector<std::string> lines = LogLines();
        std::string text;
        for (size_t i = lines.size() > count ? lines.size() - count : 0; i < lines.size(); ++i) text += lines[i] + "\n";
        return text;
    }
    CAnimeView* liveView() {
        CAnimeFrame* frame = mainFrame()->liveFrame();
        return frame ? dynamic_cast<CAnimeView*>(frame->view()) : nullptr;
    }
    void LeaveFullScreen() {
        if (HWND full = testing_support::FindFullScreenWindow()) ::SendMessageW(full, WM_KEYDOWN, VK_ESCAPE, 0);
        PumpMessages();
    }
    // One thing a user or the camera does, picked by `dice`.
    void Disturb(std::mt19937& dice) {
        static const UINT kScales[] = {ID_LIVE_SCALE_25, ID_LIVE_SCALE_50, ID_LIVE_SCALE_100};
        const unsigned what = dice() % 7;
        if (what >= 4) {
            Inject(what);
            return;
        }
        switch (what) {
        case 0:  // pause for a moment
            Command(ID_LIVE_STOP);
            PumpFor(dice() % 30);
            Command(ID_LIVE_START);
            break;
        case 1: Command(kScales[dice() % 3]); break;
        case 2:
            if (testing_support::FindFullScreenWindow())
                LeaveFullScreen();
            else
                Command(ID_VIEW_FULL_SCREEN);
            break;
        case 3: Command(dice() % 2 ? ID_VIEW_ZOOM_IN : ID_VIEW_ZOOM_OUT); break;
        }
    }
    // A single fault, then good frames: never three of a kind in a row, so
    // the picture goes on.
    void Inject(unsigned what) {
        if (what == 4) camera().RefuseRequests(1);
        if (what == 5) camera().CorruptFrames(1);
        if (what == 6) camera().FailResponses(1);
        RunFrames(2, 3000);
    }

    void Soak(std::mt19937& dice, LONG frames) {
        const LONG start = Frames();
        int disturbances = 0;
        for (DWORD began = ::GetTickCount(); Frames() < start + frames && ::GetTickCount() - began < 150000;) {
            PumpFor(5 + dice() % 40);
            Disturb(dice);
            ++disturbances;
            ASSERT_NE(liveView(), nullptr) << "the live monitor closed after " << disturbances << " disturbances; "
                                           << LastLogLines(12);
        }
        ASSERT_GE(Frames(), start + frames) << "the live picture slowed down or stopped";
    }
    // Windowed, 50 %, some frames shown, then paused, so that no frame is
    // half-way through the threads while the census is taken.
    Census CensusAtStart() {
        LeaveFullScreen();
        Command(ID_LIVE_SCALE_50);
        if (!mainFrame()->IsLivePlaying()) Command(ID_LIVE_START);
        EXPECT_TRUE(RunFrames(60));
        Command(ID_LIVE_STOP);
        LONG seen = Frames();
        WaitUntil([&] {
            const LONG now = Frames();
            const bool still = now == seen;
            seen = now;
            return still;
        }, 2000);
        PumpFor(200);
        Census census = TakeCensus();
        Command(ID_LIVE_START);
        return census;
    }

private:
    std::optional<standin::CameraControlClient> camera_;
};

TEST_F(LiveSoakTest, ThousandsOfDisturbedFramesLeaveNothingBehind) {
    Command(ID_LIVE_START);
    ASSERT_NE(liveView(), nullptr);
    std::mt19937 dice(20261207);
    // The first frames take the heap and the surfaces to their working size
    // at every scale and in full screen.
    ASSERT_NO_FATAL_FAILURE(Soak(dice, 600));
    std::vector<Census> taken;
    ASSERT_NO_FATAL_FAILURE(taken.push_back(CensusAtStart()));
    for (int round = 0; round < 4; ++round) {
        ASSERT_NO_FATAL_FAILURE(Soak(dice, 1000));
        ASSERT_NO_FATAL_FAILURE(taken.push_back(CensusAtStart()));
    }

    const Census& first = taken.front();
    for (const Census& c : taken) {
        SCOPED_TRACE("after the first frames: " + first.Text() + "; later: " + c.Text());
        EXPECT_EQ(c.gdi, first.gdi);
        EXPECT_EQ(c.dc, first.dc);
        EXPECT_EQ(c.kernel, first.kernel);
        EXPECT_EQ(c.global, first.global);
        // Wine's heap keeps about 10 MB more or less from one moment to the
        // next; a frame bitmap (0.15 to 2.3 MB) leaked every 40 frames would
        // add a hundred MB over these 4,000.
        EXPECT_LT(static_cast<long long>(c.committed) - static_cast<long long>(first.committed), 16ll << 20);
    }
    EXPECT_TRUE(BoxTexts().empty());
    Command(ID_LIVE_STOP);
}

}  // namespace
