#include "View.h"

#include <utility>

#include "Document.h"
#include "MdiChild.h"
#include "Surface.h"

namespace fw {

View::~View() { LeaveDocument(); }

bool View::Create(MdiChild& frame, Document& document, DWORD style) {
    WNDCLASSEXW wc{};
    wc.style = CS_DBLCLKS;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClass(wc)) return false;
    RECT rc{};
    ::GetClientRect(frame.hwnd(), &rc);
    // The document is known during WM_CREATE but joined only by a window
    // that exists, so a failed creation never closes it.
    frame_ = &frame;
    document_ = &document;
    DWORD fullStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | style | ExtraStyle();
    if (!Window::Create(kClassName, L"", fullStyle, ExtraExStyle(), 0, 0, rc.right, rc.bottom, frame.hwnd(), nullptr)) {
        document_ = nullptr;
        return false;
    }
    document.AddView(this);
    return true;
}

void View::OnUpdate(View*, LPARAM) {
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void View::OnPaint() {
    PAINTSTRUCT ps;
    HDC screen = ::BeginPaint(hwnd(), &ps);
    RECT rc;
    ::GetClientRect(hwnd(), &rc);
    if (rc.right > 0 && rc.bottom > 0) {
        Surface surface;
        if (surface.Create(screen, SIZE{rc.right, rc.bottom})) {
            ::FillRect(surface.dc(), &rc, BackgroundBrush());
            int saved = ::SaveDC(surface.dc());
            OnPrepareDC(surface.dc());
            OnDraw(surface.dc());
            ::RestoreDC(surface.dc(), saved);
            ::BitBlt(screen, 0, 0, rc.right, rc.bottom, surface.dc(), 0, 0, SRCCOPY);
        }
    }
    ::EndPaint(hwnd(), &ps);
}

LRESULT View::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;  // painting covers every pixel
    case WM_PAINT:
        OnPaint();
        return 0;
    default:
        return Window::WindowProc(msg, wParam, lParam);
    }
}

void View::LeaveDocument() {
    Document* document = std::exchange(document_, nullptr);
    if (document) document->RemoveView(this);
}

void View::OnFinalMessage() { LeaveDocument(); }

}  // namespace fw
