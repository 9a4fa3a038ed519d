#pragma once
// The pens of the drawing tools and the eraser.
#include <windows.h>

#include "Handles.h"

class CDrawingSettings;

struct EditPenStyle {
    int width = 1;        // picture pixels
    bool dotted = false;  // PS_DOT with flat ends; otherwise solid
    bool squareEnds = false;
    COLORREF color = 0;
};

// The pen a press with `tool` draws with at `zoom`: the eraser keeps its
// size on the screen (its width shrinks as the zoom grows) and paints the
// key colour; the other tools draw as wide as set, in picture pixels.
EditPenStyle EditPenFor(const CDrawingSettings& settings, UINT tool, double zoom);

// A geometric pen of that style; null, with the log line written, on failure.
fw::GdiObject CreateEditPen(const EditPenStyle& style);
