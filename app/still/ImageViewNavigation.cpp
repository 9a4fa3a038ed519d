// How the user moves about the picture: zoom, scroll bars, the hand, the
// selection rectangle and the cursors of the pointer tools.
#include <algorithm>

#include "base/ControlDialog.h"
#include "ScrollMath.h"
#include "still/ImageDoc.h"
#include "picture/ImageMath.h"
#include "still/ImageView.h"
#include "base/DrawingSettings.h"
#include "base/LiveControl.h"
#include "base/PictureHost.h"
#include "picture/ScrollBars.h"
#include "RectTracker.h"
#include "base/TraceLog.h"
#include "picture/ViewData.h"
#include "resource.h"

namespace {

// Setting a scroll bar can resize the client area, whose WM_SIZE comes back
// into the scroll-bar code; one flag for all views, as they share the thread.
bool settingScrollBars = false;

// Selections this small are taken for a click, not a rectangle.
constexpr int kTinySelection = 2;
// Side of the resize handles drawn inside the selection's corners and edges.
constexpr int kHandleSize = 4;

HCURSOR AppCursor(UINT id) { return ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)); }

// Under capture the mouse may leave the view; left of or above it counts as
// on its edge.
POINT LimitToView(POINT p) { return POINT{std::max<LONG>(p.x, 0), std::max<LONG>(p.y, 0)}; }

}  // namespace

UINT CImageView::CurrentTool() const { return host_ ? host_->drawingSettings().tool() : 0; }

// ---- zoom -------------------------------------------------------------------

void CImageView::SetZoom(double zoom) {
    CImageDoc* doc = GetDocument();
    if (!doc) return;
    doc->SetZoom(ClampZoom(zoom));
    SetScrollBars();
    ClearSelection();
    RenewalPicture();
    UpdateViews();
}

void CImageView::ZoomIn() { SetZoom(ZoomInStep(Zoom())); }
void CImageView::ZoomOut() { SetZoom(ZoomOutStep(Zoom())); }
void CImageView::ActualSize() { SetZoom(1.0); }

void CImageView::BestFit() {
    // The area the picture gets once the scroll bars are gone.
    SIZE area = ClientSize();
    const LONG style = ::GetWindowLongW(hwnd(), GWL_STYLE);
    if (style & WS_VSCROLL) area.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) area.cy += ::GetSystemMetrics(SM_CYHSCROLL);
    const SIZE picture = OrientedSize();
    if (picture.cx <= 0 || picture.cy <= 0) return;
    SetZoom(BestFitZoom(area.cx, area.cy, picture.cx, picture.cy));
}

void CImageView::SelectAreaZoom() {
    if (!hasSelection_) return;
    const RECT selection = tracker_.rect();
    const SIZE zoomed = ZoomedSize();
    if (zoomed.cx < selection.left || zoomed.cy < selection.top) return;
    const int width = std::min<int>(selection.right, zoomed.cx) - selection.left;
    const int height = std::min<int>(selection.bottom, zoomed.cy) - selection.top;
    if (width <= 0 || height <= 0) return;  // nothing of the picture is selected

    const SIZE client = ClientSize();
    const double old = Zoom();
    const double zoom = ClampZoom(old * std::min(static_cast<double>(client.cx) / width,
                                                 static_cast<double>(client.cy) / height));
    const POINT scroll = ScrollPosition();
    const int anchor[2] = {scroll.x + selection.left, scroll.y + selection.top};

    GetDocument()->SetZoom(zoom);
    SetScrollBars();
    const int bars[2] = {SB_HORZ, SB_VERT};
    for (int i = 0; i < 2; ++i) {
        SCROLLINFO si = fw::ScrollInfo(SIF_ALL);
        ::GetScrollInfo(hwnd(), bars[i], &si);
        int position = static_cast<int>(static_cast<int>(anchor[i] / old) * zoom);
        position = LimitScrollPosition(position, si.nMin, si.nMax, static_cast<int>(si.nPage));
        ::SetScrollPos(hwnd(), bars[i], position, TRUE);
        viewData()->SetScrollPosition(bars[i], position);
    }
    if (!RenewalPicture()) WriteTraceLogStep(kTraceApp, L"CImageView::SelectAreaZoom", L"RenewalPicture()");
    UpdateViews();
    ClearSelection();
}

// ---- scrolling --------------------------------------------------------------

void CImageView::SetScrollBars() {
    const SIZE zoomed = ZoomedSize();
    CViewData* data = viewData();
    if (zoomed.cx <= 0 || zoomed.cy <= 0 || !data || settingScrollBars) return;
    settingScrollBars = true;
    const POINT wanted{data->GetScrollPosition(SB_HORZ), data->GetScrollPosition(SB_VERT)};
    const POINT result = FitScrollBars(hwnd(), zoomed, wanted);
    data->SetScrollPosition(SB_HORZ, result.x);
    data->SetScrollPosition(SB_VERT, result.y);
    if (hasSelection_) OffsetSelection(wanted.x - result.x, wanted.y - result.y);
    settingScrollBars = false;
}

void CImageView::OnScroll(int bar, UINT code) {
    int old = 0, position = 0;
    if (!RequestedScrollPosition(hwnd(), bar, code, old, position)) return;
    if (hasSelection_) {
        const int moved = old - position;
        OffsetSelection(bar == SB_HORZ ? moved : 0, bar == SB_VERT ? moved : 0);
    }
    ::SetScrollPos(hwnd(), bar, position, TRUE);
    if (CViewData* data = viewData()) data->SetScrollPosition(bar, position);
    if (!RenewalPicture()) WriteTraceLogStep(kTraceApp, bar == SB_HORZ ? L"CImageView::OnHScroll" : L"CImageView::OnVScroll", L"RenewalPicture()");
    UpdateViews();
}

int CImageView::SetScrollPosition(int x, int y) {
    const wchar_t* src = L"CImageView::SetScrollInfo";
    const int bars[2] = {SB_HORZ, SB_VERT};
    const int positions[2] = {x, y};
    bool shown[2] = {};
    for (int i = 0; i < 2; ++i) {
        SCROLLINFO si = fw::ScrollInfo(SIF_POS);
        si.nPos = positions[i];
        ::SetScrollInfo(hwnd(), bars[i], &si, TRUE);
        SCROLLINFO now = fw::ScrollInfo(SIF_ALL);
        if (!::GetScrollInfo(hwnd(), bars[i], &now)) {
            WriteTraceLogStep(kTraceApp, src, L"CWnd::GetScrollInfo()");
            ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
            return 0;
        }
        if (CViewData* data = viewData()) data->SetScrollPosition(bars[i], now.nPos);
        shown[i] = static_cast<int>(now.nPage) < now.nMax;
    }
    ::ShowScrollBar(hwnd(), SB_HORZ, shown[0]);
    ::ShowScrollBar(hwnd(), SB_VERT, shown[1]);
    if (!RenewalPicture()) return 0;
    UpdateViews();
    return 1;
}

// ---- pointer tools ------------------------------------------------------------

bool CImageView::OnSetCursor(UINT hitTest) {
    const UINT tool = CurrentTool();
    if (tool != ID_TOOL_HAND && tool != ID_TOOL_SELECT && !IsDrawingTool(tool)) return false;  // default handling
    if (hitTest != HTCLIENT) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        return true;
    }
    if (IsDrawingTool(tool)) return SetDrawingCursor(tool);
    ::SetCursor(tool == ID_TOOL_HAND ? AppCursor(IDC_HAND_OPEN) : ::LoadCursorW(nullptr, IDC_CROSS));
    return true;
}

void CImageView::OnLButtonDown(POINT p) {
    const UINT tool = CurrentTool();
    press_.scroll = ScrollPosition();
    // The live picture would compete with the drag for the processor.
    if (host_ && host_->liveControl().playing()) {
        host_->liveControl().Pause();
        press_.pausedLive = true;
    }
    // The hand keeps the selection and carries it along.
    if (tool != ID_TOOL_HAND) ClearSelection();
    switch (tool) {
    case ID_TOOL_HAND: ::SetCursor(AppCursor(IDC_HAND_CLOSED)); break;
    case ID_TOOL_SELECT:
        tracker_.SetRect(RECT{p.x, p.y, p.x, p.y});
        hasSelection_ = true;
        break;
    default:
        if (IsDrawingTool(tool) && !BeginStroke(tool, p)) {
            EndPress();
            return;
        }
        break;
    }
    press_.at = p;
    press_.down = true;
    ::SetCapture(hwnd());
    // The press itself counts as the first move.
    ::PostMessageW(hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

void CImageView::OnMouseMove(WPARAM flags, POINT q) {
    if (flags != MK_LBUTTON || !press_.down) return;
    const wchar_t* src = L"CImageView::OnMouseMove";
    switch (CurrentTool()) {
    case ID_TOOL_HAND:
        if (!MoveMouseDrag(q)) WriteTraceLogStep(kTraceApp, src, L"MoveMouseDrag()");
        break;
    case ID_TOOL_SELECT:
        if (!MoveMouseSelect(q)) WriteTraceLogStep(kTraceApp, src, L"MoveMouseSelect()");
        break;
    default:
        if (stroke_) MoveStroke(q);
        break;
    }
}

void CImageView::OnLButtonUp(POINT r) {
    if (press_.down && CurrentTool() == ID_TOOL_SELECT) {
        const RECT rect = fw::NormalizedRect(press_.at, LimitToView(r));
        if (rect.right - rect.left <= kTinySelection && rect.bottom - rect.top <= kTinySelection)
            ClearSelection();
        else
            SetSelection(rect);
    }
    if (press_.down) ReleaseStroke(r);
    EndPress();
    if (::GetCapture() == hwnd()) ::ReleaseCapture();
}

void CImageView::EndPress() {
    press_.down = false;
    DropStroke();
    if (press_.pausedLive) {
        press_.pausedLive = false;
        if (host_) host_->liveControl().ResumeAfterPause();
    }
}

int CImageView::MoveMouseDrag(POINT q) {
    const SIZE zoomed = ZoomedSize();
    const SIZE client = ClientSize();
    const int x = LimitDragPosition(press_.scroll.x + press_.at.x - q.x, zoomed.cx, client.cx);
    const int y = LimitDragPosition(press_.scroll.y + press_.at.y - q.y, zoomed.cy, client.cy);
    const POINT old = ScrollPosition();
    if (hasSelection_) OffsetSelection(old.x - x, old.y - y);
    if (!SetScrollPosition(x, y)) {
        WriteTraceLogStep(kTraceApp, L"CImageView::MoveMouseDrag", L"SetScrollPosition()");
        return 0;
    }
    return 1;
}

int CImageView::MoveMouseSelect(POINT q) {
    tracker_.SetRect(fw::NormalizedRect(press_.at, LimitToView(q)));
    hasSelection_ = true;
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    return 1;
}

void CImageView::SetSelection(const RECT& rect) {
    tracker_.SetRect(rect);
    hasSelection_ = true;
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void CImageView::ClearSelection() {
    if (!hasSelection_) return;
    hasSelection_ = false;
    tracker_.SetRect(RECT{});
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void CImageView::OffsetSelection(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    RECT rect = tracker_.rect();
    ::OffsetRect(&rect, dx, dy);
    tracker_.SetRect(rect);
}

void CImageView::DrawSelection(HDC dc) const {
    tracker_.Draw(dc);
    const RECT r = tracker_.rect();
    if (r.right - r.left < kHandleSize || r.bottom - r.top < kHandleSize) return;
    const int xs[3] = {r.left, (r.left + r.right - kHandleSize) / 2, r.right - kHandleSize};
    const int ys[3] = {r.top, (r.top + r.bottom - kHandleSize) / 2, r.bottom - kHandleSize};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (i != 1 || j != 1) ::PatBlt(dc, xs[i], ys[j], kHandleSize, kHandleSize, BLACKNESS);
}
