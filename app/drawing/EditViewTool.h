#pragma once
// The drawing palette "Draw" (dialog 137): eight buttons that choose the
// drawing tool or erase, and under them the line form or the eraser form.
// The main frame makes the object once; the Draw command opens and closes
// its window. Every choice goes at once into the main frame's settings.
#include <windows.h>

#include <memory>

#include "Dialog.h"

class CDrawingSettings;
class CEditFormDlg;
class CSetEraseSize;
class CSetLineKindDlg;
class IDrawingHost;

class CEditViewTool : public fw::Dialog {
public:
    // The palette's right edge stays this far inside the main frame's.
    static constexpr int kRightInset = 10;

    explicit CEditViewTool(IDrawingHost& host);
    ~CEditViewTool() override;

    // Creates the window when it has none, beside the main frame's right
    // edge, and shows it; false when it could not be made.
    bool Open();
    // Destroys the window; a drawing tool gives way to the hand.
    void Close();
    bool IsVisible() const;

    // Puts the palette back beside the main frame's right edge.
    void KeepBeside();
    // The main toolbar chose the hand or the selection.
    void UncheckButtons();

    const CDrawingSettings& settings() const;
    void SetColor(COLORREF color);
    void SetLineWidth(int width);
    void SetLineKind(BYTE kind);
    void SetEraserSize(int size);

    CSetLineKindDlg* lineForm() const { return lineForm_.get(); }
    CSetEraseSize* eraserForm() const { return eraserForm_.get(); }
    // The form now shown, or null.
    CEditFormDlg* shownForm() const { return shown_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool LoadEditBitmap();
    bool CreateForms();
    void ShowForm(CEditFormDlg* form);
    void CheckOnly(UINT id);
    void OnToolButton(UINT id);
    void OnEraseButton(UINT id);

    IDrawingHost& host_;
    std::unique_ptr<CSetEraseSize> eraserForm_;
    std::unique_ptr<CSetLineKindDlg> lineForm_;
    CEditFormDlg* shown_ = nullptr;
};
