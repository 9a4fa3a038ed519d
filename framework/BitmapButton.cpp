#include "BitmapButton.h"

#include "Surface.h"

namespace fw {

bool BitmapButton::LoadBitmaps(HINSTANCE module, UINT normal, UINT pressed, UINT focus, UINT disabled) {
    const UINT ids[kStateCount] = {normal, pressed, focus, disabled};
    for (int state = 0; state < kStateCount; ++state)
        bitmaps_[state].reset(ids[state] ? ::LoadImageW(module, MAKEINTRESOURCEW(ids[state]), IMAGE_BITMAP, 0, 0,
                                                        LR_CREATEDIBSECTION)
                                         : nullptr);
    if (IsWindow()) ::InvalidateRect(hwnd(), nullptr, FALSE);
    return static_cast<bool>(bitmaps_[kNormal]);
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

bool BitmapButton::OnReflected(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void BitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
    StretchBitmap(item.hDC, item.rcItem, BitmapFor(item.itemState));
}

}  // namespace fw
