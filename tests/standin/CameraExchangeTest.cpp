// The camera stand-in as the programs meet it: loaded by name, asynchronous
// frames with completions and hand-backs, the lens, plug and unplug, and the
// faults its control channel injects.
#include <gtest/gtest.h>

#include <cmath>

#include "CameraHarness.h"
#include "Handles.h"
#include "StandInCodes.h"

using namespace camera_test;
using testing_support::PumpFor;
using testing_support::WaitUntil;

namespace {
constexpr const char* kFastFrames = "[Camera]\r\nFrameRate=200\r\n";

class CameraExchange : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(camera.get(), nullptr);
        ASSERT_TRUE(camera.control().connected());
        DWORD detail = 0;
        ASSERT_TRUE(camera->bOpen(camera.window(), &detail)) << std::hex << detail;
        camera->SetNotifyWindow(camera.window());
    }
    void TearDown() override { EXPECT_TRUE(camera.AllRecordsBack()) << "response records left outstanding"; }

    BOOL RequestAsync(uint16_t command, uint32_t parameter = 0, DWORD* detail = nullptr) {
        auto request = device::MakeRequest(command, parameter);
        DWORD value = 0, ignored = 0;
        return camera->bRequestAsync(camera.window(), &request, &value, detail ? detail : &ignored);
    }

    LoadedCamera camera{kFastFrames};
};

bool IsCameraFrame(const std::string& file) {
    auto decoded = DecodeJpeg(file);
    return decoded && decoded->width == standin::kFrameWidth && decoded->height == standin::kFrameHeight;
}

// Measures over the band of colour bars at the top of the test card.
double Brightness(const Decoded& d) {
    double sum = 0;
    for (int y = 10; y < 180; ++y)
        for (int x = 0; x < d.width * 3; ++x) sum += d.bgr[static_cast<size_t>(y) * d.width * 3 + x];
    return sum / (170.0 * d.width * 3);
}

double Sharpness(const Decoded& d) {
    double sum = 0;
    for (int y = 10; y < 180; ++y)
        for (int x = 3; x < d.width * 3; ++x) {
            const uint8_t* row = &d.bgr[static_cast<size_t>(y) * d.width * 3];
            sum += std::abs(row[x] - row[x - 3]);
        }
    return sum / (170.0 * d.width * 3);
}

// Sharp colour changes along one row: fewer when the lens zooms in.
double Edges(const Decoded& d) {
    int edges = 0;
    const uint8_t* row = &d.bgr[static_cast<size_t>(100) * d.width * 3];
    for (int x = 1; x < d.width; ++x) {
        int change = 0;
        for (int c = 0; c < 3; ++c) change += std::abs(row[x * 3 + c] - row[(x - 1) * 3 + c]);
        edges += change > 150;
    }
    return edges;
}
}  // namespace

TEST_F(CameraExchange, TwoHundredAsynchronousFramesAllDecodeAndEveryRecordComesBack) {
    std::string previous;
    DWORD libraryThread = 0;
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(RequestAsync(device::kGetJpegImage)) << "request " << i;
        auto done = camera.WaitForCompletion();
        ASSERT_TRUE(done) << "no completion for request " << i;
        EXPECT_EQ(done->code, device::kGetJpegImage);
        EXPECT_EQ(done->status, 0);
        EXPECT_EQ(done->kind, device::kResponseWithData);
        ASSERT_TRUE(IsCameraFrame(done->data)) << "frame " << i;
        EXPECT_NE(done->data, previous) << "frame " << i << " repeats the one before";
        if (i == 0) libraryThread = done->threadId;
        EXPECT_EQ(done->threadId, libraryThread);
        previous = std::move(done->data);
    }
    EXPECT_NE(libraryThread, ::GetCurrentThreadId());
    ASSERT_TRUE(camera.AllRecordsBack());
    auto counters = camera.control().Counters();
    EXPECT_EQ(counters.frames, 200);
    EXPECT_EQ(counters.recordsIssued, 200);
    EXPECT_EQ(counters.recordsReturned, 200);
    EXPECT_EQ(counters.badReturns, 0);
}

TEST_F(CameraExchange, SynchronousFrameIsOneWholeJpegFile) {
    auto request = device::MakeRequest(device::kGetJpegImage);
    HGLOBAL data = nullptr;
    DWORD size = 0, detail = 0;
    ASSERT_TRUE(camera->bRequest(&request, &data, &size, &detail)) << std::hex << detail;
    std::string file = CopyBlock(data, size);
    EXPECT_EQ(::GlobalFree(data), nullptr);
    ASSERT_GT(file.size(), 4u);
    EXPECT_EQ(file.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(file.substr(file.size() - 2), "\xFF\xD9");
    EXPECT_TRUE(IsCameraFrame(file));
}

namespace {
struct LensCase {
    const char* name;
    uint16_t command;
    uint32_t start, stop;  // held for a while between the two
    double (*measure)(const Decoded&);
    int direction;  // +1: the measure grows while the button is held
    uint16_t resetCommand;
    uint32_t resetParameter;
    DWORD resetHoldMs;  // 0: a single request
    DWORD holdMs = 700;
};

const LensCase kLensCases[] = {
    {"IrisOpenBrightens", standin::kCameraIris, 2, 4, Brightness, +1, standin::kCameraIris, 5, 0},
    {"IrisCloseDarkens", standin::kCameraIris, 3, 4, Brightness, -1, standin::kCameraIris, 5, 0},
    {"FocusNearBlurs", standin::kCameraFocus, 1, 0, Sharpness, -1, standin::kCameraAutoFocus, 0, 0},
    {"FocusFarBlurs", standin::kCameraFocus, 2, 0, Sharpness, -1, standin::kCameraAutoFocus, 0, 0},
    // The zoom moves slowest: held longer, so that a late press under load still shows.
    {"ZoomTeleEnlarges", standin::kCameraZoom, 1, 0, Edges, -1, standin::kCameraZoom, 2, 4000, 1500},
};

void PrintTo(const LensCase& c, std::ostream* os) { *os << c.name; }
}  // namespace

class LensCommands : public CameraExchange, public ::testing::WithParamInterface<LensCase> {};

TEST_P(LensCommands, ChangeThePictureWhileHeldAndTheResetUndoesIt) {
    const LensCase& c = GetParam();
    auto before = StillFrame(camera.get());
    ASSERT_TRUE(before);
    double base = c.measure(*before);

    ASSERT_TRUE(RequestAsync(c.command, c.start));
    PumpFor(c.holdMs);  // the button held: the time it is down is what moves the lens
    ASSERT_TRUE(RequestAsync(c.command, c.stop));
    for (int i = 0; i < 2; ++i) {
        auto done = camera.WaitForCompletion();
        ASSERT_TRUE(done);
        EXPECT_EQ(done->code, c.command);
        EXPECT_EQ(done->status, 0);
    }
    auto held = StillFrame(camera.get());
    ASSERT_TRUE(held);
    double moved = c.measure(*held);
    EXPECT_GT((moved - base) * c.direction, 0.1 * std::fabs(base)) << "before " << base << ", after " << moved;

    ASSERT_TRUE(RequestAsync(c.resetCommand, c.resetParameter));
    ASSERT_TRUE(camera.WaitForCompletion());
    if (c.resetHoldMs) {
        PumpFor(c.resetHoldMs);  // held back all the way
        ASSERT_TRUE(RequestAsync(c.resetCommand, 0));
        ASSERT_TRUE(camera.WaitForCompletion());
    }
    auto reset = StillFrame(camera.get());
    ASSERT_TRUE(reset);
    EXPECT_NEAR(c.measure(*reset), base, 0.05 * std::fabs(base));
}

INSTANTIATE_TEST_SUITE_P(Lens, LensCommands, ::testing::ValuesIn(kLensCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CameraExchange, UnknownCommandsAndParametersAreRefusedAtTheCall) {
    const struct { uint16_t command; uint32_t parameter; } kRefused[] = {
        {0x1234, 0}, {standin::kCameraZoom, 3}, {standin::kCameraIris, 1}, {standin::kCameraAutoFocus, 1},
        {device::kSdGetStatus, 0},  // card commands travel in packets
    };
    for (const auto& r : kRefused) {
        DWORD detail = 0;
        EXPECT_FALSE(RequestAsync(r.command, r.parameter, &detail)) << std::hex << r.command;
        EXPECT_EQ(detail, standin::kErrorBadArgument);
    }
    DWORD value = 0, detail = 0;
    EXPECT_FALSE(camera->bRequestAsync(camera.window(), nullptr, &value, &detail));
    EXPECT_FALSE(camera->bRequest(nullptr, nullptr, nullptr, &detail));
    EXPECT_EQ(camera.control().Counters().refused, 7);
}

TEST_F(CameraExchange, UnplugAndReplugReachTheNotifyWindowAndGateRequests) {
    ASSERT_TRUE(camera.control().Unplug());
    auto removal = camera.WaitForMessage(device::WM_DEVICE_NOTIFY);
    ASSERT_TRUE(removal);
    EXPECT_EQ(removal->wParam, device::kNotifyRemoval);
    EXPECT_FALSE(camera->IsConnect());
    DWORD detail = 0;
    EXPECT_FALSE(RequestAsync(device::kGetJpegImage, 0, &detail));
    EXPECT_EQ(detail, device::kErrorNotAvailable);
    EXPECT_FALSE(camera->bOpen(camera.window(), &detail));
    EXPECT_EQ(detail, device::kErrorNotAvailable);

    ASSERT_TRUE(camera.control().Plug());
    auto arrival = camera.WaitForMessage(device::WM_DEVICE_NOTIFY);
    ASSERT_TRUE(arrival);
    EXPECT_EQ(arrival->wParam, device::kNotifyArrival);
    EXPECT_TRUE(camera->IsConnect());
    // The removal closed the camera: requests wait for the application to open it again.
    EXPECT_FALSE(RequestAsync(device::kGetJpegImage, 0, &detail));
    EXPECT_EQ(detail, standin::kErrorNotOpen);
    ASSERT_TRUE(camera->bOpen(camera.window(), &detail));
    ASSERT_TRUE(RequestAsync(device::kGetJpegImage));
    auto done = camera.WaitForCompletion();
    ASSERT_TRUE(done);
    EXPECT_TRUE(IsCameraFrame(done->data));
}

TEST_F(CameraExchange, RequestWaitingWhenTheCameraGoesAwayCompletesWithAFailure) {
    camera.control().SetDelay(400);
    ASSERT_TRUE(RequestAsync(device::kGetJpegImage));
    ASSERT_TRUE(camera.control().Unplug());
    auto done = camera.WaitForCompletion();
    ASSERT_TRUE(done);
    EXPECT_NE(done->status, 0);
    EXPECT_TRUE(done->data.empty());
}

TEST_F(CameraExchange, RecordsHandedBackTwiceOrNeverIssuedAreIgnored) {
    ASSERT_TRUE(RequestAsync(device::kGetJpegImage));
    auto msg = camera.WaitForMessage(device::WM_DEVICE_REQUEST_COMPLETE);
    ASSERT_TRUE(msg);
    auto* record = reinterpret_cast<device::ResponseRecord*>(msg->lParam);
    DWORD thread = static_cast<DWORD>(msg->wParam);
    HandBack(thread, record);
    ::PostThreadMessageW(thread, device::WM_DEVICE_RESPONSE_RELEASE, 0, msg->lParam);  // twice
    device::ResponseRecord stranger{};
    ::PostThreadMessageW(thread, device::WM_DEVICE_RESPONSE_RELEASE, 0, reinterpret_cast<LPARAM>(&stranger));
    ASSERT_TRUE(WaitUntil([&] { return camera.control().Counters().badReturns >= 2; }));
    auto counters = camera.control().Counters();
    EXPECT_EQ(counters.recordsReturned, 1);
    EXPECT_EQ(counters.badReturns, 2);
    EXPECT_EQ(counters.recordsOutstanding, 0);
}

TEST_F(CameraExchange, CompletionForAWindowThatIsGoneIsNotLeaked) {
    HWND gone = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    camera.control().SetDelay(200);
    auto request = device::MakeRequest(device::kGetJpegImage);
    DWORD value = 0, detail = 0;
    ASSERT_TRUE(camera->bRequestAsync(gone, &request, &value, &detail));
    ::DestroyWindow(gone);
    // Issued once the delay passed, then taken back when the post found no window.
    EXPECT_TRUE(WaitUntil([&] {
        standin::CameraCounters c = camera.control().Counters();
        return c.recordsIssued == 1 && c.recordsOutstanding == 0;
    }));
    EXPECT_EQ(camera.control().Counters().recordsIssued, 1);
}

namespace {
// Faults injected through the control channel, each for a number of requests.
struct FaultCase {
    const char* name;
    void (standin::CameraControlClient::*inject)(LONG);
    bool accepted;       // the call itself succeeds
    bool failedStatus;   // the completion carries a nonzero status
    bool decodes;        // the completion's data is a camera frame
    bool empty;          // the completion carries no bytes
};

const FaultCase kFaults[] = {
    {"RefusedRequests", &standin::CameraControlClient::RefuseRequests, false, false, false, true},
    {"FailedResponses", &standin::CameraControlClient::FailResponses, true, true, false, true},
    {"UndecodableFrames", &standin::CameraControlClient::CorruptFrames, true, false, false, false},
    {"EmptyFrames", &standin::CameraControlClient::EmptyFrames, true, false, false, true},
};

void PrintTo(const FaultCase& f, std::ostream* os) { *os << f.name; }
}  // namespace

class InjectedFaults : public CameraExchange, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(InjectedFaults, HitExactlyTheNextRequestsThenFramesFlowAgain) {
    const FaultCase& f = GetParam();
    (camera.control().*f.inject)(2);
    for (int i = 0; i < 2; ++i) {
        DWORD detail = 0;
        ASSERT_EQ(RequestAsync(device::kGetJpegImage, 0, &detail), f.accepted ? TRUE : FALSE);
        if (!f.accepted) {
            EXPECT_EQ(detail, standin::kErrorBusy);
            continue;
        }
        auto done = camera.WaitForCompletion();
        ASSERT_TRUE(done);
        EXPECT_EQ(done->status != 0, f.failedStatus);
        EXPECT_EQ(done->data.empty(), f.empty);
        EXPECT_EQ(IsCameraFrame(done->data), f.decodes);
    }
    ASSERT_TRUE(RequestAsync(device::kGetJpegImage));
    auto done = camera.WaitForCompletion();
    ASSERT_TRUE(done);
    EXPECT_EQ(done->status, 0);
    EXPECT_TRUE(IsCameraFrame(done->data));
}

INSTANTIATE_TEST_SUITE_P(Faults, InjectedFaults, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CameraExchange, SynchronousRequestsReportRefusalsAndFailuresWithTheirDetail) {
    auto request = device::MakeRequest(device::kGetJpegImage);
    HGLOBAL data = nullptr;
    DWORD size = 0, detail = 0;
    camera.control().RefuseRequests(1);
    EXPECT_FALSE(camera->bRequest(&request, &data, &size, &detail));
    EXPECT_EQ(detail, standin::kErrorBusy);
    camera.control().FailResponses(1);
    EXPECT_FALSE(camera->bRequest(&request, &data, &size, &detail));
    EXPECT_EQ(detail, standin::kErrorTransfer);
    EXPECT_EQ(data, nullptr);
    EXPECT_TRUE(StillFrame(camera.get()));
}

TEST_F(CameraExchange, ResponseDelayHoldsTheCompletionBack) {
    camera.control().SetDelay(300);
    ULONGLONG start = ::GetTickCount64();
    ASSERT_TRUE(RequestAsync(device::kGetJpegImage));
    ASSERT_TRUE(camera.WaitForCompletion());
    // Only a lower bound, which a busy machine can only lengthen.
    EXPECT_GE(::GetTickCount64() - start, 290u);
}

TEST_F(CameraExchange, FrameRateSpacesTheFrames) {
    camera.control().SetFrameRate(10);
    ULONGLONG start = ::GetTickCount64();
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(RequestAsync(device::kGetJpegImage));
        ASSERT_TRUE(camera.WaitForCompletion());
    }
    EXPECT_GE(::GetTickCount64() - start, 490u);  // five gaps of 100 ms at least, as above
}

TEST(CameraStandIn, SettingsFileStartsItUnpluggedWithFaultsArmed) {
    LoadedCamera camera("[Camera]\r\nConnected=0\r\n[Faults]\r\nRefuseRequests=3\r\n");
    ASSERT_NE(camera.get(), nullptr);
    EXPECT_FALSE(camera->IsConnect());
    DWORD detail = 0;
    EXPECT_FALSE(camera->bOpen(nullptr, &detail));
    EXPECT_EQ(detail, device::kErrorNotAvailable);
    ASSERT_TRUE(camera.control().Plug());
    ASSERT_TRUE(camera->bOpen(nullptr, &detail));
    EXPECT_FALSE(StillFrame(camera.get()));
}

TEST(CameraStandIn, ServesTheJpegFilesOfAFrameFolderInTurn) {
    // Pictures of other sizes come out as 1024 x 768 frames too; a broken file is passed over.
    testing_support::TempFolder pictures;
    {
        LoadedCamera source(kFastFrames);
        DWORD detail = 0;
        ASSERT_TRUE(source->bOpen(nullptr, &detail));
        auto request = device::MakeRequest(device::kGetJpegImage);
        HGLOBAL data = nullptr;
        DWORD size = 0;
        ASSERT_TRUE(source->bRequest(&request, &data, &size, &detail));
        testing_support::WriteFileBytes(pictures / L"a.jpg", CopyBlock(data, size));
        ::GlobalFree(data);
    }
    testing_support::WriteFileBytes(pictures / L"b.jpg", "not a picture");
    LoadedCamera camera("[Camera]\r\nFrameRate=0\r\nFrameFolder=" +
                        std::string(pictures.path().begin(), pictures.path().end()) + "\r\n");
    DWORD detail = 0;
    ASSERT_TRUE(camera->bOpen(nullptr, &detail));
    for (int i = 0; i < 3; ++i) {
        auto frame = StillFrame(camera.get());
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->width, standin::kFrameWidth);
        EXPECT_EQ(frame->height, standin::kFrameHeight);
    }
}

TEST(CameraStandIn, ControlToolInAnotherProcessUnplugsTheCamera) {
    LoadedCamera camera;
    camera->SetNotifyWindow(camera.window());
    std::wstring tool = testing_support::TestProgramFolder() + L"KorvoCameraControl.exe";
    std::wstring commandLine = L"\"" + tool + L"\" --pid " + std::to_wstring(::GetCurrentProcessId()) + L" unplug";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(tool.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    fw::Handle thread(pi.hThread), process(pi.hProcess);
    ASSERT_EQ(::WaitForSingleObject(process.get(), testing_support::kProcessWaitLimitMs), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    auto removal = camera.WaitForMessage(device::WM_DEVICE_NOTIFY);
    ASSERT_TRUE(removal);
    EXPECT_EQ(removal->wParam, device::kNotifyRemoval);
    EXPECT_FALSE(camera->IsConnect());
}
