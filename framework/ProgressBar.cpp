#include "ProgressBar.h"

#include <commctrl.h>

namespace fw {

bool ProgressBar::Create(HWND parent, UINT id, const RECT& rect) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    return CreateControl(PROGRESS_CLASSW, WS_VISIBLE, 0, rect, parent, id) != nullptr;
}

void ProgressBar::SetRange(int low, int high) { ::SendMessageW(hwnd(), PBM_SETRANGE32, low, high); }

int ProgressBar::low() const { return static_cast<int>(::SendMessageW(hwnd(), PBM_GETRANGE, TRUE, 0)); }

int ProgressBar::high() const { return static_cast<int>(::SendMessageW(hwnd(), PBM_GETRANGE, FALSE, 0)); }

void ProgressBar::SetPosition(int position) { ::SendMessageW(hwnd(), PBM_SETPOS, position, 0); }

int ProgressBar::position() const { return static_cast<int>(::SendMessageW(hwnd(), PBM_GETPOS, 0, 0)); }

}  // namespace fw
