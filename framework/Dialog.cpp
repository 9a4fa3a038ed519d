#include "Dialog.h"

namespace fw {

Dialog::~Dialog() {
    if (!hwnd_) return;
    // Detached first: the derived object is gone, so no handler may run now.
    HWND hwnd = hwnd_;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    hwnd_ = nullptr;
    ::DestroyWindow(hwnd);
}

HWND Dialog::Create(HWND parent) {
    return ::CreateDialogParamW(Module(), MAKEINTRESOURCEW(templateId_), parent, StaticDlgProc,
                                reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::DoModal(HWND parent) {
    return ::DialogBoxParamW(Module(), MAKEINTRESOURCEW(templateId_), parent, StaticDlgProc,
                             reinterpret_cast<LPARAM>(this));
}

bool Dialog::OnCommand(WORD id, WORD) {
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(id);
        return true;
    }
    return false;
}

INT_PTR CALLBACK Dialog::StaticDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        return FALSE;
    }
    if (msg == WM_COMMAND) return self->OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    LRESULT result = 0;
    if (self->OnMessage(msg, wParam, lParam, result)) {
        ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return FALSE;
}

}  // namespace fw
