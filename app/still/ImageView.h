#pragma once
// Shows one still picture at a zoom, scrolled and turned, with the user's
// drawing over it. Four memory surfaces, each rebuilt only when something
// upstream of it changed: base (picture), overlay (drawing, grey = none),
// composite (both) and display (the client area as painted).
#include <windows.h>

#include <memory>

#include "RectTracker.h"
#include "Surface.h"
#include "View.h"
#include "drawing/DrawingTools.h"
#include "drawing/PictureMapping.h"

class CDrawingStroke;
class CFullScreenWnd;
class CImageDoc;
class IPictureHost;
class CViewData;

class CImageView : public fw::View {
public:
    static constexpr COLORREF kKeyColor = kDrawingKeyColor;
    // Initial fit after a load: 0 tries 100, 50, 25 %; 1 takes the live zoom.
    static constexpr int kFitToFrame = 0;
    static constexpr int kFitLiveZoom = 1;

    // `host`: the main window holding the view; null in tests without one.
    explicit CImageView(IPictureHost* host);
    ~CImageView() override;

    CImageDoc* GetDocument() const;

    int LoadPicture(const wchar_t* path, BOOL isBmp);
    int LoadPicture(const void* data, DWORD length, int fitMode);

    void SetZoom(double zoom);
    void ZoomIn();
    void ZoomOut();
    void ActualSize();
    void BestFit();
    void SelectAreaZoom();
    int SetRotation(UINT commandId);
    int SetScrollPosition(int x, int y);
    int ViewFullScreen();
    bool IsFullScreen() const;

    int RenewalPicture();
    int UpdateBaseDC(int x0, int y0, int x1, int y1);
    void EraseArea(int x, int y, int width, int height);
    void EraseAllArea();

    bool HasSelection() const { return hasSelection_; }
    RECT selection() const { return tracker_.rect(); }
    void SetSelection(const RECT& rect);
    void ClearSelection();

    // The picture with its drawing in the current orientation at full size;
    // what Save writes.
    HBITMAP CompositeBitmap() const;
    HDC baseDC() const;
    HDC overlayDC() const;
    HDC compositeDC() const;
    HDC displayDC() const;

    void OnUpdate(fw::View* sender, LPARAM hint) override;

protected:
    void OnDraw(HDC dc) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    DWORD ExtraStyle() const override { return WS_HSCROLL | WS_VSCROLL; }
    // The sunken edge the image frame allows for when it sizes itself to a picture.
    DWORD ExtraExStyle() const override { return WS_EX_CLIENTEDGE; }

private:
    // The pointer tool of the main window; none without one.
    UINT CurrentTool() const;

    IPictureHost* host_;

    struct Surfaces {
        fw::Surface base;       // the picture, turned as shown
        fw::Surface overlay;    // the drawing; key-colour pixels are see-through
        fw::Surface composite;  // base with overlay, at picture size
        fw::Surface display;    // the client area as painted
    };

    // What a press of the left button started.
    struct Press {
        POINT at{};
        POINT scroll{};  // both scroll positions at the press
        bool down = false;
        bool pausedLive = false;  // the live requests were suspended at the press
    };

    CViewData* viewData() const;
    double Zoom() const;
    SIZE OrientedSize() const;
    SIZE ZoomedSize() const;
    SIZE ClientSize() const;
    POINT ScrollPosition() const;
    void UpdateViews();
    void OffsetSelection(int dx, int dy);

    int OnCreate();
    void OnSize();
    void OnScroll(int bar, UINT code);
    void OnPaint();
    bool OnSetCursor(UINT hitTest);
    void OnLButtonDown(POINT p);
    void OnMouseMove(WPARAM flags, POINT q);
    void OnLButtonUp(POINT r);
    void EndPress();
    int MoveMouseDrag(POINT q);
    int MoveMouseSelect(POINT q);
    // The drawing tools and the eraser (ImageViewDrawing.cpp).
    PictureMapping Mapping() const;
    bool BeginStroke(UINT tool, POINT p);
    void MoveStroke(POINT q);
    int MoveMouseStroke(POINT q, const wchar_t* src);
    void ReleaseStroke(POINT r);
    void DropStroke();
    bool SetDrawingCursor(UINT tool);
    void DrawSelection(HDC dc) const;

    int ResizeMemoryDC(fw::Surface& surface, int width, int height, bool asDib);
    int ConvRegistBitmap(HBITMAP picture, const fw::Surface& destination);
    int DrawPicture();
    void InitialFit(int fitMode);
    void SetScrollBars();
    bool RefreshDisplay();
    int RotationPicture();
    void CloseFullScreen();

    Surfaces surfaces_;
    fw::RectTracker tracker_;
    bool hasSelection_ = false;
    int appliedRotation_ = 0;  // quarter turns the base and overlay bitmaps have
    Press press_;
    std::unique_ptr<CDrawingStroke> stroke_;  // while a drawing tool is held down
    std::unique_ptr<CFullScreenWnd> fullScreen_;
};
