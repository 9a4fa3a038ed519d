// The remote-control panel on the camera stand-in: what each key sends while
// it is pressed, held and released (read from the camera's request log), how
// the panel hides and comes back, and what it draws.
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "AppHarness.h"
#include "CameraControlClient.h"
#include "Surface.h"
#include "Wait.h"
#include "remote/VexaDialog.h"
#include "shell/MainFrame.h"
#include "resource.h"

namespace {

using testing_support::AppTest;
using Sent = std::vector<std::pair<uint16_t, uint32_t>>;

constexpr uint16_t kZoom = 0xE0, kAutoFocus = 0xE1, kIris = 0xE2, kFocus = 0xEA;

class RemoteControlTest : public AppTest {
protected:
    bool WithCamera() const override { return true; }
    std::string CameraSettings() const override { return "[Camera]\r\nFrameRate=0\r\n"; }

    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(mainFrame()->deviceOpen());
        ASSERT_EQ(InitRemoteCtrl(*mainFrame(), mainFrame()->liveControl(), PictavoApp()->deviceControl(), panel), 1);
        EXPECT_FALSE(panel->IsVisible());
        panel->ShowPanel();
        PumpMessages();
        camera_.emplace();
        mark_ = camera_->RequestsLogged();
        returnedAtMark_ = camera_->Counters().recordsReturned;
    }

    void TearDown() override {
        panel.reset();
        camera_.reset();
        AppTest::TearDown();
    }

    HWND Key(int id) { return panel->Key(id)->hwnd(); }
    void Mouse(int id, UINT msg) {
        ::SendMessageW(Key(id), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(12, 12));
    }
    void Click(int id) {
        Mouse(id, WM_LBUTTONDOWN);
        Mouse(id, WM_LBUTTONUP);
    }
    // What the camera received since the panel was shown.
    Sent Requests() const {
        Sent out;
        for (const auto& r : camera_->RecentRequests(mark_)) out.emplace_back(r.command, r.parameter);
        return out;
    }
    // The requests once at least `count` reached the camera.
    Sent RequestsWhen(size_t count) const {
        testing_support::WaitUntil([&] { return Requests().size() >= count; });
        return Requests();
    }
    // Every request was answered and its response record went back to the library.
    bool AllResponsesBack() {
        return testing_support::WaitUntil([&] {
            standin::CameraCounters c = camera_->Counters();
            return c.recordsOutstanding == 0 &&
                   c.recordsReturned - returnedAtMark_ == camera_->RequestsLogged() - mark_;
        });
    }

    std::unique_ptr<CVexaDialog> panel;

private:
    std::optional<standin::CameraControlClient> camera_;
    LONG mark_ = 0;
    LONG returnedAtMark_ = 0;
};

struct KeyCase {
    const char* name;
    int id;
    Sent onPress, onRelease;
};

const KeyCase kKeyCases[] = {
    {"iris normal", IDC_BTN_NORMAL, {{kIris, 5}}, {}},
    {"iris open", IDC_BTN_OPEN, {{kIris, 2}}, {{kIris, 4}}},
    {"iris close", IDC_BTN_CLOSE, {{kIris, 3}}, {{kIris, 4}}},
    {"focus near", IDC_BTN_NEAR, {{kFocus, 1}}, {{kFocus, 0}}},
    {"focus far", IDC_BTN_FAR, {{kFocus, 2}}, {{kFocus, 0}}},
    {"auto focus", IDC_BTN_AF, {}, {{kAutoFocus, 0}}},
    {"tele", IDC_BTN_TELE, {{kZoom, 1}}, {{kZoom, 0}}},
    {"wide", IDC_BTN_WIDE, {{kZoom, 2}}, {{kZoom, 0}}},
};

Sent Joined(Sent a, const Sent& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(RemoteControlTest, EachKeySendsItsRequestsOnPressAndReleaseOnly) {
    Sent expected;
    for (const KeyCase& k : kKeyCases) {
        SCOPED_TRACE(k.name);
        Mouse(k.id, WM_LBUTTONDOWN);
        expected = Joined(expected, k.onPress);
        EXPECT_EQ(RequestsWhen(expected.size()), expected);
        testing_support::PumpFor(300);  // held: nothing more is sent meanwhile
        EXPECT_EQ(Requests(), expected);
        Mouse(k.id, WM_LBUTTONUP);
        expected = Joined(expected, k.onRelease);
        EXPECT_EQ(RequestsWhen(expected.size()), expected);
    }
    EXPECT_TRUE(AllResponsesBack());
}

TEST_F(RemoteControlTest, DoubleClickIsASecondPress) {
    Mouse(IDC_BTN_WIDE, WM_LBUTTONDOWN);
    Mouse(IDC_BTN_WIDE, WM_LBUTTONUP);
    Mouse(IDC_BTN_WIDE, WM_LBUTTONDBLCLK);
    Mouse(IDC_BTN_WIDE, WM_LBUTTONUP);
    EXPECT_EQ(Requests(), (Sent{{kZoom, 2}, {kZoom, 0}, {kZoom, 2}, {kZoom, 0}}));
    EXPECT_TRUE(AllResponsesBack());
}

// A held key whose release never comes must not leave the lens running.
TEST_F(RemoteControlTest, HeldMovementStopsWhenTheKeyLosesTheMouse) {
    struct Case {
        const char* name;
        int id;
        void (*interrupt)(CVexaDialog&, HWND frame);
        Sent expected;
    };
    const Case cases[] = {
        {"panel hidden", IDC_BTN_TELE, [](CVexaDialog& p, HWND) { p.HidePanel(); }, {{kZoom, 1}, {kZoom, 0}}},
        {"panel disabled", IDC_BTN_FAR, [](CVexaDialog& p, HWND) { p.Enable(false); }, {{kFocus, 2}, {kFocus, 0}}},
        {"mouse taken", IDC_BTN_OPEN, [](CVexaDialog&, HWND f) { ::SetCapture(f); }, {{kIris, 2}, {kIris, 4}}},
        // Auto focus acts on a completed click only.
        {"auto focus", IDC_BTN_AF, [](CVexaDialog&, HWND f) { ::SetCapture(f); }, {}},
    };
    Sent expected;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mouse(c.id, WM_LBUTTONDOWN);
        c.interrupt(*panel, mainFrame()->hwnd());
        expected = Joined(expected, c.expected);
        EXPECT_EQ(Requests(), expected);
        ::ReleaseCapture();
        Mouse(c.id, WM_LBUTTONUP);  // a late release adds nothing
        EXPECT_EQ(Requests(), expected);
        panel->Enable(true);
        panel->ShowPanel();
    }
    // Nor does a release over a key that was pressed elsewhere.
    Mouse(IDC_BTN_AF, WM_LBUTTONUP);
    Mouse(IDC_BTN_WIDE, WM_LBUTTONUP);
    EXPECT_EQ(Requests(), expected);
    EXPECT_TRUE(AllResponsesBack());
}

TEST_F(RemoteControlTest, FirstShownAtTheWorkspaceTopRightThenWhereItWasLeft) {
    RECT work, first;
    ::GetWindowRect(mainFrame()->mdiClient(), &work);
    ::GetWindowRect(panel->hwnd(), &first);
    // Inside the workspace, so neither the menu nor the toolbar is covered.
    EXPECT_GE(first.top, work.top);
    EXPECT_GT(first.left, (work.left + work.right) / 2);
    EXPECT_LE(first.right, work.right);
    // Owned by the main frame: bringing the frame forward keeps the panel above it.
    EXPECT_EQ(::GetWindow(panel->hwnd(), GW_OWNER), mainFrame()->hwnd());
    ::SetWindowPos(mainFrame()->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetActiveWindow(mainFrame()->hwnd());
    PumpMessages();
    bool panelAbove = false;
    for (HWND w = ::GetWindow(mainFrame()->hwnd(), GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV))
        panelAbove |= w == panel->hwnd();
    EXPECT_TRUE(panelAbove);

    struct Case {
        const char* name;
        UINT msg;
        WPARAM wParam;
    };
    const Case cases[] = {
        {"close message", WM_CLOSE, 0},
        {"close box", WM_SYSCOMMAND, SC_CLOSE},
        {"escape", WM_COMMAND, IDCANCEL},
    };
    // Where the user moved it, not where it first came.
    ::SetWindowPos(panel->hwnd(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT shown;
    ::GetWindowRect(panel->hwnd(), &shown);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MSG stale;
        while (::PeekMessageW(&stale, mainFrame()->hwnd(), WM_ACTIVATE_FULLSCREEN, WM_ACTIVATE_FULLSCREEN, PM_REMOVE)) {
        }
        ::SendMessageW(panel->hwnd(), c.msg, c.wParam, 0);
        EXPECT_TRUE(::IsWindow(panel->hwnd()));
        EXPECT_FALSE(panel->IsVisible());
        MSG posted;
        EXPECT_TRUE(::PeekMessageW(&posted, mainFrame()->hwnd(), WM_ACTIVATE_FULLSCREEN, WM_ACTIVATE_FULLSCREEN,
                                   PM_REMOVE));
        panel->ShowPanel();
        EXPECT_TRUE(panel->IsVisible());
        RECT again;
        ::GetWindowRect(panel->hwnd(), &again);
        EXPECT_TRUE(::EqualRect(&again, &shown));
    }
}

TEST_F(RemoteControlTest, RestoreWaitsForTheMainFramesModalDialog) {
    ::ShowWindow(panel->hwnd(), SW_MINIMIZE);
    mainFrame()->SuspendLive();
    ASSERT_TRUE(mainFrame()->InModalDialog());
    ::SendMessageW(panel->hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(::IsIconic(panel->hwnd()));
    mainFrame()->ResumeLive();
    ::SendMessageW(panel->hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(::IsIconic(panel->hwnd()));

    ::ShowWindow(panel->hwnd(), SW_MINIMIZE);
    panel->ShowPanel();
    EXPECT_FALSE(::IsIconic(panel->hwnd()));
    EXPECT_EQ(::GetWindowLongPtrW(panel->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

COLORREF PixelOf(UINT bitmapId, int x, int y) {
    fw::GdiObject bitmap(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0,
                                      LR_CREATEDIBSECTION));
    fw::Surface dc;
    dc.Borrow(nullptr, static_cast<HBITMAP>(bitmap.get()));
    return ::GetPixel(dc.dc(), x, y);
}

// What a window paints, through WM_PRINTCLIENT into a 32-bit surface of its
// size (so the screen's colour depth plays no part).
COLORREF Painted(HWND window, int x, int y) {
    RECT r;
    ::GetClientRect(window, &r);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = r.right;
    info.bmiHeader.biHeight = -r.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    fw::GdiObject surface(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    fw::Surface dc;
    dc.Borrow(nullptr, static_cast<HBITMAP>(surface.get()));
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.dc()), PRF_CLIENT);
    return ::GetPixel(dc.dc(), x, y);
}

TEST_F(RemoteControlTest, PanelAndKeysShowTheirBitmapsAtTheirPlaces) {
    RECT client;
    ::GetClientRect(panel->hwnd(), &client);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 120);
    EXPECT_EQ(Painted(panel->hwnd(), 3, 60), PixelOf(IDB_REMOTE_BACKGROUND, 3, 60));

    const POINT places[] = {{85, 6}, {136, 6}, {187, 6}, {85, 44}, {136, 44}, {187, 44}, {85, 82}, {136, 82}};
    for (int i = 0; i < 8; ++i) {
        HWND key = Key(IDC_BTN_NORMAL + i);
        RECT r;
        ::GetWindowRect(key, &r);
        ::MapWindowPoints(nullptr, panel->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, places[i].x) << i;
        EXPECT_EQ(r.top, places[i].y) << i;
        EXPECT_EQ(r.right - r.left, 34) << i;
        EXPECT_EQ(r.bottom - r.top, 33) << i;
    }

    HWND tele = Key(IDC_BTN_TELE);
    EXPECT_EQ(Painted(tele, 4, 4), PixelOf(IDB_ZOOM_TELE, 4, 4));
    Mouse(IDC_BTN_TELE, WM_LBUTTONDOWN);
    EXPECT_EQ(Painted(tele, 4, 4), PixelOf(IDB_ZOOM_TELE_DOWN, 4, 4));
    EXPECT_NE(PixelOf(IDB_ZOOM_TELE_DOWN, 4, 4), PixelOf(IDB_ZOOM_TELE, 4, 4));
    Mouse(IDC_BTN_TELE, WM_LBUTTONUP);
    EXPECT_EQ(Painted(tele, 4, 4), PixelOf(IDB_ZOOM_TELE, 4, 4));
    EXPECT_TRUE(AllResponsesBack());
}

}  // namespace
