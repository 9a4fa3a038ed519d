#include "Window.h"

#include <utility>

#include "Reflection.h"

namespace fw {

namespace {
// On a subclassed control: its object, and its own procedure. The procedure
// is kept on the window, so that a procedure subclassed on top of ours still
// reaches the control's own after our object is gone.
constexpr const wchar_t* kObjectProp = L"fw.Window.object";
constexpr const wchar_t* kOriginalProp = L"fw.Window.proc";
}  // namespace

Window::~Window() {
    HWND hwnd = hwnd_;
    const bool destroy = ownsControl_;
    Detach();
    if (destroy && ::IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

bool Window::RegisterClass(WNDCLASSEXW wc) {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = StaticWndProc;
    if (!wc.hInstance) wc.hInstance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) return true;
    return ::RegisterClassExW(&wc) != 0;
}

HWND Window::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE module) {
    return ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                             module ? module : ::GetModuleHandleW(nullptr), this);
}

HWND Window::CreateControl(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                           UINT id) {
    if (hwnd_) return nullptr;
    HWND control = ::CreateWindowExW(exStyle, className, L"", WS_CHILD | style, rect.left, rect.top,
                                     rect.right - rect.left, rect.bottom - rect.top, parent,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                     nullptr);
    if (!control) return nullptr;
    if (!Subclass(control)) {
        ::DestroyWindow(control);
        return nullptr;
    }
    ownsControl_ = true;
    return control;
}

bool Window::Subclass(HWND control) {
    // A procedure of ours left in a chain by an earlier object forwards
    // through kOriginalProp: replacing that would make it call itself.
    if (!control || hwnd_ || ::GetPropW(control, kOriginalProp) || FromHandle(control)) return false;
    original_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(control, GWLP_WNDPROC));
    ::SetPropW(control, kOriginalProp, reinterpret_cast<HANDLE>(original_));
    ::SetPropW(control, kObjectProp, static_cast<HANDLE>(this));
    hwnd_ = control;
    ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
    return true;
}

bool Window::SubclassDlgItem(HWND dialog, int id) { return Subclass(::GetDlgItem(dialog, id)); }

Window* Window::FromHandle(HWND hwnd) {
    DWORD process = 0;
    if (!hwnd || !::GetWindowThreadProcessId(hwnd, &process) || process != ::GetCurrentProcessId()) return nullptr;
    if (reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hwnd, GCLP_WNDPROC)) == &StaticWndProc)
        return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return static_cast<Window*>(::GetPropW(hwnd, kObjectProp));
}

bool Window::Reflect(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND control = NotificationSource(parent, msg, wParam, lParam);
    if (!control || control == parent) return false;
    Window* target = FromHandle(control);
    return target && target->OnReflected(msg, wParam, lParam, result);
}

void Window::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Window::Detach() {
    HWND hwnd = std::exchange(hwnd_, nullptr);
    ownsControl_ = false;
    if (!hwnd) return;
    WNDPROC original = std::exchange(original_, nullptr);
    if (!original) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return;
    }
    ::RemovePropW(hwnd, kObjectProp);
    // Someone who subclassed on top of us still calls our procedure, which
    // then passes everything to the control's own.
    if (::GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProc)) {
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        ::RemovePropW(hwnd, kOriginalProp);
    }
}

LRESULT Window::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(msg, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return original_ ? ::CallWindowProcW(original_, hwnd_, msg, wParam, lParam)
                     : ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!Reflect(hwnd_, msg, wParam, lParam, result)) result = WindowProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        Detach();
        OnFinalMessage();
        if (autoDelete_) delete this;
    }
    return result;
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        void* param = cs->lpCreateParams;
        // MDI children carry the object inside their MDICREATESTRUCT.
        if (cs->dwExStyle & WS_EX_MDICHILD) param = reinterpret_cast<void*>(reinterpret_cast<MDICREATESTRUCTW*>(param)->lParam);
        if (auto* self = static_cast<Window*>(param)) self->Attach(hwnd);
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->Dispatch(msg, wParam, lParam) : ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (auto* self = static_cast<Window*>(::GetPropW(hwnd, kObjectProp))) return self->Dispatch(msg, wParam, lParam);
    auto original = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kOriginalProp));
    if (msg == WM_NCDESTROY) ::RemovePropW(hwnd, kOriginalProp);
    return original ? ::CallWindowProcW(original, hwnd, msg, wParam, lParam)
                    : ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace fw
