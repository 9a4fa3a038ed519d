// Dialog 2000 driven as a user would: its buttons, the camera leaving and
// coming back, the preview thread, and what reaches the application.
#include <gtest/gtest.h>

#include <cstdlib>

#include "AppProcess.h"
#include "Handles.h"
#include "TwainHost.h"

using namespace twain_test;
using testing_support::PumpFor;
using testing_support::WaitUntil;

namespace {

constexpr int kTransfer = 3, kClose = 2, kPlay = 5, kStop = 6, kStill = 2011, kPreview = 2013;
constexpr int kIrisOpen = 2004, kAutoFocus = 2008, kIrisNormal = 2012;

BOOL CALLBACK MatchSourceDialog(HWND hwnd, LPARAM param) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t caption[64] = {};
    ::GetWindowTextW(hwnd, caption, 64);
    if (pid != ::GetCurrentProcessId() || std::wstring(caption) != L"Korvo Document Camera TWAIN") return TRUE;
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
}

HWND FindSourceDialog() {
    HWND found = nullptr;
    ::EnumWindows(MatchSourceDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

class SourceDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
        ASSERT_EQ(source_.Enable(true), TWRC_SUCCESS);
        dialog_ = FindSourceDialog();
        ASSERT_NE(dialog_, nullptr);
    }

    void Click(int id) { ::SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(dialog_, id)) != FALSE; }
    // The middle of the preview area on the screen.
    COLORREF CentreOfPreview() {
        HWND area = ::GetDlgItem(dialog_, kPreview);
        RECT r;
        ::GetClientRect(area, &r);
        fw::WindowDC dc(area);
        return ::GetPixel(dc.get(), r.right / 2, r.bottom / 2);
    }
    LONG Frames() { return camera_.control().Counters().frames; }
    // Preview until the camera has served `n` more pictures.
    bool PreviewFrames(LONG n) {
        LONG before = Frames();
        Click(kPlay);
        return WaitUntil([&] { return Frames() >= before + n; });
    }

    CameraCopy camera_;
    BoxWatcher boxes_;
    LoadedSource source_;
    HWND dialog_ = nullptr;
};

}  // namespace

TEST_F(SourceDialog, PlayThenStopLeavesTransferEnabled) {
    EXPECT_FALSE(Enabled(kTransfer)) << "nothing to transfer yet";
    ASSERT_TRUE(PreviewFrames(2));
    EXPECT_FALSE(Enabled(kPlay));
    EXPECT_FALSE(Enabled(kStill));
    EXPECT_TRUE(Enabled(kStop));
    EXPECT_FALSE(Enabled(kTransfer));
    Click(kStop);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kPlay); }));
    EXPECT_TRUE(Enabled(kStill));
    EXPECT_FALSE(Enabled(kStop));
    EXPECT_TRUE(Enabled(kTransfer));
}

TEST_F(SourceDialog, PreviewPaintsThePicture) {
    ASSERT_TRUE(PreviewFrames(3));
    // PREVIEW_SECONDS keeps it previewing that long, for a photograph of the display.
    if (const char* seconds = std::getenv("PREVIEW_SECONDS")) PumpFor(1000 * std::atoi(seconds));
    Click(kStop);
    // Read from the screen: above the windows of tests running beside this one.
    ::SetWindowPos(dialog_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil([&] { return CentreOfPreview() != RGB(0, 0, 0); })) << "the test card, not the empty area";
}

TEST_F(SourceDialog, StillThenTransferAnnouncesOnce) {
    Click(kStill);
    ASSERT_TRUE(Enabled(kTransfer));
    Click(kTransfer);
    Click(kTransfer);
    ASSERT_TRUE(WaitUntil([] { return !ManagerMessages().empty(); }));
    EXPECT_EQ(ManagerMessages(), std::vector<TW_UINT16>{MSG_XFERREADY});
    TW_IMAGEINFO info{};
    EXPECT_EQ(source_.Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS) << "state 6";
    EXPECT_EQ(info.ImageWidth, 1024);
}

TEST_F(SourceDialog, CloseAsksTheApplicationToClose) {
    Click(kClose);
    EXPECT_EQ(ManagerMessages(), std::vector<TW_UINT16>{MSG_CLOSEDSREQ});
}

TEST_F(SourceDialog, CameraUnpluggedWhilePreviewingAndBack) {
    ASSERT_TRUE(PreviewFrames(1));
    ASSERT_TRUE(camera_.control().Unplug());
    ASSERT_TRUE(WaitUntil([&] { return !Enabled(kStop) && !Enabled(kPlay); }));
    EXPECT_FALSE(Enabled(kStill));
    ASSERT_TRUE(camera_.control().Plug());
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kPlay); }));
    EXPECT_TRUE(Enabled(kStill));
    EXPECT_FALSE(Enabled(kStop));
    Click(kStill);
    EXPECT_TRUE(Enabled(kTransfer)) << "the camera was opened again";
}

TEST_F(SourceDialog, ThreeFailedRequestsEndThePreviewWithOneMessage) {
    ASSERT_TRUE(PreviewFrames(1));
    camera_.control().FailResponses(3);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kPlay); }));
    ASSERT_FALSE(boxes_.WaitForTexts(1).empty());
    PumpFor(500);  // no second message follows
    EXPECT_EQ(boxes_.texts(), std::vector<std::wstring>{L"Unable to acquire live-monitor image."});
    EXPECT_FALSE(Enabled(kStop));
    EXPECT_FALSE(Enabled(kTransfer));
}

TEST_F(SourceDialog, DisableWhilePreviewingEndsThePreviewThread) {
    ASSERT_TRUE(PreviewFrames(1));
    ASSERT_EQ(source_.Disable(), TWRC_SUCCESS);
    EXPECT_EQ(FindSourceDialog(), nullptr);
    LONG requests = camera_.control().Counters().requests;
    PumpFor(600);  // no request comes after the thread ended
    EXPECT_EQ(camera_.control().Counters().requests, requests);
    EXPECT_EQ(source_.Enable(true), TWRC_SUCCESS) << "state 4 again";
}

TEST_F(SourceDialog, CameraKeysMoveWhileHeldAndFocusOnRelease) {
    auto pressAndRelease = [&](int id) {
        HWND key = ::GetDlgItem(dialog_, id);
        ::SendMessageW(key, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ::SendMessageW(key, WM_LBUTTONUP, 0, 0);
    };
    LONG before = camera_.control().RequestsLogged();
    pressAndRelease(kIrisOpen);
    pressAndRelease(kAutoFocus);
    pressAndRelease(kIrisNormal);
    std::vector<std::pair<uint16_t, uint32_t>> sent;
    ASSERT_TRUE(WaitUntil([&] { return camera_.control().RequestsLogged() >= before + 4; }));
    for (const standin::LoggedRequest& r : camera_.control().RecentRequests(before))
        sent.emplace_back(r.command, r.parameter);
    EXPECT_EQ(sent, (std::vector<std::pair<uint16_t, uint32_t>>{{0xE2, 2}, {0xE2, 4}, {0xE1, 0}, {0xE2, 5}}));
}

TEST_F(SourceDialog, DialogMessagesAreTheSources) {
    MSG msg{};
    msg.hwnd = dialog_;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    TW_EVENT event{&msg, 0xFFFF};
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event), TWRC_DSEVENT);
    EXPECT_EQ(event.TWMessage, MSG_NULL);
}

TEST_F(SourceDialog, CameraKeysWaitForThePreviewsRequest) {
    ASSERT_TRUE(PreviewFrames(1));
    camera_.control().SetDelay(800);
    LONG requests = camera_.control().Counters().requests;
    ASSERT_TRUE(WaitUntil([&] { return camera_.control().Counters().requests > requests; }));
    LONG frames = Frames();  // the preview's request is under way
    HWND key = ::GetDlgItem(dialog_, kIrisOpen);
    ::SendMessageW(key, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_GT(Frames(), frames) << "the key's request went out only once the preview's was answered";
    ::SendMessageW(key, WM_LBUTTONUP, 0, 0);
    camera_.control().SetDelay(0);
}

// A host whose message, dispatched while DISABLEDS waits for the preview
// thread, calls the source again; and a host that had already posted WM_QUIT.
TEST_F(SourceDialog, CallsNestedInDisableAreRefusedAndTheHostsQuitKept) {
    ASSERT_TRUE(PreviewFrames(1));
    camera_.control().SetDelay(800);
    LONG requests = camera_.control().Counters().requests;
    ASSERT_TRUE(WaitUntil([&] { return camera_.control().Counters().requests > requests; }));
    std::vector<std::pair<TW_UINT16, TW_UINT16>> nested;  // return code, condition
    auto refusal = [&](TW_UINT16 rc) { return std::make_pair(rc, source_.Condition()); };
    CallFromMessageLoop during([&] {
        nested.push_back(refusal(source_.Disable()));
        nested.push_back(refusal(source_.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source_.own)));
        return true;
    });
    ::PostQuitMessage(3);
    EXPECT_EQ(source_.Disable(), TWRC_SUCCESS);
    camera_.control().SetDelay(0);
    MSG quit{};
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the host's WM_QUIT survives";
    EXPECT_EQ(quit.wParam, 3u);
    ASSERT_TRUE(during.done());
    const std::pair<TW_UINT16, TW_UINT16> refused{TWRC_FAILURE, TWCC_SEQERROR};
    EXPECT_EQ(nested, (std::vector<std::pair<TW_UINT16, TW_UINT16>>{refused, refused}));
    EXPECT_EQ(FindSourceDialog(), nullptr);
    TW_PENDINGXFERS pending{};
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending), TWRC_SUCCESS) << "state 4";
    EXPECT_EQ(source_.Close(), TWRC_SUCCESS);
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending), TWRC_FAILURE) << "state 3";
}

// Disabled and closed while the STILL error box is up: no user answers it.
TEST(SourceDialogBox, ClosingWhileTheStillBoxIsUpTakesTheBoxAlong) {
    CameraCopy camera;
    LoadedSource source;
    ASSERT_EQ(source.Open(), TWRC_SUCCESS);
    ASSERT_EQ(source.Enable(true), TWRC_SUCCESS);
    HWND dialog = FindSourceDialog();
    ASSERT_NE(dialog, nullptr);
    camera.control().FailResponses(3);
    std::vector<TW_UINT16> results;
    bool boxWentWithTheDialog = false;
    CallFromMessageLoop during([&] {
        HWND box = FindSourceBox();
        if (!box) return false;
        results = {source.Disable(), source.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source.own)};
        boxWentWithTheDialog = !::IsWindow(box);
        if (!boxWentWithTheDialog) testing_support::PressButton(box, IDOK);  // or the click never returns
        return true;
    });
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kStill, BN_CLICKED), 0);
    ASSERT_TRUE(during.done());
    EXPECT_EQ(results, (std::vector<TW_UINT16>{TWRC_SUCCESS, TWRC_SUCCESS}));
    EXPECT_TRUE(boxWentWithTheDialog) << "the box is the dialog's";
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(source.Open(), TWRC_SUCCESS) << "closed, and open again";
}
