#pragma once
#include <string>

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
    // A creation style of the frame, not of the window: the caption names the
    // active document after the program's title, as "Title - Document".
    static constexpr DWORD kAddToTitle = 0x00008000;

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
    // Called when the message queue runs empty: refreshes the toolbar and caption.
    virtual void OnIdle();

    // The caption as the active child asks for it now, and a refresh once the
    // messages in the queue have run (a child's title may be changing still).
    void UpdateFrameTitle();
    void DelayUpdateFrameTitle();

    // The status-bar text while no menu item or tool button is pointed at;
    // shown at once unless a prompt is up.
    void SetIdleMessage(const std::wstring& text);
    const std::wstring& idleMessage() const { return idleMessage_; }
    // The prompt of command `id` (its string up to the newline) in the status bar.
    void ShowPrompt(UINT id);
    void ShowIdleMessage();

    // The popup of `menu` holding the window-arrangement commands, whose end
    // the MDI client lists its children under; null when there is none.
    static HMENU FindWindowMenu(HMENU menu);

protected:
    // The "Window" menu position of the frame's own menu; -1 to search for it.
    virtual int WindowMenuPosition() const { return -1; }
    bool CreateMdiClient();
    // `style` without the frame's own bits, which it keeps; `title` is the
    // program's part of the caption.
    DWORD TakeFrameStyle(DWORD style, const std::wstring& title);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Whether a WM_COMMAND from `source` (its lParam) is a command.
    bool IsCommand(LPARAM source) const;
    void UpdateMenu(HMENU popup);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    // True when the notification was a hot-item change of the toolbar.
    bool OnToolBarHotItem(const NMHDR& header);

    HWND mdiClient_ = nullptr;
    HMENU ownMenu_ = nullptr;
    bool destroying_ = false;
    bool addToTitle_ = false;
    bool titlePending_ = false;
    bool showingPrompt_ = false;
    std::wstring appTitle_;
    std::wstring shownTitle_;  // what was set: DefFrameProc adds a maximised child's name
    std::wstring idleMessage_;
    ToolBar toolBar_;
    StatusBar statusBar_;
};

}  // namespace fw
