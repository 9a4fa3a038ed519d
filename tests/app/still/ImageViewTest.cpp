#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppHarness.h"
#include "picture/BitmapFile.h"
#include "picture/FullScreenWnd.h"
#include "still/ImageDoc.h"
#include "still/ImageFrame.h"
#include "still/ImageView.h"
#include "shell/MainFrame.h"
#include "picture/ViewData.h"
#include "resource.h"

using namespace testing_support;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

// The pixel bytes of the bitmap selected into a surface, row padding left out.
struct Snapshot {
    int width = 0, height = 0;
    std::vector<BYTE> bytes;
    bool operator==(const Snapshot& o) const { return width == o.width && height == o.height && bytes == o.bytes; }
};

Snapshot Take(HDC dc) {
    ::GdiFlush();
    DIBSECTION ds{};
    Snapshot s;
    if (::GetObjectW(::GetCurrentObject(dc, OBJ_BITMAP), sizeof(ds), &ds) != sizeof(ds)) return s;
    s.width = ds.dsBm.bmWidth;
    s.height = ds.dsBm.bmHeight;
    const BYTE* bits = static_cast<const BYTE*>(ds.dsBm.bmBits);
    for (int row = 0; row < s.height; ++row)
        s.bytes.insert(s.bytes.end(), bits + row * ds.dsBm.bmWidthBytes, bits + row * ds.dsBm.bmWidthBytes + s.width * 3);
    return s;
}

void Fill(HDC dc, RECT rect, COLORREF color) {
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(dc, &rect, brush);
    ::DeleteObject(brush);
}

POINT BarPositions(const CImageView* view) {
    return POINT{::GetScrollPos(view->hwnd(), SB_HORZ), ::GetScrollPos(view->hwnd(), SB_VERT)};
}

POINT StoredPositions(CImageView* view) {
    CViewData* data = view->GetDocument()->viewData();
    return POINT{data->GetScrollPosition(SB_HORZ), data->GetScrollPosition(SB_VERT)};
}

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class ImageViewTest : public AppTest {
protected:
    CImageView* OpenPicture(int width, int height) {
        if (!Open(WriteJpeg(L"picture.jpg", width, height))) return nullptr;
        return ActiveImageView();
    }

    // Sizes the picture window so that the view's client area is w x h.
    void SetClient(CImageView* view, int w, int h) {
        HWND frame = ::GetParent(view->hwnd());
        for (int i = 0; i < 4; ++i) {
            RECT client, outer;
            ::GetClientRect(view->hwnd(), &client);
            if (client.right == w && client.bottom == h) return;
            ::GetWindowRect(frame, &outer);
            ::SetWindowPos(frame, nullptr, 0, 0, outer.right - outer.left + w - client.right,
                           outer.bottom - outer.top + h - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
            PumpMessages();
        }
    }

    // 800 x 600 at 100 % in a 400 x 400 client: room to scroll both ways.
    CImageView* ScrollablePicture() {
        CImageView* view = OpenPicture(800, 600);
        if (!view) return nullptr;
        view->ActualSize();
        SetClient(view, 400, 400);
        return view;
    }

    void Drag(CImageView* view, POINT from, const std::vector<POINT>& moves, POINT to) {
        ::SendMessageW(view->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(from.x, from.y));
        PumpMessages();  // the press's own move
        for (POINT q : moves) ::SendMessageW(view->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(q.x, q.y));
        ::SendMessageW(view->hwnd(), WM_LBUTTONUP, 0, At(to.x, to.y));
        PumpMessages();
    }

    bool NoViewFailureLogged() const {
        for (const std::string& line : LogLines())
            if (line.find("CImageView::") != std::string::npos) return false;
        return true;
    }

    // Lines of `source` reporting that the call `step` failed.
    int FailuresLogged(const std::string& source, const std::string& step) const {
        int count = 0;
        for (const std::string& line : LogLines())
            count += line.find(source) != std::string::npos && line.find("[" + step + "]") != std::string::npos;
        return count;
    }
};

}  // namespace

TEST_F(ImageViewTest, TurnsRestorePictureAndDrawingBitForBit) {
    CImageView* view = OpenPicture(61, 37);  // odd widths: rows carry padding
    ASSERT_NE(view, nullptr);
    Fill(view->overlayDC(), RECT{5, 3, 20, 10}, kRed);
    ASSERT_TRUE(view->RenewalPicture());
    const Snapshot base = Take(view->baseDC()), overlay = Take(view->overlayDC());

    const std::vector<std::vector<UINT>> sequences = {
        {ID_ROTATE_CW, ID_ROTATE_CW, ID_ROTATE_CW, ID_ROTATE_CW},
        {ID_ROTATE_CW, ID_ROTATE_CCW},
        {ID_ROTATE_180, ID_ROTATE_CCW, ID_ROTATE_CCW},
    };
    for (size_t i = 0; i < sequences.size(); ++i) {
        for (UINT id : sequences[i]) Command(id);
        EXPECT_TRUE(Take(view->baseDC()) == base) << "sequence " << i;
        EXPECT_TRUE(Take(view->overlayDC()) == overlay) << "sequence " << i;
    }

    // A quarter turn clockwise: the drawing's top left corner (5, 3) goes to
    // the right edge, 3 pixels in, 5 rows down.
    Command(ID_ROTATE_CW);
    const Snapshot turned = Take(view->compositeDC());
    EXPECT_EQ(turned.width, 37);
    EXPECT_EQ(turned.height, 61);
    EXPECT_EQ(::GetPixel(view->compositeDC(), 37 - 1 - 3, 5), kRed);
    EXPECT_NE(::GetPixel(view->compositeDC(), 3, 5), kRed);
    EXPECT_TRUE(view->GetDocument()->IsModified());
}

TEST_F(ImageViewTest, ZoomToSelectionBringsItsCornerToTheViewsCorner) {
    CImageView* view = ScrollablePicture();
    ASSERT_NE(view, nullptr);
    struct Case {
        POINT scroll;
        RECT selection;
        POINT expected;
    } cases[] = {
        {{0, 0}, {0, 0, 100, 50}, {0, 0}},
        {{0, 0}, {60, 40, 160, 90}, {240, 160}},
        {{100, 50}, {10, 20, 110, 70}, {440, 280}},
    };
    for (const Case& c : cases) {
        view->ActualSize();
        view->SetScrollPosition(c.scroll.x, c.scroll.y);
        view->SetSelection(c.selection);
        Command(ID_VIEW_ZOOM_SELECTION);
        EXPECT_DOUBLE_EQ(view->GetDocument()->GetZoom(), 4.0);
        POINT bars = BarPositions(view), stored = StoredPositions(view);
        EXPECT_EQ(bars.x, c.expected.x);
        EXPECT_EQ(bars.y, c.expected.y);
        EXPECT_EQ(stored.x, c.expected.x);
        EXPECT_EQ(stored.y, c.expected.y);
        EXPECT_FALSE(view->HasSelection());
    }
    EXPECT_TRUE(NoViewFailureLogged());
}

TEST_F(ImageViewTest, HandDragStopsAtTheScrollLimits) {
    CImageView* view = ScrollablePicture();
    ASSERT_NE(view, nullptr);
    mainFrame()->SetCurrentTool(ID_TOOL_HAND);
    struct Case {
        POINT move, expected;
    } cases[] = {
        {{150, 180}, {50, 20}},
        {{-1000, -1000}, {800 - 400 + 1, 600 - 400 + 1}},
        {{5000, 5000}, {0, 0}},
    };
    ::SendMessageW(view->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(200, 200));
    PumpMessages();
    EXPECT_EQ(::GetCapture(), view->hwnd());
    for (const Case& c : cases) {
        ::SendMessageW(view->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(c.move.x, c.move.y));
        POINT bars = BarPositions(view), stored = StoredPositions(view);
        EXPECT_EQ(bars.x, c.expected.x) << c.move.x;
        EXPECT_EQ(bars.y, c.expected.y) << c.move.y;
        EXPECT_EQ(stored.x, c.expected.x);
        EXPECT_EQ(stored.y, c.expected.y);
    }
    ::SendMessageW(view->hwnd(), WM_LBUTTONUP, 0, At(0, 0));
    EXPECT_NE(::GetCapture(), view->hwnd());
    // Moves after the release scroll nothing.
    ::SendMessageW(view->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(0, 0));
    EXPECT_EQ(BarPositions(view).x, 0);
}

TEST_F(ImageViewTest, SelectionsOfAtMostTwoByTwoAreDropped) {
    CImageView* view = ScrollablePicture();
    ASSERT_NE(view, nullptr);
    mainFrame()->SetCurrentTool(ID_TOOL_SELECT);
    struct Case {
        POINT from, to;
        bool kept;
        RECT rect;
    } cases[] = {
        {{10, 10}, {12, 12}, false, {}},
        {{10, 10}, {13, 11}, true, {10, 10, 13, 11}},
        {{50, 40}, {-5, 20}, true, {0, 20, 50, 40}},  // held at the view's left edge
    };
    for (const Case& c : cases) {
        Drag(view, c.from, {c.to}, c.to);
        EXPECT_EQ(view->HasSelection(), c.kept) << c.to.x << "," << c.to.y;
        const RECT rect = view->selection();
        if (c.kept) {
            EXPECT_TRUE(::EqualRect(&rect, &c.rect)) << c.to.x << "," << c.to.y;
        }
    }
}

TEST_F(ImageViewTest, CursorFollowsTheToolInsideTheClientAreaOnly) {
    CImageView* view = ScrollablePicture();
    ASSERT_NE(view, nullptr);
    HINSTANCE app = ::GetModuleHandleW(nullptr);
    struct Case {
        UINT tool, hit;
        HCURSOR cursor;
    } cases[] = {
        {ID_TOOL_HAND, HTCLIENT, ::LoadCursorW(app, MAKEINTRESOURCEW(IDC_HAND_OPEN))},
        {ID_TOOL_SELECT, HTCLIENT, ::LoadCursorW(nullptr, IDC_CROSS)},
        {ID_TOOL_HAND, HTVSCROLL, ::LoadCursorW(nullptr, IDC_ARROW)},
        {ID_TOOL_SELECT, HTHSCROLL, ::LoadCursorW(nullptr, IDC_ARROW)},
    };
    for (const Case& c : cases) {
        mainFrame()->SetCurrentTool(c.tool);
        ::SetCursor(nullptr);
        ::SendMessageW(view->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(view->hwnd()), MAKELPARAM(c.hit, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), c.cursor) << c.tool << " " << c.hit;
    }
    mainFrame()->SetCurrentTool(ID_TOOL_HAND);
    ::SendMessageW(view->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(app, MAKEINTRESOURCEW(IDC_HAND_CLOSED)));
    ::SendMessageW(view->hwnd(), WM_LBUTTONUP, 0, At(20, 20));
}

TEST_F(ImageViewTest, ScrollBarsAppearOnlyWhenThePictureOutgrowsTheClient) {
    CImageView* view = OpenPicture(400, 300);
    ASSERT_NE(view, nullptr);
    auto bars = [&] { return ::GetWindowLongW(view->hwnd(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL); };
    RECT client;
    ::GetClientRect(view->hwnd(), &client);
    // Opened at 100 % in a window of the picture's size: exactly as wide
    // and as high as the client, so neither bar.
    EXPECT_DOUBLE_EQ(view->GetDocument()->GetZoom(), 1.0);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    EXPECT_EQ(bars(), 0);

    Command(ID_VIEW_ZOOM_IN);
    EXPECT_EQ(bars(), WS_HSCROLL | WS_VSCROLL);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetClientRect(view->hwnd(), &client);
    ASSERT_TRUE(::GetScrollInfo(view->hwnd(), SB_HORZ, &si));
    EXPECT_EQ(si.nMax, 600);
    EXPECT_EQ(static_cast<int>(si.nPage), client.right);
    // Line-down at the end stays at maximum - page + 1.
    view->SetScrollPosition(10000, 0);
    ::SendMessageW(view->hwnd(), WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(BarPositions(view).x, 600 - client.right + 1);

    Command(ID_VIEW_ACTUAL_SIZE);
    EXPECT_EQ(bars(), 0);
    EXPECT_EQ(BarPositions(view).x, 0);
    // Smaller than the client: black beside and below the picture.
    Command(ID_VIEW_ZOOM_OUT);
    EXPECT_EQ(bars(), 0);
    EXPECT_EQ(::GetPixel(view->displayDC(), 0, 0), ::GetPixel(view->compositeDC(), 0, 0));
    EXPECT_EQ(::GetPixel(view->displayDC(), 399, 299), RGB(0, 0, 0));
    EXPECT_TRUE(NoViewFailureLogged());
}

TEST_F(ImageViewTest, EraseAreaMapsTheClientRectangleToPicturePixels) {
    CImageView* view = ScrollablePicture();
    ASSERT_NE(view, nullptr);
    view->SetZoom(2.0);
    view->SetScrollPosition(10, 6);
    Fill(view->overlayDC(), RECT{0, 0, 800, 600}, kRed);
    // Client (4, 2) at scroll (10, 6) and 200 % is picture pixel (7, 4);
    // 20 x 10 client pixels are 10 x 5 picture pixels.
    view->EraseArea(4, 2, 20, 10);
    HDC overlay = view->overlayDC();
    EXPECT_EQ(::GetPixel(overlay, 7, 4), CImageView::kKeyColor);
    EXPECT_EQ(::GetPixel(overlay, 16, 8), CImageView::kKeyColor);
    EXPECT_EQ(::GetPixel(overlay, 6, 4), kRed);
    EXPECT_EQ(::GetPixel(overlay, 17, 8), kRed);
    EXPECT_EQ(::GetPixel(overlay, 16, 9), kRed);
    EXPECT_EQ(::GetPixel(view->compositeDC(), 7, 4), ::GetPixel(view->baseDC(), 7, 4));
    // What is painted: client (x, y) shows picture pixel ((10 + x) / 2, (6 + y) / 2).
    EXPECT_EQ(::GetPixel(view->displayDC(), 4, 2), ::GetPixel(view->compositeDC(), 7, 4));
    EXPECT_EQ(::GetPixel(view->displayDC(), 30, 30), kRed);

    view->EraseAllArea();
    EXPECT_TRUE(Take(view->compositeDC()) == Take(view->baseDC()));
}

TEST_F(ImageViewTest, ACompositeTooLargeToMakeKeepsThePictureComposedSoFar) {
    CImageView* view = OpenPicture(64, 48);
    ASSERT_NE(view, nullptr);
    Fill(view->overlayDC(), RECT{5, 3, 20, 10}, kRed);
    ASSERT_TRUE(view->RenewalPicture());
    const Snapshot composed = Take(view->compositeDC());
    CViewData* data = view->GetDocument()->viewData();
    // Sizes whose pixels pass 4 GB: no DIB section can hold them.
    const SIZE cases[] = {{100000, 100000}, {1, 0x7FFFFFFF}, {0x7FFFFFFF, 1}};
    int failures = 0;
    for (const SIZE& size : cases) {
        AnswerBoxesWith(IDOK);
        PictureRecord claimed{CBitmapFile().CreateDib(4, 4), size.cx, size.cy};
        ASSERT_TRUE(data->SetDecodedPicture(1, claimed));
        EXPECT_FALSE(view->RenewalPicture()) << size.cx << " x " << size.cy;
        EXPECT_TRUE(Take(view->compositeDC()) == composed) << size.cx << " x " << size.cy;
        EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{
                                  L"Insufficient system resource for execution.\nPlease close other applications and try again."});
        ++failures;
        EXPECT_EQ(FailuresLogged("CImageView::CreateDIBBitmap", "CreateDIBSection()"), failures);
        EXPECT_EQ(FailuresLogged("CImageView::ResizeMemoryDC", "CreateCompatibleBitmap"), failures);
        EXPECT_EQ(FailuresLogged("CImageView::ResizeMemoryDC", "SelectObject"), 0);
    }
}

TEST_F(ImageViewTest, FullScreenClosesOnEscapeOnRequestAndWithThePicture) {
    CImageView* view = OpenPicture(320, 240);
    ASSERT_NE(view, nullptr);
    enum Closer { EscapeKey, ExitMessage, ClosePicture };
    for (Closer closer : {EscapeKey, ExitMessage, ClosePicture}) {
        Command(ID_VIEW_FULL_SCREEN);
        HWND window = testing_support::FindFullScreenWindow();
        ASSERT_NE(window, nullptr) << closer;
        EXPECT_TRUE(::IsWindowVisible(window));
        EXPECT_TRUE(view->IsFullScreen());
        switch (closer) {
        case EscapeKey: ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0); break;
        case ExitMessage: ::PostMessageW(view->hwnd(), WM_EXIT_FULL_SCREEN, 0, 0); break;
        case ClosePicture: ::SendMessageW(::GetParent(view->hwnd()), WM_CLOSE, 0, 0); break;
        }
        PumpMessages();
        EXPECT_FALSE(::IsWindow(window)) << closer;
        if (closer != ClosePicture) {
            EXPECT_FALSE(view->IsFullScreen());
        }
    }
    EXPECT_EQ(PictureWindowCount(), 0);
}
