// The live state the main window keeps, without any window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/LiveControl.h"

namespace {

// Records what the live control asks of the live window.
class RecordingMonitor : public ILiveMonitor {
public:
    void SuspendRequests() override { calls.push_back("suspend"); }
    void ResumeRequests() override { calls.push_back("resume"); }
    void SetLiveScale(int denominator) override { calls.push_back("scale " + std::to_string(denominator)); }
    HWND monitorWindow() const override { return nullptr; }
    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

}  // namespace

TEST(LiveControl, PauseAndResumeReachTheWindowOnlyWhenTheyChangeSomething) {
    CLiveControl live;
    live.Pause();
    live.ResumeAfterPause();
    EXPECT_FALSE(live.playing()) << "nothing to pause or resume without a live window";

    RecordingMonitor monitor;
    live.Attach(&monitor);
    EXPECT_FALSE(live.playing()) << "a window being made does not play before it started";
    live.Started();
    live.ResumeAfterPause();  // already playing
    live.Pause();
    live.Pause();  // already paused
    live.ResumeAfterPause();
    EXPECT_TRUE(live.playing());
    EXPECT_EQ(monitor.calls, (Calls{"suspend", "resume"}));
}

TEST(LiveControl, ModalWorkResumesOnlyWhatItPaused) {
    struct Case {
        const char* name;
        bool playingBefore;
        bool playingAfter;
        Calls calls;
    };
    const Case cases[] = {
        {"playing", true, true, {"suspend", "resume"}},
        {"paused by the user", false, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMonitor monitor;
        CLiveControl live;
        live.Attach(&monitor);
        live.Started();
        if (!c.playingBefore) live.Pause();
        monitor.calls.clear();
        live.SuspendForModal();
        live.SuspendForModal();  // a dialog from a dialog
        EXPECT_TRUE(live.inModal());
        EXPECT_FALSE(live.playing());
        live.ResumeAfterModal();
        live.ResumeAfterModal();
        EXPECT_FALSE(live.inModal());
        EXPECT_EQ(live.playing(), c.playingAfter);
        EXPECT_EQ(monitor.calls, c.calls);
    }
}

TEST(LiveControl, AWindowClosedDuringModalWorkIsNotResumed) {
    RecordingMonitor monitor;
    CLiveControl live;
    live.Attach(&monitor);
    live.Started();
    live.SuspendForModal();
    EXPECT_EQ(live.Release(), &monitor);
    live.ResumeAfterModal();
    EXPECT_FALSE(live.playing());
    EXPECT_EQ(monitor.calls, (Calls{"suspend"}));
    EXPECT_EQ(live.Release(), nullptr);
}

TEST(LiveControl, OnlyTheCurrentWindowIsForgotten) {
    RecordingMonitor current, old;
    CLiveControl live;
    live.Attach(&current);
    live.Started();
    live.Forget(&old);
    EXPECT_EQ(live.monitor(), &current);
    EXPECT_TRUE(live.playing());
    live.Forget(&current);
    EXPECT_EQ(live.monitor(), nullptr);
    EXPECT_FALSE(live.playing());
    EXPECT_FALSE(live.ResumeExisting()) << "Start must make a new window";
}

TEST(LiveControl, ScaleReachesTheWindowAndSetsTheCaptureZoom) {
    CLiveControl live;
    EXPECT_EQ(live.scaleCode(), 2);
    live.SetScale(4);
    EXPECT_DOUBLE_EQ(live.CaptureFactor(0.48), 0.48) << "without a live window a capture takes the best fit";
    RecordingMonitor monitor;
    live.Attach(&monitor);
    const struct {
        int code;
        double factor;
    } cases[] = {{4, 0.25}, {2, 0.5}, {1, 1.0}};
    for (const auto& c : cases) {
        live.SetScale(c.code);
        EXPECT_DOUBLE_EQ(live.CaptureFactor(0.48), c.factor) << c.code;
    }
    EXPECT_EQ(monitor.calls, (Calls{"scale 4", "scale 2", "scale 1"}));
}

TEST(LiveControl, WindowGoesWhereTheUserLeftItWhileItFits) {
    CLiveControl live;
    const RECT area{0, 0, 800, 600};
    const SIZE window{520, 420};
    EXPECT_EQ(live.WindowPosition(window, POINT{30, 30}, area).x, 30) << "next cascade place first";
    live.RememberPosition(POINT{200, 100});
    EXPECT_EQ(live.WindowPosition(window, POINT{30, 30}, area).x, 200);
    const POINT tooFar = live.WindowPosition(SIZE{700, 420}, POINT{30, 30}, area);
    EXPECT_EQ(tooFar.x, 0);
    EXPECT_EQ(tooFar.y, 0);
    live.ForgetPosition();
    EXPECT_EQ(live.WindowPosition(window, POINT{30, 40}, area).y, 40);
}
