// Strokes drawn on plain surfaces, without a view: where each tool puts its
// pixels in picture coordinates at several zooms.
#include <windows.h>

#include <gtest/gtest.h>

#include "Surface.h"
#include "base/DrawingSettings.h"
#include "drawing/DrawingStroke.h"
#include "drawing/DrawingTools.h"
#include "drawing/EditPen.h"
#include "resource.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

void Fill(HDC dc, SIZE size, COLORREF color) {
    fw::GdiObject brush(::CreateSolidBrush(color));
    RECT all{0, 0, size.cx, size.cy};
    ::FillRect(dc, &all, static_cast<HBRUSH>(brush.get()));
}

// An overlay with nothing drawn and a white composite, as a view has them.
struct Canvas {
    explicit Canvas(SIZE size = SIZE{200, 160}) {
        overlay.Create(nullptr, size, fw::SurfaceFormat::BottomUpDib24);
        composite.Create(nullptr, size, fw::SurfaceFormat::BottomUpDib24);
        Fill(overlay.dc(), size, kDrawingKeyColor);
        Fill(composite.dc(), size, RGB(255, 255, 255));
    }
    COLORREF Overlay(int x, int y) const { ::GdiFlush(); return ::GetPixel(overlay.dc(), x, y); }
    int CountOverlay(COLORREF color) const {
        ::GdiFlush();
        int n = 0;
        for (int y = 0; y < overlay.size().cy; ++y)
            for (int x = 0; x < overlay.size().cx; ++x) n += ::GetPixel(overlay.dc(), x, y) == color;
        return n;
    }
    fw::Surface overlay, composite;
};

CDrawingSettings Settings(int width, BYTE kind, COLORREF color, int eraserSize = 10) {
    CDrawingSettings s;
    s.SetLineWidth(width);
    s.SetLineKind(kind);
    s.SetLineColor(color);
    s.SetEraserSize(eraserSize);
    return s;
}

// The press and its own move, as the view posts it.
bool Click(CDrawingStroke& stroke, Canvas& canvas, UINT tool, const CDrawingSettings& s, double zoom, POINT p) {
    POINT changed[2];
    return stroke.Begin(tool, s, PictureMapping{zoom, POINT{0, 0}}, p) &&
           stroke.Move(p, canvas.overlay.dc(), canvas.composite.dc(), changed);
}

}  // namespace

TEST(EditPen, EraserKeepsItsScreenSizeOtherPensTheirPictureWidth) {
    const CDrawingSettings s = Settings(5, 1, kRed, 16);
    struct Case {
        UINT tool;
        double zoom;
        int width;
        bool dotted, square;
        COLORREF color;
    } cases[] = {
        {ID_TOOL_ERASER, 1.0, 16, false, true, kDrawingKeyColor},
        {ID_TOOL_ERASER, 2.0, 8, false, true, kDrawingKeyColor},
        {ID_TOOL_ERASER, 3.0, 5, false, true, kDrawingKeyColor},
        {ID_TOOL_FREE_LINE, 3.0, 5, true, false, kRed},
        {ID_TOOL_RECTANGLE, 0.5, 5, true, false, kRed},
    };
    for (const Case& c : cases) {
        const EditPenStyle style = EditPenFor(s, c.tool, c.zoom);
        EXPECT_EQ(style.width, c.width) << c.tool << " at " << c.zoom;
        EXPECT_EQ(style.dotted, c.dotted) << c.tool;
        EXPECT_EQ(style.squareEnds, c.square) << c.tool;
        EXPECT_EQ(style.color, c.color) << c.tool;
        EXPECT_TRUE(CreateEditPen(style));
    }
}

TEST(DrawingStroke, AClickDrawsADotOrErasesASquare) {
    {
        Canvas canvas;
        CDrawingStroke pen;
        ASSERT_TRUE(Click(pen, canvas, ID_TOOL_FREE_LINE, Settings(3, 0, kRed), 1.0, POINT{30, 20}));
        EXPECT_EQ(canvas.Overlay(30, 20), kRed);
        EXPECT_EQ(canvas.Overlay(34, 20), kDrawingKeyColor);
    }
    // Size 10 at 200 %: 5 x 5 picture pixels from the picture pixel under the pointer.
    struct Case {
        double zoom;
        int size;
        POINT at, corner;
        int side;
    } cases[] = {
        {2.0, 10, {20, 20}, {10, 10}, 5},
        {1.0, 6, {7, 9}, {7, 9}, 6},
        {0.5, 16, {10, 10}, {20, 20}, 32},
    };
    for (const Case& c : cases) {
        Canvas canvas;
        Fill(canvas.overlay.dc(), canvas.overlay.size(), kBlue);
        CDrawingStroke eraser;
        ASSERT_TRUE(Click(eraser, canvas, ID_TOOL_ERASER, Settings(3, 0, kRed, c.size), c.zoom, c.at));
        EXPECT_EQ(canvas.CountOverlay(kDrawingKeyColor), c.side * c.side) << c.zoom;
        EXPECT_EQ(canvas.Overlay(c.corner.x, c.corner.y), kDrawingKeyColor) << c.zoom;
        EXPECT_EQ(canvas.Overlay(c.corner.x + c.side - 1, c.corner.y + c.side - 1), kDrawingKeyColor) << c.zoom;
        EXPECT_EQ(canvas.Overlay(c.corner.x - 1, c.corner.y), kBlue) << c.zoom;
    }
}

TEST(DrawingStroke, DottedFreeLineSkipsMovesShorterThanItsDotSpacing) {
    struct Case {
        double zoom;
        POINT to;
        bool draws;
    } cases[] = {
        {1.0, {14, 10}, false},  // 4 pixels: no further than the width
        {1.0, {13, 13}, false},  // 4.24, truncated to 4
        {1.0, {15, 10}, true},
        {2.0, {18, 10}, false},  // the width counts in screen pixels: 8
        {2.0, {19, 10}, true},
    };
    for (const Case& c : cases) {
        Canvas canvas;
        CDrawingStroke pen;
        POINT changed[2];
        ASSERT_TRUE(pen.Begin(ID_TOOL_FREE_LINE, Settings(4, 1, kRed), PictureMapping{c.zoom, {0, 0}}, POINT{10, 10}));
        EXPECT_EQ(pen.Move(c.to, canvas.overlay.dc(), canvas.composite.dc(), changed), c.draws) << c.to.x << "," << c.to.y;
        EXPECT_EQ(canvas.CountOverlay(kRed) > 0, c.draws) << c.to.x << "," << c.to.y;
        EXPECT_EQ(pen.last().x, c.draws ? c.to.x : 10);
    }
    // A solid line draws every move, however short.
    Canvas canvas;
    CDrawingStroke solid;
    POINT changed[2];
    ASSERT_TRUE(solid.Begin(ID_TOOL_FREE_LINE, Settings(4, 0, kRed), PictureMapping{}, POINT{10, 10}));
    EXPECT_TRUE(solid.Move(POINT{11, 10}, canvas.overlay.dc(), canvas.composite.dc(), changed));
}

TEST(DrawingStroke, ShapesBandInTheCompositeAndEndAtTheReleaseInPicturePixels) {
    const POINT press{10, 8}, release{40, 30};
    struct Tool {
        UINT id;
        POINT end;     // where the release puts the far end (client pixels)
        POINT beyond;  // a step past it, in picture pixels
    } tools[] = {
        {ID_TOOL_LINE, release, {4, 0}},
        {ID_TOOL_RECTANGLE, release, {3, 3}},
        {ID_TOOL_HORIZONTAL, {release.x, press.y}, {4, 0}},
        {ID_TOOL_VERTICAL, {press.x, release.y}, {0, 4}},
    };
    for (double zoom : {0.5, 1.0, 3.0}) {
        const PictureMapping at{zoom, POINT{6, 3}};
        for (const Tool& t : tools) {
            Canvas canvas;
            CDrawingStroke shape;
            POINT changed[2];
            ASSERT_TRUE(shape.Begin(t.id, Settings(3, 0, kRed), at, press));
            EXPECT_TRUE(shape.DrawsRubberBand());
            ASSERT_TRUE(shape.Move(release, canvas.overlay.dc(), canvas.composite.dc(), changed));
            const POINT end = at.ToPicture(t.end);
            ::GdiFlush();
            EXPECT_EQ(::GetPixel(canvas.composite.dc(), end.x, end.y), kRed) << t.id << " at " << zoom;
            EXPECT_EQ(canvas.CountOverlay(kRed), 0) << "nothing committed before the release";

            ASSERT_TRUE(shape.Release(release, canvas.overlay.dc()));
            const POINT start = at.ToPicture(press);
            EXPECT_EQ(canvas.Overlay(start.x, start.y), kRed) << t.id << " at " << zoom;
            EXPECT_EQ(canvas.Overlay(end.x, end.y), kRed) << t.id << " at " << zoom;
            EXPECT_EQ(canvas.Overlay(end.x + t.beyond.x, end.y + t.beyond.y), kDrawingKeyColor) << t.id << " at " << zoom;
        }
    }
}

TEST(DrawingStroke, FreeLinesAndTheEraserCommitAsTheyMove) {
    Canvas canvas;
    Fill(canvas.overlay.dc(), canvas.overlay.size(), kBlue);
    CDrawingStroke eraser;
    POINT changed[2];
    ASSERT_TRUE(eraser.Begin(ID_TOOL_ERASER, Settings(3, 0, kRed, 6), PictureMapping{}, POINT{20, 20}));
    EXPECT_FALSE(eraser.DrawsRubberBand());
    EXPECT_EQ(eraser.last().x, 23);  // shifted by half the eraser
    ASSERT_TRUE(eraser.Move(POINT{60, 20}, canvas.overlay.dc(), canvas.composite.dc(), changed));
    EXPECT_EQ(canvas.Overlay(40, 23), kDrawingKeyColor);  // along the shifted path
    EXPECT_EQ(canvas.Overlay(40, 30), kBlue);
    EXPECT_FALSE(eraser.Release(POINT{60, 20}, canvas.overlay.dc()));
}
