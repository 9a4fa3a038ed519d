#pragma once
// The eraser form of the drawing palette (dialog 159): three eraser sizes,
// each a dot in a clickable frame; the chosen one is a white dot in black.
#include <windows.h>

#include "drawing/EditFormDlg.h"

class CSetEraseSize : public CEditFormDlg {
public:
    explicit CSetEraseSize(CEditViewTool& palette);

    // The dot of the chosen size: IDC_ERASER_DOT_SMALL, _MEDIUM or _LARGE.
    int selectedDot() const { return selected_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int selected_ = 0;
};
