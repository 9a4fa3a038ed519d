// The live request and decode threads on the camera stand-in, with a view
// that decodes into a picture of its own and a frame window that records
// what the threads tell it. Every case ends with no response record left
// with the application and none handed back twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "live/AnimeViewThread.h"
#include "AppHarness.h"
#include "CameraControlClient.h"
#include "DeviceProtocol.h"
#include "PendingRequests.h"
#include "base/AppMessages.h"
#include "live/LiveFrameSink.h"
#include "live/LiveThreads.h"
#include "shell/PictavoApp.h"
#include "UiThread.h"
#include "live/ViewAnimeThread.h"
#include "picture/ViewData.h"
#include "resource.h"
#include "Wait.h"

namespace {

using testing_support::AppTest;
using testing_support::PumpFor;
using testing_support::WaitUntil;

class DecodingSink : public ILiveFrameSink {
public:
    int LoadPicture(const void* data, DWORD length, int* outcome) override {
        ++calls;
        int ok = !failDrawing && picture_.LoadPicture(data, length, 4);
        *outcome = ok ? kShown : failDrawing ? kNotDrawn : kNotDecodable;
        shown += ok;
        return ok;
    }
    std::atomic<int> calls{0}, shown{0};
    bool failDrawing = false;

private:
    CViewData picture_;
};

// Stands in for the live frame window: keeps what the threads post or send to it.
class FrameRecorder {
public:
    FrameRecorder() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = L"LiveThreadsTestFrame";
        ::RegisterClassW(&wc);
        hwnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~FrameRecorder() { ::DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }
    int Count(UINT msg, WPARAM wParam) const {
        return static_cast<int>(std::count(messages_.begin(), messages_.end(), std::make_pair(msg, wParam)));
    }
    int Total() const { return static_cast<int>(messages_.size()); }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<FrameRecorder*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self || (msg != WM_LIVE_FAILED && msg != WM_PAUSE_LIVE && msg != WM_CLOSE))
            return ::DefWindowProcW(hwnd, msg, wParam, lParam);
        self->messages_.emplace_back(msg, wParam);
        return 0;
    }
    HWND hwnd_ = nullptr;
    std::vector<std::pair<UINT, WPARAM>> messages_;
};

int CountLines(const std::vector<std::string>& lines, const std::string& part, const std::string& other = "") {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.find(part) != std::string::npos && l.find(other) != std::string::npos;
    }));
}

const char* const kRefusalLine = "[bRequestAsync] function of Device control. Detailed Error Code[0x";
const char* const kDecodeLine = "The error occurred by the decoding JPEG data. ErrorCount = ";
const char* const kResponseLine = "[bRequest-Response] Device control. Detailed Error Code[0x";

class LiveThreadsTest : public AppTest {
protected:
    bool WithCamera() const override { return true; }
    std::string CameraSettings() const override { return "[Camera]\r\nFrameRate=100\r\n"; }
    void SetUp() override {
        AppTest::SetUp();
        camera_ = std::make_unique<standin::CameraControlClient>();
        ASSERT_TRUE(camera_->connected());
        frame_ = std::make_unique<FrameRecorder>();
    }
    void TearDown() override {
        Stop();
        EXPECT_TRUE(WaitUntil([&] { return camera().Counters().recordsOutstanding == 0; }))
            << camera().Counters().recordsOutstanding << " response records not handed back";
        EXPECT_EQ(camera().Counters().badReturns, 0);
        frame_.reset();
        AppTest::TearDown();
    }

    standin::CameraControlClient& camera() { return *camera_; }
    FrameRecorder& frame() { return *frame_; }
    LiveStart Camera() { return LiveStart{PictavoApp()->deviceControl(), &sink, frame().hwnd()}; }
    void Start() { ASSERT_EQ(threads.Start(Camera()), 1); }
    void Stop() { threads.Stop(); }
    const CViewAnimeThread& request() const { return *threads.requestThread(); }
    CAnimeViewThread& decode() const { return *threads.decodeThread(); }
    // Until a paused pair has gone quiet: the request in flight answered and
    // no new one for a while.
    void WaitUntilQuiet() {
        ASSERT_TRUE(WaitUntil([&] {
            const LONG requests = camera().Counters().requests;
            PumpFor(300);
            return camera().Counters().requests == requests;
        }));
    }
    // Completions keep arriving, none of them decoded.
    void ExpectFramesTakenInUndecoded() {
        int decoded = sink.calls;
        LONG frames = camera().Counters().frames;
        ASSERT_TRUE(WaitUntil([&] { return camera().Counters().frames >= frames + 4; }));
        EXPECT_EQ(sink.calls, decoded);
        // The kept one and the one in flight; the library takes the others back in its own time.
        EXPECT_TRUE(WaitUntil([&] { return camera().Counters().recordsOutstanding <= 2; }));
    }

    DecodingSink sink;
    CLiveThreads threads;

private:
    std::unique_ptr<standin::CameraControlClient> camera_;
    std::unique_ptr<FrameRecorder> frame_;
};

struct RefusalCase {
    const char* name;
    LONG refusals;
    bool unplugged;
    int refusalLines;
    bool fails;
};
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class RefusedRequests : public LiveThreadsTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedRequests, CountUpToThreeThenEndBothThreads) {
    const RefusalCase& c = GetParam();
    camera().RefuseRequests(c.refusals);
    if (c.unplugged) {
        ASSERT_TRUE(camera().Unplug());
    }
    Start();
    if (c.fails) {
        ASSERT_TRUE(WaitUntil([&] { return request().HasEnded() && frame().Total() > 0; }));
        EXPECT_TRUE(decode().HasEnded());
        EXPECT_EQ(frame().Count(WM_LIVE_FAILED, IDS_LIVE_FAILED), 1);
        EXPECT_EQ(frame().Total(), 1);
    } else {
        ASSERT_TRUE(WaitUntil([&] { return sink.shown >= 3; }));
        EXPECT_FALSE(request().HasEnded());
        EXPECT_EQ(frame().Total(), 0);
    }
    auto log = LogLines();
    EXPECT_EQ(CountLines(log, kRefusalLine), c.refusalLines);
    for (int n = 1; n <= c.refusalLines; ++n)
        EXPECT_EQ(CountLines(log, kRefusalLine, "] ErrorCount = " + std::to_string(n)), 1) << n;
    EXPECT_EQ(CountLines(log, "Because the device was a unconnection, retrying was discontinued."),
              c.unplugged ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(LiveThreads, RefusedRequests,
                         ::testing::Values(RefusalCase{"TwoThenAccepted", 2, false, 2, false},
                                           RefusalCase{"Three", 3, false, 3, true},
                                           RefusalCase{"CameraUnplugged", 0, true, 1, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    void (standin::CameraControlClient::*inject)(LONG);
    const char* countLine;
    LONG first;   // failures from the start
    LONG second;  // failures after a good frame has been shown
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ConsecutiveFailures : public LiveThreadsTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ConsecutiveFailures, StopTheLivePictureOnlyAtTheThirdInARow) {
    const FailureCase& c = GetParam();
    (camera().*c.inject)(c.first);
    Start();
    if (c.first >= 3) {
        ASSERT_TRUE(WaitUntil([&] { return frame().Total() > 0; }));
        EXPECT_TRUE(decode().viewJpeg().stopped());
        ExpectFramesTakenInUndecoded();
        EXPECT_EQ(frame().Count(WM_LIVE_FAILED, IDS_LIVE_FAILED), 1);
        EXPECT_FALSE(request().HasEnded());  // the frame's close ends it
    } else {
        ASSERT_TRUE(WaitUntil([&] { return sink.shown >= 1; }));
        (camera().*c.inject)(c.second);
        ASSERT_TRUE(WaitUntil([&] { return CountLines(LogLines(), c.countLine) == c.first + c.second; }));
        int shown = sink.shown;
        ASSERT_TRUE(WaitUntil([&] { return sink.shown > shown; }));
        EXPECT_FALSE(decode().viewJpeg().stopped());
    }
    EXPECT_EQ(frame().Total(), c.first >= 3 ? 1 : 0);
    auto log = LogLines();
    for (LONG n = 1; n <= 3; ++n) {
        int expected = (c.first >= n ? 1 : 0) + (c.second >= n ? 1 : 0);
        EXPECT_EQ(CountLines(log, c.countLine, "ErrorCount = " + std::to_string(n)), expected) << n;
    }
}

using Client = standin::CameraControlClient;
INSTANTIATE_TEST_SUITE_P(
    LiveThreads, ConsecutiveFailures,
    ::testing::Values(FailureCase{"TwoUndecodableThenGood", &Client::CorruptFrames, kDecodeLine, 2, 1},
                      FailureCase{"ThreeUndecodable", &Client::CorruptFrames, kDecodeLine, 3, 0},
                      FailureCase{"TwoFailedResponsesGoodTwoMore", &Client::FailResponses, kResponseLine, 2, 2},
                      FailureCase{"ThreeFailedResponses", &Client::FailResponses, kResponseLine, 3, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LiveThreadsTest, EmptyFrameClosesTheFrameAndAnUndrawnOneStopsSilently) {
    for (bool empty : {true, false}) {
        int told = frame().Total();
        camera().EmptyFrames(empty ? 1 : 0);
        sink.failDrawing = !empty;
        Start();
        ASSERT_TRUE(WaitUntil([&] { return decode().viewJpeg().stopped(); })) << empty;
        ExpectFramesTakenInUndecoded();
        EXPECT_EQ(sink.calls, empty ? 0 : 1);
        EXPECT_EQ(frame().Total() - told, empty ? 1 : 0);  // WM_CLOSE for the empty frame
        Stop();
        sink.calls = 0;
    }
    EXPECT_EQ(frame().Count(WM_CLOSE, 0), 1);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(LiveThreadsTest, KeptFrameIsDrawnAgainWhileNoNewOneArrives) {
    EXPECT_EQ(CViewJpeg().DrawView(), 0);  // nothing kept
    EXPECT_EQ(threads.RedrawKeptFrame(), 0);  // no threads
    Start();
    ASSERT_TRUE(WaitUntil([&] { return sink.shown >= 2; }));
    threads.Pause();
    WaitUntilQuiet();
    const int shown = sink.shown;
    EXPECT_EQ(threads.RedrawKeptFrame(), 1);  // on this thread
    EXPECT_EQ(sink.shown, shown + 1);
    threads.PostRedrawKeptFrame();  // on the decode thread
    EXPECT_TRUE(WaitUntil([&] { return sink.shown == shown + 2; }));
    EXPECT_EQ(frame().Total(), 0);
}

// A resume without a pause is not banked; two pauses need two resumes; a
// paused pair stops without running into the stop's time limits.
TEST_F(LiveThreadsTest, PausesAreCountedAndAPausedPairStillStops) {
    Start();
    ASSERT_TRUE(WaitUntil([&] { return sink.shown >= 2; }));
    threads.Resume();
    threads.Pause();
    threads.Pause();
    WaitUntilQuiet();
    LONG paused = camera().Counters().requests;
    threads.Resume();
    PumpFor(300);
    EXPECT_EQ(camera().Counters().requests, paused);
    threads.Resume();
    ASSERT_TRUE(WaitUntil([&] { return camera().Counters().requests > paused + 2; }));
    threads.Pause();
    Stop();
    EXPECT_FALSE(threads.running());
    EXPECT_EQ(CountLines(LogLines(), "did not arrive within"), 0);
    EXPECT_EQ(CountLines(LogLines(), "was terminated"), 0);
}

TEST_F(LiveThreadsTest, StopWithoutStartOrTwiceAndStartWhileRunningChangeNothing) {
    Stop();
    EXPECT_FALSE(threads.running());
    Start();
    const CViewAnimeThread* first = threads.requestThread();
    EXPECT_EQ(threads.Start(Camera()), 1);
    EXPECT_EQ(threads.requestThread(), first);
    ASSERT_TRUE(WaitUntil([&] { return sink.shown >= 1; }));
    Stop();
    Stop();
    EXPECT_FALSE(threads.running());
    EXPECT_EQ(threads.requestThread(), nullptr);
    EXPECT_EQ(threads.decodeThread(), nullptr);
    // Stopped, the pause and the redraws have nothing to act on.
    threads.Pause();
    threads.PostRedrawKeptFrame();
    EXPECT_EQ(threads.RedrawKeptFrame(), 0);
    const int shown = sink.shown;
    Start();  // and the pair starts again, unpaused
    EXPECT_TRUE(WaitUntil([&] { return sink.shown > shown; }));
}

TEST_F(LiveThreadsTest, AFailedStartLeavesNothingRunning) {
    const LONG kernel = fw::HeldHandles(fw::HandleKind::Kernel);
    EXPECT_EQ(threads.Start(LiveStart{nullptr, &sink, frame().hwnd()}), 0);
    EXPECT_FALSE(threads.running());
    EXPECT_EQ(threads.requestThread(), nullptr);
    EXPECT_EQ(fw::HeldHandles(fw::HandleKind::Kernel), kernel);
    EXPECT_EQ(CountLines(LogLines(), "The error occurred with the [deviceControl()] function."), 1);
    Stop();
    Start();  // the next start on a camera runs
    EXPECT_TRUE(WaitUntil([&] { return sink.shown >= 1; }));
}

// A slow camera's completion is awaited; one that never comes holds the stop
// for the time limit only.
TEST_F(LiveThreadsTest, StopWaitsForTheRequestInFlightWithinALimit) {
    for (LONG delay : {400, 60000}) {
        camera().SetDelay(delay);
        const standin::CameraCounters at = camera().Counters();
        Start();
        ASSERT_TRUE(WaitUntil([&] { return camera().Counters().requests > at.requests; }));
        DWORD before = ::GetTickCount();
        Stop();
        DWORD spent = ::GetTickCount() - before;
        bool completes = delay < 1000;
        EXPECT_EQ(camera().Counters().recordsIssued - at.recordsIssued, completes ? 1 : 0) << delay;
        EXPECT_GE(spent + 100, completes ? 0 : CViewAnimeThread::kStopWaitMs) << delay;
    }
    EXPECT_EQ(CountLines(LogLines(), "did not arrive within 5000 ms of the stop"), 1);
    EXPECT_EQ(CountLines(LogLines(), "was terminated"), 0);
}

// Stands in for the library thread that takes response records back.
class RecordTaker : public fw::UiThread {
public:
    ~RecordTaker() override { EndAndJoin(); }
    std::vector<device::ResponseRecord*> taken;  // read once the thread has ended

protected:
    bool OnThreadMessage(UINT msg, WPARAM, LPARAM lParam) override {
        if (msg == device::WM_DEVICE_RESPONSE_RELEASE) taken.push_back(reinterpret_cast<device::ResponseRecord*>(lParam));
        return msg == device::WM_DEVICE_RESPONSE_RELEASE;
    }
};

device::ResponseRecord FrameRecord(const char* bytes) {
    device::ResponseRecord record{};
    record.kind = device::kResponseWithData;
    record.code = device::kGetJpegImage;
    record.size = static_cast<uint32_t>(std::strlen(bytes));
    record.data = ::GlobalAlloc(GMEM_MOVEABLE, record.size);
    std::memcpy(::GlobalLock(record.data), bytes, record.size);
    ::GlobalUnlock(record.data);
    return record;
}

TEST_F(LiveThreadsTest, DecodeThreadHandsBackTheKeptAndTheStillQueuedRecordsOnceWhenItEnds) {
    RecordTaker library;
    ASSERT_TRUE(library.Create());
    library.Resume();
    fw::Handle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    fw::Handle initDone(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    CAnimeViewThread decode;
    ASSERT_TRUE(decode.Create(THREAD_PRIORITY_LOWEST));
    decode.SetSink(&sink);
    decode.SetFrameReadyEvent(ready.get());
    decode.Resume();
    decode.Post(WM_INIT_VIEW_WND, reinterpret_cast<WPARAM>(initDone.get()), reinterpret_cast<LPARAM>(frame().hwnd()));
    ASSERT_EQ(::WaitForSingleObject(initDone.get(), 5000), WAIT_OBJECT_0);
    ASSERT_TRUE(decode.windowCreated());

    device::ResponseRecord kept = FrameRecord("first frame");
    device::ResponseRecord late = FrameRecord("arrives after the quit");
    // Both answer requests the decode window is waiting for.
    for (int request = 0; request < 2; ++request)
        device::PendingRequests::Shared().Expect(decode.GetViewWindow(), device::kGetJpegImage);
    ::PostMessageW(decode.GetViewWindow(), device::WM_DEVICE_REQUEST_COMPLETE, library.id(),
                   reinterpret_cast<LPARAM>(&kept));
    ASSERT_EQ(::WaitForSingleObject(ready.get(), 5000), WAIT_OBJECT_0);
    ASSERT_TRUE(WaitUntil([&] { return sink.calls == 1; }));
    decode.Suspend();  // so that the quit is read before the late completion
    decode.Post(WM_QUIT);
    ::PostMessageW(decode.GetViewWindow(), device::WM_DEVICE_REQUEST_COMPLETE, library.id(),
                   reinterpret_cast<LPARAM>(&late));
    decode.Resume();
    ASSERT_TRUE(decode.Join(5000));
    library.EndAndJoin();

    std::vector<device::ResponseRecord*> expected{&kept, &late};
    std::sort(expected.begin(), expected.end());
    std::sort(library.taken.begin(), library.taken.end());
    EXPECT_EQ(library.taken, expected);
    EXPECT_EQ(kept.data, nullptr);  // freed before the hand-back
    EXPECT_EQ(late.data, nullptr);
    EXPECT_EQ(sink.calls, 1);
}

TEST(UiThread, RunsOnlyOnceResumedAndEndsWithTheQuitCode) {
    RecordTaker thread;
    ASSERT_TRUE(thread.Create(THREAD_PRIORITY_LOWEST));
    EXPECT_EQ(::GetThreadPriority(thread.handle()), THREAD_PRIORITY_LOWEST);
    device::ResponseRecord record{};
    ASSERT_TRUE(thread.Post(device::WM_DEVICE_RESPONSE_RELEASE, 0, reinterpret_cast<LPARAM>(&record)));
    ASSERT_TRUE(thread.Post(WM_QUIT, 7));  // both wait in the queue until the resume
    EXPECT_FALSE(thread.Join(100));
    EXPECT_EQ(thread.Resume(), 1u);
    ASSERT_TRUE(thread.Join(5000));
    EXPECT_EQ(thread.taken, std::vector<device::ResponseRecord*>{&record});
    EXPECT_EQ(thread.exitCode(), 7u);
}

}  // namespace
