#include "drawing/EditFormDlg.h"

#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "resource.h"

int CEditFormDlg::CreateForm(HWND parent) {
    if (!Create(parent)) {
        WriteTraceLogStep(kTraceApp, L"CEditFormDlg::CreateForm", L"Create");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return 0;
    }
    RECT client{};
    ::GetClientRect(parent, &client);
    // The palette's buttons take the top four ninths.
    ::SetWindowPos(hwnd(), nullptr, 0, client.bottom / 9 * 4, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    return 1;
}

void CEditFormDlg::Show(bool show) {
    if (hwnd()) ::ShowWindow(hwnd(), show ? SW_SHOW : SW_HIDE);
}

// Enter and Escape end nothing here: the form lives as long as the palette.
bool CEditFormDlg::OnCommand(WORD id, WORD) { return id == IDOK || id == IDCANCEL; }

bool CEditFormDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC) return false;
    // Labels and frames show the palette's face through them.
    ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    return true;
}
