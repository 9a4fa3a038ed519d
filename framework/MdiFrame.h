#pragma once
#include "CommandTarget.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "Window.h"

namespace fw {

class MdiChild;

// An MDI main window: owns the MDI client, an optional toolbar and status
// bar, routes commands and their update queries, and ends in DefFrameProc.
class MdiFrame : public Window, public CommandTarget {
public:
    HWND mdiClient() const { return mdiClient_; }
    HWND ActiveChild() const;
    // The active child when it is a framework frame.
    MdiChild* ActiveMdiChild() const;
    // Lets the MDI client see keys (Ctrl+F4, Ctrl+F6) before the rest.
    bool TranslateMdiAccelerator(MSG* msg) const;

    ToolBar& toolBar() { return toolBar_; }
    StatusBar& statusBar() { return statusBar_; }

    // Route: the active child (view, document, child frame), this frame, the
    // application. True when someone handled or claimed the command.
    bool RouteCommand(UINT id);
    bool RouteUpdate(UINT id, CommandState& state);

    // Shows a child's menu, or the frame's own for null.
    void ShowMenu(HMENU childMenu);
    // The client area between toolbar and status bar, in client coordinates.
    RECT ChildArea() const;
    void RecalcLayout();
    // Asks every child in turn about unsaved changes; false at the first
    // that must stay (cancelled, or its save failed), and then nothing closes.
    bool SaveAllModified();
    // Called when the message queue runs empty: refreshes the toolbar.
    virtual void OnIdle();

    // The popup of `menu` holding the window-arrangement commands, whose end
    // the MDI client lists its children under; null when there is none.
    static HMENU FindWindowMenu(HMENU menu);

protected:
    // The "Window" menu position of the frame's own menu; -1 to search for it.
    virtual int WindowMenuPosition() const { return -1; }
    bool CreateMdiClient();
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Whether a WM_COMMAND from `source` (its lParam) is a command.
    bool IsCommand(LPARAM source) const;
    void UpdateMenu(HMENU popup);

    HWND mdiClient_ = nullptr;
    HMENU ownMenu_ = nullptr;
    bool destroying_ = false;
    ToolBar toolBar_;
    StatusBar statusBar_;
};

}  // namespace fw
