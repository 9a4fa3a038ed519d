#pragma once
// One window, one object: the object is attached at WM_NCCREATE (dialogs at
// WM_INITDIALOG, a control of another class when it is subclassed) and
// detached at WM_NCDESTROY, after which OnFinalMessage runs.
//
// Controls report to their parent (WM_NOTIFY, WM_COMMAND, WM_DRAWITEM, ...);
// the parent's framework procedure hands such a notification back to the
// control's own object first (OnReflected), so wrappers handle their own
// notifications and raise typed events.
#include <windows.h>

namespace fw {

class Window {
public:
    Window() = default;
    // A window still there is cut loose first (a subclassed control gets its
    // own procedure back); a control made by CreateControl is destroyed.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool IsWindow() const { return hwnd_ && ::IsWindow(hwnd_); }

    // Registers (once) a class whose procedure routes to Window objects.
    static bool RegisterClass(WNDCLASSEXW wc);
    // Creates a window of a class registered through RegisterClass (with the
    // same module: a library registers its classes under its own).
    HWND Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND parent, HMENU menu, HINSTANCE module = nullptr);

    // Takes over a window of another class (a dialog's control, a common
    // control): its messages reach WindowProc before its own procedure.
    // False when it has an object already or this object has a window.
    bool Subclass(HWND control);
    bool SubclassDlgItem(HWND dialog, int id);

    // The object of a framework window or a subclassed one; null for others.
    static Window* FromHandle(HWND hwnd);

    // For a parent's procedure: hands a control's notification to the
    // control's object. True when that handled it; `result` is then the
    // parent's answer. Menus' WM_DRAWITEM and WM_MEASUREITEM stay with the parent.
    static bool Reflect(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Hands the object to its window: it is deleted after the final hook.
    // Set once the window exists, so a failed creation leaves the object to
    // whoever made it.
    void SetAutoDelete(bool autoDelete) { autoDelete_ = autoDelete; }

protected:
    // A control of a system class (list view, progress bar, ...), subclassed;
    // it goes with the object.
    HWND CreateControl(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id);

    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The class's own procedure: DefWindowProc, or the subclassed control's.
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // A notification this window sent its parent, handed back (see Reflect).
    virtual bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }
    // Called after the window is gone; the object may delete itself here.
    virtual void OnFinalMessage() {}

    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hwnd);
    void Detach();

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Reflection, WindowProc and, at WM_NCDESTROY, the final hook.
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;  // a subclassed control's own procedure
    bool autoDelete_ = false;
    bool ownsControl_ = false;
};

}  // namespace fw
