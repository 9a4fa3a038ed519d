#pragma once
// The drawing tools: each one's command id is also the palette button that
// chooses it.
#include <windows.h>

#include "resource.h"

// Pixels of the drawing in this grey are see-through: the eraser paints it.
constexpr COLORREF kDrawingKeyColor = RGB(128, 128, 128);

// The tools that draw or erase at a press (not the hand or the selection).
inline bool IsDrawingTool(UINT tool) {
    switch (tool) {
    case ID_TOOL_FREE_LINE:
    case ID_TOOL_LINE:
    case ID_TOOL_RECTANGLE:
    case ID_TOOL_HORIZONTAL:
    case ID_TOOL_VERTICAL:
    case ID_TOOL_ERASER: return true;
    default: return false;
    }
}

// Shapes shown as a rubber band in the composite until the release.
inline bool IsShapeTool(UINT tool) {
    return tool == ID_TOOL_LINE || tool == ID_TOOL_RECTANGLE || tool == ID_TOOL_HORIZONTAL || tool == ID_TOOL_VERTICAL;
}

// The cursor a tool shows over the picture: an application cursor id, or
// a system one (IDC_CROSS); null for a tool without one of its own.
inline const wchar_t* DrawingCursor(UINT tool, int eraserSize, bool* own) {
    *own = true;
    switch (tool) {
    case ID_TOOL_FREE_LINE:
    case ID_TOOL_LINE: return MAKEINTRESOURCEW(IDC_PEN);
    case ID_TOOL_ERASER:
        return MAKEINTRESOURCEW(eraserSize == 10 ? IDC_ERASER_MEDIUM : eraserSize == 16 ? IDC_ERASER_LARGE : IDC_ERASER_SMALL);
    case ID_TOOL_RECTANGLE:
    case ID_TOOL_HORIZONTAL:
    case ID_TOOL_VERTICAL: *own = false; return IDC_CROSS;
    default: return nullptr;
    }
}
