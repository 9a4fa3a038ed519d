#include "sdview/SlideSplitFrm.h"

#include "sdview/PaneLayout.h"

CSlideSplitFrm::CSlideSplitFrm(device::IDeviceControl* device, ISlideProgress& progress)
    : progress_(progress), tree_(device), thumbnails_(device) {}

bool CSlideSplitFrm::Create(HWND parent, const RECT& rect) {
    WNDCLASSEXW wc{};
    wc.lpszClassName = kClassName;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterClass(wc)) return false;
    if (!Window::Create(kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, parent, nullptr))
        return false;
    return CreatePanes(hwnd(), splitter_, tree_, thumbnails_, kSlideTreeWidth);
}

LRESULT CSlideSplitFrm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int total = static_cast<int>(wParam), done = static_cast<int>(lParam);
    switch (msg) {
    case CThumbnailList::WM_THUMBNAILS_START: progress_.ShowProgress(total, done); return 0;
    case CThumbnailList::WM_THUMBNAILS_PROGRESS: progress_.UpdateProgress(total, done); return 0;
    case CThumbnailList::WM_THUMBNAILS_END: progress_.HideProgress(); return 0;
    case WM_SIZE: FitSplitter(hwnd(), splitter_); return 0;
    default: return fw::Window::WindowProc(msg, wParam, lParam);
    }
}
