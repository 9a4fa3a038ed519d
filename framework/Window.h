#pragma once
// One window, one object: the object is attached at WM_NCCREATE (dialogs at
// WM_INITDIALOG) and detached at WM_NCDESTROY, after which OnFinalMessage runs.
#include <windows.h>

namespace fw {

class Window {
public:
    Window() = default;
    virtual ~Window() = default;
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

    static Window* FromHandle(HWND hwnd);

    // Hands the object to its window: it is deleted after the final hook.
    // Set once the window exists, so a failed creation leaves the object to
    // whoever made it.
    void SetAutoDelete(bool autoDelete) { autoDelete_ = autoDelete; }

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone; the object may delete itself here.
    virtual void OnFinalMessage() {}

    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hwnd);
    void Detach();

private:
    HWND hwnd_ = nullptr;
    bool autoDelete_ = false;
};

}  // namespace fw
