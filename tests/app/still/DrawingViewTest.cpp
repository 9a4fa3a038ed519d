// Drawing with the mouse on a picture window: what lands in the overlay and
// the composite, how it turns with the picture, and what Save writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "AppHarness.h"
#include "PictureFixtures.h"
#include "base/DrawingSettings.h"
#include "shell/MainFrame.h"
#include "still/ImageDoc.h"
#include "still/ImageFrame.h"
#include "still/ImageView.h"
#include "resource.h"

using namespace testing_support;
using picture_fixtures::DibPixels;
using picture_fixtures::Pixels;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

LPARAM At(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

Pixels SurfacePixels(HDC dc) {
    ::GdiFlush();
    return DibPixels(static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP)));
}

COLORREF PixelOf(const Pixels& p, int x, int y) {
    const BYTE* bgr = p.at(x, y);
    return RGB(bgr[2], bgr[1], bgr[0]);
}

class DrawingViewTest : public AppTest {
protected:
    // A picture at `zoom`, scrolled to `scroll`, with the pen set as given.
    CImageView* Picture(double zoom = 1.0, POINT scroll = {0, 0}) {
        if (!Open(WriteJpeg(L"picture.jpg", 240, 180))) return nullptr;
        CImageView* view = ActiveImageView();
        view->SetZoom(zoom);
        view->SetScrollPosition(scroll.x, scroll.y);
        view->GetDocument()->SetModifiedFlag(false);
        return view;
    }
    void Pen(UINT tool, COLORREF color, int width = 3, int eraserSize = 10) {
        CDrawingSettings& s = mainFrame()->drawingSettings();
        s.SetLineColor(color);
        s.SetLineWidth(width);
        s.SetEraserSize(eraserSize);
        s.SetLineKind(0);
        mainFrame()->SetCurrentTool(tool);
    }
    void Press(CImageView* view, POINT p) {
        ::SendMessageW(view->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(p));
        PumpMessages();  // the press's own move
    }
    void Drag(CImageView* view, POINT from, POINT to) {
        Press(view, from);
        ::SendMessageW(view->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(to));
        ::SendMessageW(view->hwnd(), WM_LBUTTONUP, 0, At(to));
        PumpMessages();
    }
    COLORREF OverlayAt(CImageView* view, POINT p) {
        ::GdiFlush();
        return ::GetPixel(view->overlayDC(), p.x, p.y);
    }
    COLORREF CompositeAt(CImageView* view, POINT p) {
        ::GdiFlush();
        return ::GetPixel(view->compositeDC(), p.x, p.y);
    }
};

}  // namespace

TEST_F(DrawingViewTest, AClickDrawsAtThePicturePixelUnderThePointer) {
    struct Case {
        UINT tool;
        double zoom;
        POINT scroll, click, picture;  // picture: where the pixel lands
        COLORREF overlay;
    } cases[] = {
        {ID_TOOL_FREE_LINE, 1.0, {0, 0}, {30, 20}, {30, 20}, kRed},
        {ID_TOOL_FREE_LINE, 2.0, {10, 6}, {30, 20}, {20, 13}, kRed},
        {ID_TOOL_ERASER, 2.0, {10, 6}, {30, 20}, {20, 13}, CImageView::kKeyColor},
    };
    for (const Case& c : cases) {
        CImageView* view = Picture(c.zoom, c.scroll);
        ASSERT_NE(view, nullptr);
        if (c.tool == ID_TOOL_ERASER) {
            Pen(ID_TOOL_FREE_LINE, kBlue, 7);
            Drag(view, c.click, c.click);
        }
        view->GetDocument()->SetModifiedFlag(false);
        Pen(c.tool, kRed);
        Drag(view, c.click, c.click);
        EXPECT_EQ(OverlayAt(view, c.picture), c.overlay) << c.tool << " at " << c.zoom;
        EXPECT_TRUE(view->GetDocument()->IsModified()) << c.tool;
        EXPECT_EQ(::GetCapture(), nullptr);
        ::SendMessageW(ActiveImageFrame()->hwnd(), WM_CLOSE_WITHOUT_SAVE, 0, 0);
        PumpMessages();
    }
}

TEST_F(DrawingViewTest, ShapesShowAsRubberBandsAndLandAtTheRelease) {
    CImageView* view = Picture();
    ASSERT_NE(view, nullptr);
    Pen(ID_TOOL_LINE, kRed);
    Press(view, POINT{20, 20});
    ::SendMessageW(view->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(POINT{100, 20}));
    EXPECT_EQ(CompositeAt(view, POINT{90, 20}), kRed);
    EXPECT_EQ(OverlayAt(view, POINT{90, 20}), CImageView::kKeyColor);
    // The next move wipes the band it replaces.
    ::SendMessageW(view->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(POINT{20, 100}));
    EXPECT_NE(CompositeAt(view, POINT{90, 20}), kRed);
    EXPECT_EQ(CompositeAt(view, POINT{20, 90}), kRed);
    ::SendMessageW(view->hwnd(), WM_LBUTTONUP, 0, At(POINT{20, 100}));
    EXPECT_EQ(OverlayAt(view, POINT{20, 100}), kRed);
    EXPECT_EQ(OverlayAt(view, POINT{20, 105}), CImageView::kKeyColor);
}

TEST_F(DrawingViewTest, TheKeyGreyLeavesNoTrace) {
    CImageView* view = Picture();
    ASSERT_NE(view, nullptr);
    Pen(ID_TOOL_FREE_LINE, CImageView::kKeyColor, 7);
    Drag(view, POINT{10, 10}, POINT{200, 150});
    Pen(ID_TOOL_RECTANGLE, CImageView::kKeyColor, 7);
    Drag(view, POINT{30, 30}, POINT{120, 90});
    const Pixels composite = SurfacePixels(view->compositeDC()), base = SurfacePixels(view->baseDC());
    EXPECT_EQ(composite.bgr, base.bgr);
}

TEST_F(DrawingViewTest, DrawingTurnsWithThePicturePixelForPixel) {
    CImageView* view = Picture();
    ASSERT_NE(view, nullptr);
    Pen(ID_TOOL_RECTANGLE, kRed, 5);
    Drag(view, POINT{10, 20}, POINT{90, 60});
    Pen(ID_TOOL_FREE_LINE, kBlue, 3);
    Drag(view, POINT{150, 30}, POINT{200, 170});
    const Pixels overlay = SurfacePixels(view->overlayDC()), composite = SurfacePixels(view->compositeDC());
    Command(ID_ROTATE_CW);
    // The top left corner (10, 20) of 240 x 180 goes 20 in from the right, 10 down.
    EXPECT_EQ(OverlayAt(view, POINT{180 - 1 - 20, 10}), kRed);
    for (int i = 0; i < 3; ++i) Command(ID_ROTATE_CW);
    EXPECT_EQ(SurfacePixels(view->overlayDC()).bgr, overlay.bgr);
    EXPECT_EQ(SurfacePixels(view->compositeDC()).bgr, composite.bgr);
}

TEST_F(DrawingViewTest, SaveWritesTheDrawingAndEraseAllTakesItOut) {
    CImageView* view = Picture();
    ASSERT_NE(view, nullptr);
    Pen(ID_TOOL_HORIZONTAL, kRed, 5);
    Drag(view, POINT{20, 50}, POINT{200, 90});
    const std::wstring target = folder / L"drawn.bmp";
    FileDialogScript dialogs({FileDialogScript::Answer{target, 1}});
    Command(ID_FILE_SAVE_AS);
    Pixels saved;
    ASSERT_TRUE(picture_fixtures::ReadWithWic(target, saved));
    EXPECT_EQ(PixelOf(saved, 100, 50), kRed);
    EXPECT_EQ(PixelOf(saved, 100, 90), PixelOf(SurfacePixels(view->baseDC()), 100, 90));

    // Erased from the palette with the hand tool current: the picture counts
    // as changed again, and Save writes it as it came.
    mainFrame()->SetCurrentTool(ID_TOOL_HAND);
    EXPECT_FALSE(view->GetDocument()->IsModified());
    mainFrame()->EraseDrawing(ID_TOOL_ERASE_ALL);
    EXPECT_TRUE(view->GetDocument()->IsModified());
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(picture_fixtures::ReadWithWic(target, saved));
    EXPECT_EQ(saved.bgr, SurfacePixels(view->baseDC()).bgr);
}

TEST_F(DrawingViewTest, EraseAreaTakesTheSelectionOnly) {
    CImageView* view = Picture(2.0);
    ASSERT_NE(view, nullptr);
    Pen(ID_TOOL_FREE_LINE, kRed, 9);
    Drag(view, POINT{10, 40}, POINT{200, 40});  // picture row 20, x 5 to 100
    mainFrame()->EraseDrawing(ID_TOOL_ERASE_AREA);  // no selection: nothing
    EXPECT_EQ(OverlayAt(view, POINT{30, 20}), kRed);
    view->SetSelection(RECT{40, 20, 80, 60});  // picture 20..40 across
    mainFrame()->EraseDrawing(ID_TOOL_ERASE_AREA);
    EXPECT_EQ(OverlayAt(view, POINT{30, 20}), CImageView::kKeyColor);
    EXPECT_EQ(OverlayAt(view, POINT{19, 20}), kRed);
    EXPECT_EQ(OverlayAt(view, POINT{40, 20}), kRed);
    EXPECT_TRUE(view->HasSelection());
}

TEST_F(DrawingViewTest, EachToolShowsItsCursorOverThePicture) {
    CImageView* view = Picture();
    ASSERT_NE(view, nullptr);
    HINSTANCE app = ::GetModuleHandleW(nullptr);
    struct Case {
        UINT tool;
        int eraserSize;
        HCURSOR cursor;
    } cases[] = {
        {ID_TOOL_FREE_LINE, 10, ::LoadCursorW(app, MAKEINTRESOURCEW(IDC_PEN))},
        {ID_TOOL_LINE, 10, ::LoadCursorW(app, MAKEINTRESOURCEW(IDC_PEN))},
        {ID_TOOL_RECTANGLE, 10, ::LoadCursorW(nullptr, IDC_CROSS)},
        {ID_TOOL_VERTICAL, 10, ::LoadCursorW(nullptr, IDC_CROSS)},
        {ID_TOOL_ERASER, 6, ::LoadCursorW(app, MAKEINTRESOURCEW(IDC_ERASER_SMALL))},
        {ID_TOOL_ERASER, 10, ::LoadCursorW(app, MAKEINTRESOURCEW(IDC_ERASER_MEDIUM))},
        {ID_TOOL_ERASER, 16, ::LoadCursorW(app, MAKEINTRESOURCEW(IDC_ERASER_LARGE))},
        {ID_TOOL_ERASER, 12, ::LoadCursorW(app, MAKEINTRESOURCEW(IDC_ERASER_SMALL))},
    };
    for (const Case& c : cases) {
        Pen(c.tool, kRed, 3, c.eraserSize);
        ::SetCursor(nullptr);
        ::SendMessageW(view->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(view->hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), c.cursor) << c.tool << " " << c.eraserSize;
    }
}
