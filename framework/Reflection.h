#pragma once
// Which control a notification to a parent window comes from.
#include <windows.h>

namespace fw {

// The control that sent `msg` to `parent`: WM_NOTIFY's NMHDR::hwndFrom, the
// lParam of WM_COMMAND, WM_CTLCOLOR* and the scroll messages, the item of
// WM_DRAWITEM, and for WM_MEASUREITEM (which names no window) the parent's
// child of that id. Null for menus, accelerators and every other message.
HWND NotificationSource(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace fw
