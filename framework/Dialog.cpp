#include "Dialog.h"

#include "Window.h"

namespace fw {

namespace {
// A dialog procedure returns these answers itself; every other one goes
// through DWLP_MSGRESULT.
bool IsDirectAnswer(UINT msg) {
    return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM ||
           msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON;
}

INT_PTR Answer(HWND hwnd, UINT msg, LRESULT result) {
    if (IsDirectAnswer(msg)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
}  // namespace

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
    LRESULT result = 0;
    // A control with an object of its own answers its notifications first.
    if (Window::Reflect(hwnd, msg, wParam, lParam, result)) return Answer(hwnd, msg, result);
    if (msg == WM_COMMAND) return self->OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    return self->OnMessage(msg, wParam, lParam, result) ? Answer(hwnd, msg, result) : FALSE;
}

}  // namespace fw
