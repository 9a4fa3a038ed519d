#pragma once
#include <windows.h>

namespace fw {

// A dialog from a resource template, object attached at WM_INITDIALOG. A
// control with an object of its own (fw::Window::Subclass) sees its
// notifications before the dialog does.
class Dialog {
public:
    // `module`: where the template lives; null for the program itself.
    explicit Dialog(UINT templateId, HINSTANCE module = nullptr) : templateId_(templateId), module_(module) {}
    // A modeless window still open goes with its object.
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    INT_PTR DoModal(HWND parent);
    // Modeless: the window lives until DestroyWindow or the object's end.
    HWND Create(HWND parent);
    HWND hwnd() const { return hwnd_; }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual bool OnCommand(WORD id, WORD code);
    // Return true when handled; `result` is the answer (through DWLP_MSGRESULT
    // where the dialog manager wants it there).
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }
    void EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

private:
    static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HINSTANCE Module() const { return module_ ? module_ : ::GetModuleHandleW(nullptr); }
    UINT templateId_;
    HINSTANCE module_;
    HWND hwnd_ = nullptr;
};

}  // namespace fw
