#pragma once
// The pointer tool and pen of the picture windows, shared by all of them.
#include <windows.h>

#include "resource.h"

class CDrawingSettings {
public:
    // The pointer tool: hand, rectangle selection or a drawing tool (command id).
    UINT tool() const { return tool_; }
    void SetTool(UINT id) { tool_ = id; }
    // Line kind: 0 solid, anything else dotted (the palette stores 1).
    BYTE lineKind() const { return lineKind_; }
    void SetLineKind(BYTE kind) { lineKind_ = kind; }
    int lineWidth() const { return lineWidth_; }
    void SetLineWidth(int width) { lineWidth_ = width; }
    COLORREF lineColor() const { return lineColor_; }
    void SetLineColor(COLORREF color) { lineColor_ = color; }
    int eraserSize() const { return eraserSize_; }
    void SetEraserSize(int size) { eraserSize_ = size; }

private:
    UINT tool_ = ID_TOOL_HAND;
    BYTE lineKind_ = 0;
    int lineWidth_ = 3;
    COLORREF lineColor_ = RGB(0, 0, 0);
    int eraserSize_ = 10;
};
