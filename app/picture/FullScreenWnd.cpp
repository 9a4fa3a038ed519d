#include "picture/FullScreenWnd.h"

#include <mutex>

#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kClassName = L"PictavoFullScreenWnd";

// Black around `picture` only: the picture covers the rest, and filling a
// whole screen for every live frame costs as much as a copy of it.
void BlackenAround(HDC dc, const RECT& client, const RECT& picture) {
    ::PatBlt(dc, 0, 0, client.right, picture.top, BLACKNESS);
    ::PatBlt(dc, 0, picture.bottom, client.right, client.bottom - picture.bottom, BLACKNESS);
    ::PatBlt(dc, 0, picture.top, picture.left, picture.bottom - picture.top, BLACKNESS);
    ::PatBlt(dc, picture.right, picture.top, client.right - picture.right, picture.bottom - picture.top, BLACKNESS);
}

}  // namespace

FullScreenPlacement PlaceFullScreen(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight) {
    FullScreenPlacement place{{0, 0, 0, 0}, false};
    if (screenWidth <= 0 || screenHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return place;
    const double rx = static_cast<double>(screenWidth) / pictureWidth;
    const double ry = static_cast<double>(screenHeight) / pictureHeight;
    double scale;
    if (rx > ry) {
        scale = ry;
        const int width = static_cast<int>(pictureWidth * ry);
        const int x = (screenWidth - width) / 2;
        place.target = {x, 0, x + width, screenHeight};
    } else {
        scale = rx;
        const int height = static_cast<int>(pictureHeight * rx);
        const int y = (screenHeight - height) / 2;
        place.target = {0, y, screenWidth, y + height};
    }
    place.halftone = scale < 1.0;
    return place;
}

FullScreenPlacement PrepareFullScreen(HDC dc, const RECT& client, SIZE picture) {
    const FullScreenPlacement place = PlaceFullScreen(client.right, client.bottom, picture.cx, picture.cy);
    BlackenAround(dc, client, place.target);
    if (place.halftone) {
        ::SetStretchBltMode(dc, HALFTONE);
        ::SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE requires it after the mode change
    } else {
        ::SetStretchBltMode(dc, COLORONCOLOR);
    }
    return place;
}

CFullScreenWnd::CFullScreenWnd(HWND owner, HDC sourceDC) : owner_(owner), sourceDC_(sourceDC) { Open(); }

CFullScreenWnd::CFullScreenWnd(HWND owner, FullScreenDrawer drawer) : owner_(owner), drawer_(std::move(drawer)) {
    Open();
}

void CFullScreenWnd::Open() {
    WNDCLASSEXW wc{};
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    HWND hwnd = nullptr;
    if (RegisterClass(wc)) {
        hwnd = Create(kClassName, kFullScreenWindowName, WS_POPUP, 0, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                      ::GetSystemMetrics(SM_CYSCREEN), owner_, nullptr);
    }
    if (!hwnd) {
        WriteTraceLog(kTraceApp, L"CFullScreenWnd::CFullScreenWnd",
                      L"The error occurred with the [CreateEx()] function.");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return;
    }
    created_ = true;
    constructed_ = true;
    ::ShowWindow(hwnd, SW_SHOW);
}

CFullScreenWnd::~CFullScreenWnd() {
    created_ = false;
    // Waits out a frame being drawn; any later one sees the cleared flag.
    { std::lock_guard<fw::CriticalSection> guard(backLock_); }
    if (!hwnd()) return;
    // Only the window's own thread can destroy it; elsewhere at least cut the
    // window loose so its later messages never reach a deleted object.
    if (!::DestroyWindow(hwnd())) Detach();
}

bool CFullScreenWnd::CreateMemoryDC() {
    static const wchar_t* const kSource = L"CFullScreenWnd::CreateMemoryDC";
    HDC client = hwnd() ? ::GetDC(hwnd()) : nullptr;
    if (!client) {
        WriteTraceLog(kTraceApp, kSource, L"The error occurred with the [GetDC()] function.");
        return false;
    }
    RECT rc{};
    ::GetClientRect(hwnd(), &rc);
    std::lock_guard<fw::CriticalSection> guard(backLock_);
    const bool made = back_.Create(client, SIZE{rc.right, rc.bottom});
    ::ReleaseDC(hwnd(), client);
    if (!made) {
        WriteTraceLog(kTraceApp, kSource,
                      back_.failure() != fw::Surface::Failure::CreateDc
                          ? L"The error occurred with the [CreateCompatibleBitmap()] function."
                          : L"The error occurred with the [CreateCompatibleDC()] function.");
        return false;
    }
    return true;
}

int CFullScreenWnd::Initialize() {
    if (drawer_ || CreateMemoryDC()) return 1;
    WriteTraceLog(kTraceApp, L"CFullScreenWnd::Initialize",
                  L"The error occurred with the [CreateMemoryDC()] function.");
    ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    return 0;
}

int CFullScreenWnd::DrawPicture() {
    static const wchar_t* const kSource = L"CFullScreenWnd::DrawPicture";
    if (drawer_) return DrawDirectly();
    std::lock_guard<fw::CriticalSection> guard(backLock_);
    if (!created_) return 1;
    if (!back_) {
        WriteTraceLog(kTraceApp, kSource, L"The error occurred with the [CreateMemoryDC()] function.");
        return 0;
    }
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const HDC back = back_.dc();
    drawn_ = true;

    // An owner without a picture leaves only the black screen, never a
    // division by a zero size.
    BITMAP bm{};
    HGDIOBJ picture = sourceDC_ ? ::GetCurrentObject(sourceDC_, OBJ_BITMAP) : nullptr;
    if (!picture || !::GetObjectW(picture, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        ::PatBlt(back, 0, 0, client.right, client.bottom, BLACKNESS);
        WriteTraceLog(kTraceApp, kSource, L"The error occurred with the [GetObject()] function.");
        return 0;
    }
    const FullScreenPlacement place = PrepareFullScreen(back, client, SIZE{bm.bmWidth, bm.bmHeight});
    const RECT& t = place.target;
    if (!::StretchBlt(back, t.left, t.top, t.right - t.left, t.bottom - t.top, sourceDC_, 0, 0, bm.bmWidth,
                      bm.bmHeight, SRCCOPY)) {
        WriteTraceLog(kTraceApp, kSource, L"The error occurred with the [StretchBlt()] function.");
        return 0;
    }
    // The picture is in the back buffer, so the next paint shows it even if
    // this copy fails: that is no failure of the drawing.
    HDC dc = ::GetDC(hwnd());
    if (!dc || !::BitBlt(dc, 0, 0, client.right, client.bottom, back, 0, 0, SRCCOPY))
        WriteTraceLog(kTraceApp, kSource, L"The error occurred with the [dc.BitBlt()] function.");
    if (dc) ::ReleaseDC(hwnd(), dc);
    return 1;
}

// The picture covers what it does not leave black, so drawing straight into
// the window neither flickers nor needs a copy kept.
int CFullScreenWnd::DrawDirectly() {
    std::lock_guard<fw::CriticalSection> guard(backLock_);
    if (!created_) return 1;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    fw::WindowDC dc(hwnd());
    drawn_ = true;
    if (dc && drawer_(dc.get(), client)) return 1;
    WriteTraceLog(kTraceApp, L"CFullScreenWnd::DrawPicture", L"The error occurred with the [StretchDIBits()] function.");
    return 0;
}

void CFullScreenWnd::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    if (drawer_) {
        // Once stopped, the owner's picture may no longer be the one to show.
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        if (dc && created_) drawer_(dc, client);
    } else if (drawn_) {
        std::lock_guard<fw::CriticalSection> guard(backLock_);
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        if (!dc || !back_ || !::BitBlt(dc, 0, 0, client.right, client.bottom, back_.dc(), 0, 0, SRCCOPY))
            WriteTraceLog(kTraceApp, L"CFullScreenWnd::OnPaint", L"The error occurred with the [dc.BitBlt] function.");
    }
    ::EndPaint(hwnd(), &ps);
}

LRESULT CFullScreenWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the back buffer covers every pixel; erasing would flash
    case WM_CLOSE:
        return 0;  // only the owner ends full screen
    case WM_LBUTTONDOWN:
        ::PostMessageW(owner_, WM_EXIT_FULL_SCREEN, 0, 0);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) ::PostMessageW(owner_, WM_EXIT_FULL_SCREEN, 0, 0);
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}
