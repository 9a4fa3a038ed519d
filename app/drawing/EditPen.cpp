#include "drawing/EditPen.h"

#include "base/DrawingSettings.h"
#include "base/TraceLog.h"
#include "drawing/DrawingTools.h"
#include "resource.h"

EditPenStyle EditPenFor(const CDrawingSettings& settings, UINT tool, double zoom) {
    EditPenStyle style;
    if (tool == ID_TOOL_ERASER) {
        style.width = static_cast<int>(settings.eraserSize() / zoom);
        style.color = kDrawingKeyColor;
        style.squareEnds = true;
    } else {
        style.width = settings.lineWidth();
        style.dotted = settings.lineKind() != 0;
        style.color = settings.lineColor();
    }
    return style;
}

fw::GdiObject CreateEditPen(const EditPenStyle& style) {
    LOGBRUSH brush{BS_SOLID, style.color, 0};
    DWORD penStyle = PS_GEOMETRIC;
    if (style.dotted)
        penStyle |= PS_DOT | PS_ENDCAP_FLAT;
    else
        penStyle |= PS_SOLID | PS_JOIN_ROUND | (style.squareEnds ? PS_ENDCAP_SQUARE : PS_ENDCAP_ROUND);
    fw::GdiObject pen(::ExtCreatePen(penStyle, static_cast<DWORD>(style.width > 0 ? style.width : 1), &brush, 0, nullptr));
    if (!pen) WriteTraceLogStep(kTraceApp, L"CImageView::CreateEditPen", style.dotted ? L"CreatePen()[2]" : L"CreatePen()[1]");
    return pen;
}
