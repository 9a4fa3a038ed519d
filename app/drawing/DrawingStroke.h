#pragma once
// One press of a drawing tool or the eraser, from the press to the release,
// drawn in picture pixels: free lines and the eraser straight into the
// drawing (overlay); lines, rectangles and horizontal and vertical lines as
// a rubber band into the composite, and into the overlay at the release.
// Knows nothing of windows: the view hands it the surfaces and recomposes.
#include <windows.h>

#include "Handles.h"
#include "drawing/EditPen.h"
#include "drawing/PictureMapping.h"

class CDrawingSettings;

class CDrawingStroke {
public:
    // The pen for `tool` at the mapping's zoom; false (logged) when it
    // could not be made. `p` is the press point in client pixels.
    bool Begin(UINT tool, const CDrawingSettings& settings, const PictureMapping& mapping, POINT p);

    UINT tool() const { return tool_; }
    // Where the previous move left off (the eraser's is shifted by half its size).
    POINT last() const { return last_; }
    // The composite must be recomposed before each move: the shape drawn
    // at the last move is to go.
    bool DrawsRubberBand() const;

    // A move with the button held. False when the move draws nothing (a
    // dotted free line keeps its dots apart). `changed` gets the client
    // points the view repaints between.
    bool Move(POINT q, HDC overlay, HDC composite, POINT changed[2]);
    // The release: a shape goes into the drawing. False for the tools that
    // drew as they moved.
    bool Release(POINT r, HDC overlay);

private:
    void Segment(HDC dc, POINT from, POINT to) const;
    void Shape(HDC dc, POINT to) const;
    void EraseSquare(HDC overlay, POINT at) const;

    UINT tool_ = 0;
    EditPenStyle style_;
    int eraserSize_ = 0;  // screen pixels
    PictureMapping mapping_;
    POINT press_{}, last_{};
    fw::GdiObject pen_;
};
