#pragma once
// What the picture and live windows ask of the main window that holds them.
// The shell implements it and hands it to each window it creates.
#include <windows.h>

class CDrawingSettings;
class CLiveControl;

class IPictureHost {
public:
    virtual HWND hostWindow() const = 0;
    virtual CDrawingSettings& drawingSettings() = 0;
    virtual CLiveControl& liveControl() = 0;

    // Where the next picture window goes, in MDI client coordinates.
    virtual POINT nextChildPosition() const = 0;
    virtual void SetNextChildPosition(POINT position) = 0;
    virtual void AdvanceNextChildPosition() = 0;
    // Where a live window of `size` goes.
    virtual POINT LiveWindowPosition(SIZE size) const = 0;
    // Stills taken so far: the number of the next "Untitled-N".
    virtual int captureCount() const = 0;
    // The MDI area between toolbar and status bar, in screen coordinates.
    virtual RECT MdiAreaOnScreen() const = 0;
    // The zoom of a capture: the live monitor's, or the best fit for the MDI area.
    virtual double LiveScaleFactor() const = 0;

    // The pointer tool, shown checked on the toolbar.
    virtual void SetCurrentTool(UINT id) = 0;
    // The remote-control panel above other windows (full screen) or not.
    virtual void SetRemoteTopmost(bool topmost) = 0;

protected:
    ~IPictureHost() = default;
};
