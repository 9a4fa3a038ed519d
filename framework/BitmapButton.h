#pragma once
// A push button that shows a bitmap for each of its states. It takes over a
// BS_OWNERDRAW button of a dialog; the dialog passes its WM_DRAWITEM on
// through ReflectDrawItem, and derived classes see the button's own messages
// before the system's button does.
#include <windows.h>

#include "Handles.h"
#include "Window.h"

namespace fw {

// A memory DC showing `bitmap` (which the caller keeps) for the object's life.
class BitmapDC {
public:
    BitmapDC(HDC reference, HBITMAP bitmap);
    ~BitmapDC();
    BitmapDC(const BitmapDC&) = delete;
    BitmapDC& operator=(const BitmapDC&) = delete;

    HDC get() const { return dc_.get(); }
    SIZE size() const { return size_; }
    explicit operator bool() const { return dc_ && displaced_; }
    // The whole bitmap stretched over `target` of `dc`.
    bool StretchTo(HDC dc, const RECT& target) const;

private:
    DcHandle dc_;
    HGDIOBJ displaced_ = nullptr;
    SIZE size_{};
};

class BitmapButton : public Window {
public:
    BitmapButton() = default;
    ~BitmapButton() override;

    // Bitmap resources of `module`; 0 leaves that state out. Only the normal
    // bitmap is required: a missing state shows the normal one.
    bool LoadBitmaps(HINSTANCE module, UINT normal, UINT pressed = 0, UINT focus = 0, UINT disabled = 0);
    // Takes over the dialog's control `id`. False when there is none or it is taken.
    bool SubclassDlgItem(HWND dialog, int id);
    // The button's current look: pressed while held, disabled while disabled.
    HBITMAP BitmapFor(UINT drawState) const;

    // For the parent's WM_DRAWITEM: draws the item when it is a BitmapButton.
    static bool ReflectDrawItem(LPARAM drawItem);

protected:
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
    enum State { kNormal, kPressed, kFocus, kDisabled, kStateCount };
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static BitmapButton* FromControl(HWND hwnd);
    void Release();

    GdiObject bitmaps_[kStateCount];
};

}  // namespace fw
