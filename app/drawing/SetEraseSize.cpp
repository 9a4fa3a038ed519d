#include "drawing/SetEraseSize.h"

#include "base/DrawingSettings.h"
#include "drawing/EditViewTool.h"
#include "resource.h"

namespace {

struct EraserChoice {
    int frame, dot, size;
};

constexpr EraserChoice kChoices[] = {
    {IDC_ERASER_FRAME_SMALL, IDC_ERASER_DOT_SMALL, 6},
    {IDC_ERASER_FRAME_MEDIUM, IDC_ERASER_DOT_MEDIUM, 10},
    {IDC_ERASER_FRAME_LARGE, IDC_ERASER_DOT_LARGE, 16},
};
constexpr int kMiddle = 1;

// The choice a size shows: any size the form does not offer shows the middle one.
const EraserChoice& ChoiceFor(int size) {
    for (const EraserChoice& c : kChoices)
        if (c.size == size) return c;
    return kChoices[kMiddle];
}

}  // namespace

CSetEraseSize::CSetEraseSize(CEditViewTool& palette) : CEditFormDlg(IDD_ERASER_FORM, palette) {}

BOOL CSetEraseSize::OnInitDialog() {
    selected_ = ChoiceFor(palette().settings().eraserSize()).dot;
    return FALSE;
}

bool CSetEraseSize::OnCommand(WORD id, WORD code) {
    for (const EraserChoice& c : kChoices) {
        if (id != c.frame || code != STN_CLICKED) continue;
        selected_ = c.dot;
        palette().SetEraserSize(c.size);
        ::InvalidateRect(hwnd(), nullptr, TRUE);
        return true;
    }
    return CEditFormDlg::OnCommand(id, code);
}

bool CSetEraseSize::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC) return CEditFormDlg::OnMessage(msg, wParam, lParam, result);
    const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    for (const EraserChoice& c : kChoices) {
        const bool chosen = c.dot == selected_;
        HGDIOBJ brush = nullptr;
        if (id == c.dot) brush = ::GetStockObject(chosen ? WHITE_BRUSH : BLACK_BRUSH);
        if (id == c.frame) brush = chosen ? ::GetStockObject(BLACK_BRUSH) : ::GetSysColorBrush(COLOR_BTNFACE);
        if (!brush) continue;
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    return CEditFormDlg::OnMessage(msg, wParam, lParam, result);
}
