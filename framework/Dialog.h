#pragma once
#include <windows.h>

namespace fw {

// A dialog from a resource template, object attached at WM_INITDIALOG.
class Dialog {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}
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
    // Return true when handled; the result goes to DWLP_MSGRESULT.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }
    void EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

private:
    static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    UINT templateId_;
    HWND hwnd_ = nullptr;
};

}  // namespace fw
