#include "drawing/DrawingStroke.h"

#include <algorithm>
#include <cmath>

#include "base/DrawingSettings.h"
#include "drawing/DrawingTools.h"
#include "resource.h"

namespace {

POINT Offset(POINT p, int d) { return POINT{p.x + d, p.y + d}; }
bool Same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

}  // namespace

bool CDrawingStroke::Begin(UINT tool, const CDrawingSettings& settings, const PictureMapping& mapping, POINT p) {
    tool_ = tool;
    mapping_ = mapping;
    eraserSize_ = settings.eraserSize();
    style_ = EditPenFor(settings, tool, mapping.zoom);
    pen_ = CreateEditPen(style_);
    press_ = p;
    // The eraser's square hangs below and right of the pointer's hot spot.
    last_ = tool == ID_TOOL_ERASER ? Offset(p, eraserSize_ / 2) : p;
    return static_cast<bool>(pen_);
}

bool CDrawingStroke::DrawsRubberBand() const { return IsShapeTool(tool_); }

bool CDrawingStroke::Move(POINT q, HDC overlay, HDC composite, POINT changed[2]) {
    if (tool_ == ID_TOOL_FREE_LINE) {
        // Short moves would crowd the dots into a solid line.
        const double distance = std::hypot(q.x - last_.x, q.y - last_.y);
        if (style_.dotted && static_cast<int>(style_.width * mapping_.zoom) >= static_cast<int>(distance)) return false;
        Segment(overlay, last_, q);
    } else if (tool_ == ID_TOOL_ERASER) {
        if (!Same(q, last_)) q = Offset(q, eraserSize_ / 2);
        if (Same(q, last_))
            EraseSquare(overlay, q);
        else
            Segment(overlay, last_, q);
    } else if (IsShapeTool(tool_)) {
        Shape(composite, q);
        changed[0] = press_;
        changed[1] = q;
        return true;
    } else {
        return false;
    }
    changed[0] = last_;
    changed[1] = q;
    last_ = q;
    return true;
}

bool CDrawingStroke::Release(POINT r, HDC overlay) {
    if (!IsShapeTool(tool_)) return false;
    Shape(overlay, r);
    return true;
}

void CDrawingStroke::Segment(HDC dc, POINT from, POINT to) const {
    const POINT a = mapping_.ToPicture(from), b = mapping_.ToPicture(to);
    fw::SelectedObject pen(dc, pen_.get());
    ::MoveToEx(dc, a.x, a.y, nullptr);
    ::LineTo(dc, b.x, b.y);
}

void CDrawingStroke::Shape(HDC dc, POINT to) const {
    switch (tool_) {
    case ID_TOOL_HORIZONTAL: to.y = press_.y; break;
    case ID_TOOL_VERTICAL: to.x = press_.x; break;
    case ID_TOOL_RECTANGLE: {
        // Rectangle leaves out the right and bottom edges: one more each way
        // puts the outline through the release point too.
        const POINT a = mapping_.ToPicture(press_), b = mapping_.ToPicture(to);
        fw::SelectedObject pen(dc, pen_.get());
        fw::SelectedObject hollow(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
        return;
    }
    default: break;
    }
    Segment(dc, press_, to);
}

void CDrawingStroke::EraseSquare(HDC overlay, POINT at) const {
    const int side = static_cast<int>(mapping_.unzoom() * eraserSize_);
    const int back = static_cast<int>(mapping_.unzoom() * (eraserSize_ / 2));
    const POINT corner = mapping_.ToPicture(at);
    const RECT square{corner.x - back, corner.y - back, corner.x - back + side, corner.y - back + side};
    fw::GdiObject key(::CreateSolidBrush(kDrawingKeyColor));
    if (key) ::FillRect(overlay, &square, static_cast<HBRUSH>(key.get()));
}
