#pragma once
// The application's private window messages, in one place so no two windows
// pick the same number. The numbers are fixed: some cross thread or module
// boundaries, and the camera library's own messages (0x590, 0x7E8, 0xBD0)
// are in device/DeviceControl.h.
#include <windows.h>

// Main frame.
constexpr UINT WM_FIRST_VIEW_DATA = 0x401;       // to itself after creation: remote panel, SD control
constexpr UINT WM_RESUME_LIVE = 0x469;           // a modal dialog has closed: resume the live monitor
constexpr UINT WM_ACTIVATE_FULLSCREEN = 0x49B;   // remote panel: bring the full-screen window forward
constexpr UINT WM_MSGBOX_CLOSED = 0x2B10;        // the last counted message box has closed

// Picture windows (still and live).
constexpr UINT WM_IMAGE_FRAME_CREATED = WM_USER + 2;
constexpr UINT WM_UPDATE_TITLE = WM_USER + 102;      // 1126: recompute the caption
constexpr UINT WM_EXIT_FULL_SCREEN = WM_USER + 103;  // 1127: the full-screen window has closed
constexpr UINT WM_CLOSE_WITHOUT_SAVE = WM_USER + 110;

// Live monitor threads and windows.
constexpr UINT WM_VIEW_ANIME_REQ = 1124;        // request thread: run the request loop
constexpr UINT WM_ANIME_FRAME_CREATED = 1026;   // live frame, to itself after creation
constexpr UINT WM_INIT_VIEW_WND = 1130;         // decode thread: make the hidden window (wParam event, lParam frame)
constexpr UINT WM_DRAW_VIEW = 1131;             // decode thread: decode and draw the kept frame again
constexpr UINT WM_PAUSE_LIVE = 1132;            // live frame (sent): pause the requests
constexpr UINT WM_LIVE_FAILED = 1133;           // live frame and main frame: wParam = string id
constexpr UINT WM_RESET_SCROLL = 1135;          // live view: recompute the scroll bars
constexpr UINT WM_PICTURE_SIZE_CHANGED = 1136;  // live frame: wParam = decode denominator
constexpr UINT WM_RESIZE_DC = 1137;             // live view: wParam width, lParam height
constexpr UINT WM_DRAW_FULL_SCREEN = 1138;      // live view: a frame for the full-screen window is ready

// The SD card's folder tree (transfer/SDTree): fill and refresh it; it tells
// its owner's window that a refresh begins.
constexpr UINT WM_SDTREE_FILL = WM_USER + 32;         // 0x420, both parameters 0
constexpr UINT WM_SDTREE_REFRESH = WM_USER + 34;      // 0x422
constexpr UINT WM_SDTREE_REFRESHING = WM_USER + 80;   // 0x450, sent to the owner

// The SD viewer (sdview/ViewerFrame) asks the main frame to destroy it.
constexpr UINT WM_VIEWER_CLOSED = 0x410;
