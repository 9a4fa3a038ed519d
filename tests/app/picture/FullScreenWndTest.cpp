#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "picture/FullScreenWnd.h"
#include "Handles.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

constexpr uint32_t kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
constexpr const wchar_t* kName = L"_FULLSCREENWND_PICTAVO_QZT_WINDOWNAME_";

// A 32-bit top-down DIB section; pixels read as 0x00RRGGBB.
struct Dib {
    int width, height;
    uint32_t* bits = nullptr;
    fw::GdiObject bitmap;

    Dib(int w, int h) : width(w), height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap.reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
    }
    uint32_t at(int x, int y) const { return bits[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
    // Left and right halves apart, so a mirrored or cut copy shows.
    void Fill(uint32_t left, uint32_t right) {
        ::GdiFlush();
        for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
            bits[i] = static_cast<int>(i % width) < width / 2 ? left : right;
    }
};

class FullScreenWindow : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_TRUE(owner_);
    }
    void TearDown() override {
        if (displaced_) ::SelectObject(source_, displaced_);
        ::DeleteDC(source_);
        ::DestroyWindow(owner_);
    }
    // The owner keeps one picture DC and swaps its bitmap from frame to frame.
    void Show(const Dib& picture) {
        HGDIOBJ previous = ::SelectObject(source_, picture.bitmap.get());
        if (!displaced_) displaced_ = previous;
    }
    Dib Capture(HWND hwnd) const {
        Dib shown(screen_.cx, screen_.cy);
        HDC mem = ::CreateCompatibleDC(nullptr), dc = ::GetDC(hwnd);
        HGDIOBJ old = ::SelectObject(mem, shown.bitmap.get());
        ::BitBlt(mem, 0, 0, screen_.cx, screen_.cy, dc, 0, 0, SRCCOPY);
        ::SelectObject(mem, old);
        ::ReleaseDC(hwnd, dc);
        ::DeleteDC(mem);
        return shown;
    }
    int ExitRequests() {
        int n = 0;
        MSG msg;
        while (::PeekMessageW(&msg, owner_, WM_EXIT_FULL_SCREEN, WM_EXIT_FULL_SCREEN, PM_REMOVE)) ++n;
        return n;
    }

    MessageBoxRecorder boxes_;
    HWND owner_ = nullptr;
    HDC source_ = ::CreateCompatibleDC(nullptr);
    HGDIOBJ displaced_ = nullptr;
    const SIZE screen_{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
};

}  // namespace

TEST(FullScreenPlacement, FitsThePictureCentredAndHalftonesOnlyWhenShrinking) {
    struct Case {
        int screenW, screenH, pictureW, pictureH;
        RECT target;
        bool halftone;
    } cases[] = {
        {1280, 1024, 1024, 768, {0, 32, 1280, 992}, false},    // bars above and below
        {1920, 1080, 2048, 1536, {240, 0, 1680, 1080}, true},  // bars left and right
        {1024, 768, 1024, 768, {0, 0, 1024, 768}, false},      // exact fit
        {1024, 768, 0, 768, {0, 0, 0, 0}, false},              // no picture: nothing to place
    };
    for (const Case& c : cases) {
        FullScreenPlacement p = PlaceFullScreen(c.screenW, c.screenH, c.pictureW, c.pictureH);
        SCOPED_TRACE(testing::Message() << c.pictureW << "x" << c.pictureH << " on " << c.screenW << "x" << c.screenH);
        EXPECT_TRUE(::EqualRect(&p.target, &c.target));
        EXPECT_EQ(p.halftone, c.halftone);
    }
}

TEST_F(FullScreenWindow, CoversTheScreenAndOnlyClickEnterEscapeAskTheOwnerToLeave) {
    CFullScreenWnd wnd(owner_, source_);
    ASSERT_TRUE(wnd.Constructed());
    EXPECT_EQ(::FindWindowW(nullptr, kName), wnd.hwnd());
    RECT rc, screen{0, 0, screen_.cx, screen_.cy};
    ::GetWindowRect(wnd.hwnd(), &rc);
    EXPECT_TRUE(::EqualRect(&rc, &screen));
    EXPECT_TRUE(::IsWindowVisible(wnd.hwnd()));
    EXPECT_EQ(::GetWindow(wnd.hwnd(), GW_OWNER), owner_);

    struct Case {
        UINT msg;
        WPARAM wParam;
        int requests;
    } cases[] = {
        {WM_KEYDOWN, VK_RETURN, 1}, {WM_KEYDOWN, VK_ESCAPE, 1}, {WM_LBUTTONDOWN, MK_LBUTTON, 1},
        {WM_KEYDOWN, VK_SPACE, 0},  {WM_KEYDOWN, 'A', 0},       {WM_RBUTTONDOWN, MK_RBUTTON, 0},
        {WM_CLOSE, 0, 0},
    };
    for (const Case& c : cases) {
        ::SendMessageW(wnd.hwnd(), c.msg, c.wParam, MAKELPARAM(10, 10));
        EXPECT_EQ(ExitRequests(), c.requests) << "message " << c.msg << " key " << c.wParam;
    }
    EXPECT_TRUE(::IsWindow(wnd.hwnd()));  // closing is the owner's decision alone
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(FullScreenWindow, DrawsThePictureBetweenBlackBarsUntilTheOwnerStopsIt) {
    CFullScreenWnd wnd(owner_, source_);
    ASSERT_TRUE(wnd.Constructed());
    EXPECT_EQ(wnd.DrawPicture(), 0);  // no back buffer yet
    ASSERT_EQ(wnd.Initialize(), 1);
    // Wider, taller and larger than the screen: bars on either axis, and a
    // picture shrunk with half-tone.
    const SIZE pictures[] = {{200, 100}, {100, 200}, {screen_.cx * 3, screen_.cy}};
    for (SIZE size : pictures) {
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        Dib picture(size.cx, size.cy);
        picture.Fill(kRed, kGreen);
        Show(picture);
        EXPECT_EQ(wnd.DrawPicture(), 1);

        Dib shown = Capture(wnd.hwnd());
        RECT t = PlaceFullScreen(screen_.cx, screen_.cy, size.cx, size.cy).target;
        const int midX = (t.left + t.right) / 2, midY = (t.top + t.bottom) / 2;
        EXPECT_EQ(shown.at((t.left + midX) / 2, midY), kRed);
        EXPECT_EQ(shown.at((midX + t.right) / 2, midY), kGreen);
        // Each bar, where there is one, sampled at its middle.
        const POINT bars[] = {{midX, t.top / 2}, {midX, (t.bottom + screen_.cy) / 2}, {t.left / 2, midY},
                              {(t.right + screen_.cx) / 2, midY}};
        const RECT screen{0, 0, screen_.cx, screen_.cy};
        for (POINT p : bars) {
            if (::PtInRect(&screen, p) && !::PtInRect(&t, p)) {
                EXPECT_EQ(shown.at(p.x, p.y), kBlack) << p.x << "," << p.y;
            }
        }
    }

    // A frame arriving after StopDrawing is dropped; painting keeps the last.
    Dib last(200, 100), late(200, 100);
    last.Fill(kRed, kRed);
    late.Fill(kBlue, kBlue);
    Show(last);
    ASSERT_EQ(wnd.DrawPicture(), 1);
    wnd.StopDrawing();
    Show(late);
    EXPECT_EQ(wnd.DrawPicture(), 1);
    ::InvalidateRect(wnd.hwnd(), nullptr, TRUE);
    ::UpdateWindow(wnd.hwnd());
    EXPECT_EQ(Capture(wnd.hwnd()).at(screen_.cx / 2, screen_.cy / 2), kRed);
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(FullScreenWindow, ADrawerDrawsEveryFrameAndExposureStraightIntoTheWindowUntilStopped) {
    Dib picture(200, 100);
    picture.Fill(kRed, kGreen);
    Show(picture);
    int calls = 0;
    bool fails = false;
    CFullScreenWnd wnd(owner_, [&](HDC dc, const RECT& client) {
        ++calls;
        const RECT t = PrepareFullScreen(dc, client, SIZE{200, 100}).target;
        return !fails && ::StretchBlt(dc, t.left, t.top, t.right - t.left, t.bottom - t.top, source_, 0, 0, 200, 100,
                                      SRCCOPY) != FALSE;
    });
    ASSERT_TRUE(wnd.Constructed());
    ASSERT_EQ(wnd.Initialize(), 1);  // no back buffer to make
    ASSERT_EQ(wnd.DrawPicture(), 1);
    const RECT t = PlaceFullScreen(screen_.cx, screen_.cy, 200, 100).target;
    const int midX = (t.left + t.right) / 2, midY = (t.top + t.bottom) / 2;
    Dib shown = Capture(wnd.hwnd());
    EXPECT_EQ(shown.at((t.left + midX) / 2, midY), kRed);
    EXPECT_EQ(shown.at((midX + t.right) / 2, midY), kGreen);
    if (t.top > 0) {
        EXPECT_EQ(shown.at(midX, t.top / 2), kBlack);
    }

    struct Step {
        bool stopped, fails;
        int result, drawerCalls;  // of one DrawPicture and one exposed paint
    } steps[] = {{false, false, 1, 2}, {false, true, 0, 2}, {true, false, 1, 0}};
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "stopped " << s.stopped << " fails " << s.fails);
        if (s.stopped) wnd.StopDrawing();
        fails = s.fails;
        const int before = calls;
        EXPECT_EQ(wnd.DrawPicture(), s.result);
        ::InvalidateRect(wnd.hwnd(), nullptr, FALSE);
        ::UpdateWindow(wnd.hwnd());
        EXPECT_EQ(calls - before, s.drawerCalls);
    }
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(FullScreenWindow, ReleasingTheObjectTakesALeftoverWindowWithIt) {
    auto wnd = std::make_unique<CFullScreenWnd>(owner_, source_);
    ASSERT_TRUE(wnd->Constructed());
    HWND hwnd = wnd->hwnd();
    wnd.reset();
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(FullScreenWindow, FailedCreationReportsAnInternalErrorAndLeavesNoWindow) {
    HWND gone = ::CreateWindowExW(0, L"STATIC", L"gone", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(gone);
    CFullScreenWnd wnd(gone, source_);
    EXPECT_FALSE(wnd.Constructed());
    EXPECT_EQ(::FindWindowW(nullptr, kName), nullptr);
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, L"An internal error had occurred.");
    EXPECT_EQ(boxes_.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}
