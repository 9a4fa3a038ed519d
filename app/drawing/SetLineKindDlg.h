#pragma once
// The line form of the drawing palette (dialog 160): line type, line width
// and the colour, each written into the drawing settings as it is chosen.
#include <windows.h>

#include "ImageList.h"
#include "drawing/ColorLabel.h"
#include "drawing/EditFormDlg.h"

class CSetLineKindDlg : public CEditFormDlg {
public:
    static constexpr int kColorCount = 8;

    explicit CSetLineKindDlg(CEditViewTool& palette);

    COLORREF currentColor() const { return color_; }
    // The label of control `id`, or null.
    CColorLabel* Label(int id);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool CreateImageList();
    bool CreateColorPallet();
    bool CreateLineKindBox(BYTE kind);
    bool InitLineThickComb(int width);
    void OnColorClicked(COLORREF color);

    COLORREF color_ = RGB(0, 0, 0);
    fw::GdiObject colorBrush_;
    fw::ImageList lineKinds_;
    CColorLabel labels_[kColorCount];
};
