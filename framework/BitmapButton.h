#pragma once
// A push button that shows a bitmap for each of its states. It takes over a
// BS_OWNERDRAW button of a dialog (SubclassDlgItem) and draws itself when
// its parent hands the WM_DRAWITEM back; derived classes see the button's
// own messages before the system's button does.
#include <windows.h>

#include "Handles.h"
#include "Window.h"

namespace fw {

class BitmapButton : public Window {
public:
    BitmapButton() = default;

    // Bitmap resources of `module`; 0 leaves that state out. Only the normal
    // bitmap is required: a missing state shows the normal one.
    bool LoadBitmaps(HINSTANCE module, UINT normal, UINT pressed = 0, UINT focus = 0, UINT disabled = 0);
    // The button's current look: pressed while held, disabled while disabled.
    HBITMAP BitmapFor(UINT drawState) const;

protected:
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
    enum State { kNormal, kPressed, kFocus, kDisabled, kStateCount };

    GdiObject bitmaps_[kStateCount];
};

}  // namespace fw
