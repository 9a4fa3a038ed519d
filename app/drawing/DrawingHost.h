#pragma once
// What the drawing palette asks of the main window that owns it.
#include <windows.h>

class CDrawingSettings;

class IDrawingHost {
public:
    virtual HWND hostWindow() const = 0;
    // The settings every picture window reads at a press.
    virtual CDrawingSettings& drawingSettings() = 0;
    // Makes `id` the pointer tool of all picture windows.
    virtual void SetCurrentTool(UINT id) = 0;
    // ID_TOOL_ERASE_AREA: the drawing inside the selection; ID_TOOL_ERASE_ALL:
    // all of it; in the active picture window, if the active window is one.
    virtual void EraseDrawing(UINT command) = 0;

protected:
    ~IDrawingHost() = default;
};
