#pragma once
// A settings form of the drawing palette: a child dialog below its buttons.
#include <windows.h>

#include "Dialog.h"

class CEditViewTool;

class CEditFormDlg : public fw::Dialog {
public:
    CEditFormDlg(UINT templateId, CEditViewTool& palette) : fw::Dialog(templateId), palette_(palette) {}

    // Creates it hidden in `parent`, under the palette's buttons; 0 (logged
    // and shown) on failure.
    int CreateForm(HWND parent);
    void Show(bool show);

protected:
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    CEditViewTool& palette() { return palette_; }

private:
    CEditViewTool& palette_;
};
