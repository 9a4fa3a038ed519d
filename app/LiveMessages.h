#pragma once
// Private messages of the live monitor's threads and windows.
#include <windows.h>

constexpr UINT WM_VIEW_ANIME_REQ = 1124;        // request thread: run the request loop
constexpr UINT WM_INIT_VIEW_WND = 1130;         // decode thread: make the hidden window (wParam event, lParam frame)
constexpr UINT WM_DRAW_VIEW = 1131;             // decode thread: decode and draw the kept frame again
constexpr UINT WM_ANIME_FRAME_CREATED = 1026;   // live frame, to itself after creation
constexpr UINT WM_PAUSE_LIVE = 1132;            // live frame (sent): pause the requests
constexpr UINT WM_LIVE_FAILED = 1133;           // live frame and main frame: wParam = string id
constexpr UINT WM_RESET_SCROLL = 1135;          // live view: recompute the scroll bars
constexpr UINT WM_PICTURE_SIZE_CHANGED = 1136;  // live frame: wParam = decode denominator
constexpr UINT WM_RESIZE_DC = 1137;             // live view: wParam width, lParam height
// WM_UPDATE_TITLE (1126) and WM_EXIT_FULL_SCREEN (1127) are shared with the
// picture windows: ImageFrame.h and FullScreenWnd.h.

// Decoding a live frame and drawing it, as the decode thread sees the view.
class ILiveFrameSink {
public:
    // Outcome of one frame: shown, decoded but not drawn, not decodable.
    enum Outcome { kShown = 0, kNotDrawn = 1, kNotDecodable = 2 };
    virtual int LoadPicture(const void* data, DWORD length, int* outcome) = 0;

protected:
    ~ILiveFrameSink() = default;
};
