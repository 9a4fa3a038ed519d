#pragma once
// The live monitor's window opened on the real main frame, with frames handed
// to the view on the test thread, and ways of reading what it shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppHarness.h"
#include "DocTemplate.h"
#include "Handles.h"
#include "PictureFixtures.h"
#include "Surface.h"
#include "Wait.h"
#include "live/AnimeDoc.h"
#include "live/AnimeFrame.h"
#include "live/AnimeView.h"
#include "picture/ViewData.h"
#include "shell/MainFrame.h"
#include "shell/PictavoApp.h"

namespace live_testing {

using testing_support::AppTest;
using testing_support::PumpMessages;

inline SIZE ClientSize(HWND window) {
    RECT rc{};
    ::GetClientRect(window, &rc);
    return SIZE{rc.right, rc.bottom};
}

inline bool HasBar(HWND window, LONG bar) { return (::GetWindowLongW(window, GWL_STYLE) & bar) != 0; }

inline LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Any bitmap's pixels, as GetDIBits gives them in 24 bits.
inline picture_fixtures::Pixels BitmapPixels(HBITMAP bitmap) {
    BITMAP bm{};
    picture_fixtures::Pixels p;
    if (!::GetObjectW(bitmap, sizeof(bm), &bm)) return p;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const size_t stride = (static_cast<size_t>(bm.bmWidth) * 3 + 3) & ~size_t{3};
    std::vector<BYTE> rows(stride * bm.bmHeight);
    fw::WindowDC screen(nullptr);
    if (::GetDIBits(screen.get(), bitmap, 0, bm.bmHeight, rows.data(), &info, DIB_RGB_COLORS) != bm.bmHeight) return p;
    p.width = bm.bmWidth;
    p.height = bm.bmHeight;
    p.bgr.resize(static_cast<size_t>(p.width) * p.height * 3);
    for (int y = 0; y < p.height; ++y)
        std::copy_n(&rows[y * stride], p.width * 3, &p.bgr[static_cast<size_t>(y) * p.width * 3]);
    return p;
}

class LiveWindowTest : public AppTest {
protected:
    // A live window from the "Anime" template, as the main frame opens it.
    CAnimeFrame* OpenLive() {
        for (const auto& t : PictavoApp()->docTemplates()) {
            if (t->GetDocString(fw::DocTemplate::FileNewName) != L"Anime") continue;
            fw::DocTemplate::Opened opened = t->OpenNew(*mainFrame(), true);
            PumpMessages();
            frame_ = dynamic_cast<CAnimeFrame*>(opened.frame);
            view_ = frame_ ? frame_->animeView() : nullptr;
            return frame_;
        }
        return nullptr;
    }

    // One camera frame, decoded at the view's scale as the decode thread would.
    int Feed(int width, int height, int* outcome = nullptr) {
        const std::string jpeg = picture_fixtures::MakeJpeg(width, height);
        int result = view_->livePicture().LoadPicture(jpeg.data(), static_cast<DWORD>(jpeg.size()), outcome);
        PumpMessages();
        return result;
    }

    // The document's picture as the last frame decoded it.
    picture_fixtures::Pixels Decoded() const {
        return BitmapPixels(frame_->animeDocument()->viewData()->GetPicture().bitmap);
    }

    SIZE Picture() const {
        CAnimeDoc* doc = frame_->animeDocument();
        return SIZE{doc->GetPictureWidth(), doc->GetPictureHeight()};
    }

    POINT Scroll() const {
        return POINT{::GetScrollPos(view_->hwnd(), SB_HORZ), ::GetScrollPos(view_->hwnd(), SB_VERT)};
    }

    void Drag(POINT from, POINT to) {
        ::SendMessageW(view_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(from.x, from.y));
        ::SendMessageW(view_->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(to.x, to.y));
        ::SendMessageW(view_->hwnd(), WM_LBUTTONUP, 0, At(to.x, to.y));
        PumpMessages();
    }

    bool Logged(const char* text) const {
        for (const std::string& line : LogLines())
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

    CAnimeFrame* frame_ = nullptr;
    CAnimeView* view_ = nullptr;
};

// What `window` shows in the rectangle `area` of its client area, read back
// from the screen once pending paints are done.
inline picture_fixtures::Pixels ShownPixels(HWND window, RECT area) {
    ::UpdateWindow(window);
    picture_fixtures::Pixels shown;
    shown.width = area.right - area.left;
    shown.height = area.bottom - area.top;
    fw::WindowDC screen(window);
    fw::Surface copy;
    if (!screen || !copy.Create(screen.get(), SIZE{shown.width, shown.height}, fw::SurfaceFormat::TopDownDib24))
        return picture_fixtures::Pixels{};
    ::BitBlt(copy.dc(), 0, 0, shown.width, shown.height, screen.get(), area.left, area.top, SRCCOPY);
    ::GdiFlush();
    shown.bgr.resize(static_cast<size_t>(shown.width) * shown.height * 3);
    for (int y = 0; y < shown.height; ++y)
        std::copy_n(copy.Row(y), shown.width * 3, &shown.bgr[static_cast<size_t>(y) * shown.width * 3]);
    return shown;
}

inline picture_fixtures::Pixels ShownPixels(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return ShownPixels(window, client);
}

inline COLORREF ColourAt(const picture_fixtures::Pixels& p, int x, int y) {
    const BYTE* bgr = p.at(x, y);
    return RGB(bgr[2], bgr[1], bgr[0]);
}

}  // namespace live_testing
