#include "base/ControlDialog.h"

#include "Application.h"
#include "MessageBox.h"
#include "base/AppServices.h"
#include "Strings.h"

void CControlDialog::SetOwner(HWND owner) {
    if (owner == nullptr || ::IsWindow(owner)) owner_ = owner;
}

LONG CControlDialog::Increment() { return ::InterlockedIncrement(&count_); }

LONG CControlDialog::Decrement() {
    LONG n = ::InterlockedDecrement(&count_);
    if (n == 0 && owner_) ::PostMessageW(owner_, WM_MSGBOX_CLOSED, 0, 0);
    return n;
}

LONG CControlDialog::GetCount() const {
    return ::InterlockedCompareExchange(const_cast<volatile LONG*>(&count_), 0, 0);
}

int CControlDialog::ShowMessageBox(const std::wstring& text, UINT type, UINT) {
    Increment();
    int result = fw::AppMessageBox(text, type);
    Decrement();
    return result;
}

int CControlDialog::ShowMessageBox(UINT stringId, UINT type, UINT helpId) {
    return ShowMessageBox(fw::LoadResString(stringId), type, helpId);
}

int CControlDialog::ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    Increment();
    int result = fw::ShowMessageBox(owner, text, caption, type);
    Decrement();
    return result;
}

int ShowAppMessage(const std::wstring& text, UINT type) {
    IAppServices* services = AppServices();
    if (services && services->controlDialog()) return services->controlDialog()->ShowMessageBox(text, type);
    return fw::AppMessageBox(text, type);
}

int ShowAppMessage(UINT stringId, UINT type) { return ShowAppMessage(fw::LoadResString(stringId), type); }
