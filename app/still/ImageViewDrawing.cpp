// The drawing tools and the eraser in the view: the press makes the pen,
// each move draws (a rubber band is wiped by recomposing first), the
// release commits a shape. What is drawn where is CDrawingStroke's.
#include "base/ControlDialog.h"
#include "base/DrawingSettings.h"
#include "base/PictureHost.h"
#include "base/TraceLog.h"
#include "drawing/DrawingStroke.h"
#include "drawing/DrawingTools.h"
#include "still/ImageDoc.h"
#include "still/ImageView.h"
#include "resource.h"

namespace {

struct ToolNames {
    UINT tool;
    const wchar_t* source;     // the operation its failures are logged under
    const wchar_t* step;       // how OnMouseMove names that operation
    const wchar_t* finalStep;  // how OnLButtonUp names the last repaint of a shape
};

constexpr ToolNames kTools[] = {
    {ID_TOOL_FREE_LINE, L"CImageView::MoveMouseFreeLine", L"MoveMouseFreeLine()", nullptr},
    {ID_TOOL_LINE, L"CImageView::MoveMouseLine", L"MoveMouseLine()", L"UpdateBaseDC()[1]"},
    {ID_TOOL_RECTANGLE, L"CImageView::MoveMouseSquare", L"MoveMouseSquare()", L"UpdateBaseDC()[2]"},
    {ID_TOOL_HORIZONTAL, L"CImageView::MoveMouseHorizon", L"MoveMouseHorizon()", L"UpdateBaseDC()[3]"},
    {ID_TOOL_VERTICAL, L"CImageView::MoveMouseVertical", L"MoveMouseVertical()", L"UpdateBaseDC()[4]"},
    {ID_TOOL_ERASER, L"CImageView::MoveMouseEraser", L"MoveMouseEraser()", nullptr},
};

const ToolNames& NamesOf(UINT tool) {
    for (const ToolNames& names : kTools)
        if (names.tool == tool) return names;
    return kTools[0];
}

}  // namespace

PictureMapping CImageView::Mapping() const { return PictureMapping{Zoom(), ScrollPosition()}; }

bool CImageView::BeginStroke(UINT tool, POINT p) {
    auto stroke = std::make_unique<CDrawingStroke>();
    if (!host_ || !stroke->Begin(tool, host_->drawingSettings(), Mapping(), p)) {
        WriteTraceLogStep(kTraceApp, L"CImageView::OnLButtonDown", L"CreateEditPen()");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return false;
    }
    stroke_ = std::move(stroke);
    if (CImageDoc* doc = GetDocument()) doc->SetModifiedFlag(true);
    return true;
}

void CImageView::MoveStroke(POINT q) {
    const ToolNames& names = NamesOf(stroke_->tool());
    if (!MoveMouseStroke(q, names.source)) WriteTraceLogStep(kTraceApp, L"CImageView::OnMouseMove", names.step);
}

int CImageView::MoveMouseStroke(POINT q, const wchar_t* src) {
    const bool band = stroke_->DrawsRubberBand();
    if (band && !RenewalPicture()) {
        WriteTraceLogStep(kTraceApp, src, L"RenewalPicture()");
        return 0;
    }
    POINT changed[2];
    if (!stroke_->Move(q, overlayDC(), compositeDC(), changed)) return 1;
    if (!band && !RenewalPicture()) {
        WriteTraceLogStep(kTraceApp, src, L"RenewalPicture()");
        return 0;
    }
    if (!UpdateBaseDC(changed[0].x, changed[0].y, changed[1].x, changed[1].y)) {
        WriteTraceLogStep(kTraceApp, src, L"UpdateBaseDC()");
        return 0;
    }
    return 1;
}

void CImageView::ReleaseStroke(POINT r) {
    const wchar_t* src = L"CImageView::OnLButtonUp";
    std::unique_ptr<CDrawingStroke> stroke = std::move(stroke_);
    if (!stroke || !stroke->Release(r, overlayDC())) return;
    if (!RenewalPicture()) {
        WriteTraceLogStep(kTraceApp, src, L"RenewalPicture()");
        return;
    }
    if (!UpdateBaseDC(press_.at.x, press_.at.y, r.x, r.y))
        WriteTraceLogStep(kTraceApp, src, NamesOf(stroke->tool()).finalStep);
}

// A press cut short (the capture taken away) leaves no rubber band behind.
void CImageView::DropStroke() {
    if (!stroke_) return;
    const bool band = stroke_->DrawsRubberBand();
    stroke_.reset();
    if (band && RenewalPicture()) UpdateViews();
}

bool CImageView::SetDrawingCursor(UINT tool) {
    bool own = false;
    const wchar_t* cursor = host_ ? DrawingCursor(tool, host_->drawingSettings().eraserSize(), &own) : nullptr;
    if (!cursor) return false;
    ::SetCursor(::LoadCursorW(own ? ::GetModuleHandleW(nullptr) : nullptr, cursor));
    return true;
}
