// The main window's hold on the camera, against a scripted camera library.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "TestSupport.h"
#include "base/CameraConnection.h"
#include "resource.h"
#include "Strings.h"

using namespace testing_support;

namespace {

// Answers bOpen and bRequest from scripts; connected until told otherwise.
class ScriptedCamera : public device::IDeviceControl {
public:
    void __stdcall SetNotifyWindow(HWND) override {}
    BOOL __stdcall IsConnect() override { return connected; }
    BOOL __stdcall bOpen(HWND, DWORD* detail) override {
        ++opens;
        *detail = openDetail;
        return openResult;
    }
    BOOL __stdcall bClose(DWORD*) override {
        ++closes;
        return TRUE;
    }
    BOOL __stdcall bRequestPacketAsync(HWND, void*, DWORD*, DWORD*) override { return FALSE; }
    BOOL __stdcall bRequestAsync(HWND, const device::RequestHeader*, DWORD*, DWORD*) override { return FALSE; }
    BOOL __stdcall bRequestPacket(void*, DWORD*) override { return FALSE; }
    BOOL __stdcall bRequest(const device::RequestHeader* request, HGLOBAL* data, DWORD* size, DWORD* detail) override {
        ++requests;
        lastCommand = request->command;
        const bool ok = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        if (disconnectAfterFailure && !ok) connected = FALSE;
        *detail = ok ? 0 : 0x81010009;
        if (!ok) return FALSE;
        *data = ::GlobalAlloc(GMEM_MOVEABLE, 4);
        *size = 4;
        return TRUE;
    }

    BOOL connected = TRUE;
    BOOL openResult = TRUE;
    DWORD openDetail = 0;
    std::deque<bool> answers;
    bool disconnectAfterFailure = false;
    int opens = 0, closes = 0, requests = 0;
    uint16_t lastCommand = 0;
};

}  // namespace

TEST(CameraConnection, OpenTellsUsableFromUnusableAndReportsOnlyRealFaults) {
    struct Case {
        const char* name;
        BOOL result;
        DWORD detail;
        bool open;
        bool box;
    };
    const Case cases[] = {
        {"opened", TRUE, 0, true, false},
        {"already open", FALSE, device::kErrorAlreadyOpen, true, false},
        {"not available", FALSE, device::kErrorNotAvailable, false, false},
        {"not available (second code)", FALSE, device::kErrorNotAvailable2, false, false},
        {"other failure", FALSE, 0x81010001, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageBoxRecorder boxes;
        ScriptedCamera camera;
        camera.openResult = c.result;
        camera.openDetail = c.detail;
        CCameraConnection connection(&camera);
        EXPECT_EQ(connection.Open(nullptr) != 0, c.open);
        EXPECT_EQ(connection.isOpen(), c.open);
        ASSERT_EQ(boxes.boxes().size(), c.box ? 1u : 0u);
        if (c.box) {
            EXPECT_EQ(boxes.boxes()[0].text, fw::LoadResString(IDS_INTERNAL_ERROR));
        }
    }
}

TEST(CameraConnection, NotificationsOpenOnArrivalAndReportRemovalOnce) {
    ScriptedCamera camera;
    CCameraConnection connection(&camera);
    using Change = CCameraConnection::Change;
    EXPECT_EQ(connection.OnNotify(device::kNotifyRemoval, nullptr), Change::None) << "nothing open to lose";
    EXPECT_EQ(connection.OnNotify(device::kNotifyArrival, nullptr), Change::Arrived);
    EXPECT_EQ(connection.OnNotify(device::kNotifyArrival, nullptr), Change::None) << "already open";
    EXPECT_EQ(camera.opens, 1);
    EXPECT_EQ(connection.OnNotify(device::kNotifyRemoval, nullptr), Change::Removed);
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(connection.OnNotify(device::kNotifyRemoval, nullptr), Change::None);
    EXPECT_EQ(connection.Close(), 0) << "a lost camera is not closed again";
    EXPECT_EQ(camera.closes, 0);
}

TEST(CameraConnection, CameraWindowsCloseOnlyOnceTheCameraIsGoneAndNoBoxIsOpen) {
    ScriptedCamera camera;
    CCameraConnection connection(&camera);
    HWND a = reinterpret_cast<HWND>(0x10), b = reinterpret_cast<HWND>(0x20);
    connection.AddCameraWindow(a);
    connection.AddCameraWindow(nullptr);
    connection.AddCameraWindow(b);
    EXPECT_FALSE(connection.LostForGood(0)) << "still connected";
    camera.connected = FALSE;
    EXPECT_FALSE(connection.LostForGood(1)) << "a box is open";
    EXPECT_TRUE(connection.LostForGood(0));
    EXPECT_EQ(connection.TakeCameraWindows(), (std::vector<HWND>{a, b}));
    EXPECT_TRUE(connection.TakeCameraWindows().empty()) << "handed over once";
}

TEST(CameraConnection, StillIsTriedThreeTimesWhileTheCameraStaysConnected) {
    struct Case {
        const char* name;
        std::deque<bool> answers;
        bool disconnect;
        int requests;
        bool still;
    };
    const Case cases[] = {
        {"first try", {true}, false, 1, true},
        {"third try", {false, false, true}, false, 3, true},
        {"three failures", {false, false, false, true}, false, 3, false},
        {"camera gone after a failure", {false, true}, true, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedCamera camera;
        camera.answers = c.answers;
        camera.disconnectAfterFailure = c.disconnect;
        CCameraConnection connection(&camera);
        CCameraConnection::Still still = connection.FetchStill();
        EXPECT_EQ(camera.requests, c.requests);
        EXPECT_EQ(camera.lastCommand, device::kGetJpegImage);
        EXPECT_EQ(still.answered, c.still);
        EXPECT_EQ(static_cast<bool>(still.block), c.still);
        EXPECT_EQ(still.size, c.still ? 4u : 0u);
    }
}

TEST(CameraConnection, WithoutACameraLibraryNothingIsCalled) {
    CCameraConnection connection(nullptr);
    EXPECT_EQ(connection.Open(nullptr), 0);
    EXPECT_EQ(connection.OnNotify(device::kNotifyArrival, nullptr), CCameraConnection::Change::None);
    EXPECT_TRUE(connection.LostForGood(0));
    EXPECT_FALSE(connection.FetchStill().answered);
}
