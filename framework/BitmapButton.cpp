#include "BitmapButton.h"

namespace fw {

namespace {
// The system button's own procedure, kept on the window itself so that a
// message arriving after the object is gone still reaches it.
constexpr const wchar_t* kOriginalProc = L"fw.BitmapButton.proc";
}  // namespace

BitmapDC::BitmapDC(HDC reference, HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return;
    size_ = {info.bmWidth, info.bmHeight};
    dc_.reset(::CreateCompatibleDC(reference));
    if (dc_) displaced_ = ::SelectObject(dc_.get(), bitmap);
}

BitmapDC::~BitmapDC() {
    if (displaced_) ::SelectObject(dc_.get(), displaced_);
}

bool BitmapDC::StretchTo(HDC dc, const RECT& target) const {
    if (!*this) return false;
    int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    BOOL done = ::StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
                             dc_.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
    return done != FALSE;
}

BitmapButton::~BitmapButton() { Release(); }

bool BitmapButton::LoadBitmaps(HINSTANCE module, UINT normal, UINT pressed, UINT focus, UINT disabled) {
    const UINT ids[kStateCount] = {normal, pressed, focus, disabled};
    for (int state = 0; state < kStateCount; ++state)
        bitmaps_[state].reset(ids[state] ? ::LoadImageW(module, MAKEINTRESOURCEW(ids[state]), IMAGE_BITMAP, 0, 0,
                                                        LR_CREATEDIBSECTION)
                                         : nullptr);
    if (IsWindow()) ::InvalidateRect(hwnd(), nullptr, FALSE);
    return static_cast<bool>(bitmaps_[kNormal]);
}

bool BitmapButton::SubclassDlgItem(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    if (!control || hwnd() || ::GetPropW(control, kOriginalProc)) return false;
    auto original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(control, GWLP_WNDPROC));
    ::SetPropW(control, kOriginalProc, reinterpret_cast<HANDLE>(original));
    Attach(control);
    ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
    return true;
}

HBITMAP BitmapButton::BitmapFor(UINT drawState) const {
    State state = kNormal;
    if (drawState & ODS_DISABLED)
        state = kDisabled;
    else if (drawState & ODS_SELECTED)
        state = kPressed;
    else if (drawState & ODS_FOCUS)
        state = kFocus;
    const GdiObject& chosen = bitmaps_[state] ? bitmaps_[state] : bitmaps_[kNormal];
    return static_cast<HBITMAP>(chosen.get());
}

bool BitmapButton::ReflectDrawItem(LPARAM drawItem) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(drawItem);
    if (!item || item->CtlType != ODT_BUTTON) return false;
    BitmapButton* self = FromControl(item->hwndItem);
    if (!self) return false;
    self->DrawItem(*item);
    return true;
}

void BitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
    BitmapDC(item.hDC, BitmapFor(item.itemState)).StretchTo(item.hDC, item.rcItem);
}

LRESULT BitmapButton::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(::GetPropW(hwnd(), kOriginalProc));
    return original ? ::CallWindowProcW(original, hwnd(), msg, wParam, lParam)
                    : ::DefWindowProcW(hwnd(), msg, wParam, lParam);
}

BitmapButton* BitmapButton::FromControl(HWND hwnd) {
    if (!hwnd || !::GetPropW(hwnd, kOriginalProc)) return nullptr;
    return dynamic_cast<BitmapButton*>(Window::FromHandle(hwnd));
}

LRESULT CALLBACK BitmapButton::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    BitmapButton* self = FromControl(hwnd);
    LRESULT result;
    if (self) {
        result = self->WindowProc(msg, wParam, lParam);
    } else {
        auto original = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kOriginalProc));
        result = original ? ::CallWindowProcW(original, hwnd, msg, wParam, lParam)
                          : ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        if (self) self->Detach();
        ::RemovePropW(hwnd, kOriginalProc);
    }
    return result;
}

void BitmapButton::Release() {
    HWND control = hwnd();
    if (!control) return;
    Detach();
    if (!::IsWindow(control)) return;
    // Someone who subclassed on top of us still calls our procedure, which
    // then passes everything to the system's button.
    if (::GetWindowLongPtrW(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProc)) {
        ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::GetPropW(control, kOriginalProc)));
        ::RemovePropW(control, kOriginalProc);
    }
}

}  // namespace fw
