#include "drawing/SetLineKindDlg.h"

#include <commctrl.h>

#include "base/DrawingSettings.h"
#include "base/TraceLog.h"
#include "drawing/EditViewTool.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kSource = L"CSetLineKindDlg::OnInitDialog";
constexpr SIZE kLineKindImage{60, 14};
constexpr COLORREF kLineKindKey = RGB(0, 255, 255);
// Images of the strip: solid, dashed, dotted; the form offers solid and dotted.
constexpr int kSolidImage = 0;
constexpr int kDottedImage = 2;

struct LabelColor {
    int id;
    COLORREF color;
};

// Two rows of four, in the order they stand.
constexpr LabelColor kColors[CSetLineKindDlg::kColorCount] = {
    {IDC_COLOR_BLACK, RGB(0, 0, 0)},       {IDC_COLOR_RED, RGB(255, 0, 0)},
    {IDC_COLOR_BLUE, RGB(0, 0, 255)},      {IDC_COLOR_GREEN, RGB(0, 255, 0)},
    {IDC_COLOR_WHITE, RGB(255, 255, 255)}, {IDC_COLOR_YELLOW, RGB(255, 255, 0)},
    {IDC_COLOR_MAGENTA, RGB(255, 0, 255)}, {IDC_COLOR_CYAN, RGB(0, 255, 255)},
};

constexpr const wchar_t* kWidthTexts[] = {L"3 pt", L"5 pt", L"7 pt"};
constexpr const wchar_t* kAddSteps[] = {L"AddString()[1]", L"AddString()[2]", L"AddString()[3]"};

}  // namespace

CSetLineKindDlg::CSetLineKindDlg(CEditViewTool& palette) : CEditFormDlg(IDD_LINE_FORM, palette) {}

CColorLabel* CSetLineKindDlg::Label(int id) {
    for (int i = 0; i < kColorCount; ++i)
        if (kColors[i].id == id) return &labels_[i];
    return nullptr;
}

BOOL CSetLineKindDlg::OnInitDialog() {
    const CDrawingSettings& settings = palette().settings();
    color_ = settings.lineColor();
    const wchar_t* failed = !CreateImageList()                     ? L"CreateImageList()"
                            : !CreateColorPallet()                 ? L"CreateColorPallet()"
                            : !CreateLineKindBox(settings.lineKind()) ? L"CreateLineKindBox()"
                            : !InitLineThickComb(settings.lineWidth()) ? L"InitLineThickComb()"
                                                                     : nullptr;
    if (failed) {
        WriteTraceLogStep(kTraceApp, kSource, failed);
        EndDialog(3);
    }
    return FALSE;  // the palette keeps the focus
}

bool CSetLineKindDlg::CreateImageList() {
    fw::GdiObject strip(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LINE_KINDS), IMAGE_BITMAP, 0, 0,
                                     LR_CREATEDIBSECTION));
    return strip && lineKinds_.Create(kLineKindImage, ILC_COLOR24 | ILC_MASK, 0, 4) &&
           lineKinds_.AddMasked(static_cast<HBITMAP>(strip.get()), kLineKindKey) >= 0;
}

bool CSetLineKindDlg::CreateColorPallet() {
    for (int i = 0; i < kColorCount; ++i)
        if (!labels_[i].Attach(hwnd(), kColors[i].id, kColors[i].color, [this](COLORREF c) { OnColorClicked(c); }))
            return false;
    return true;
}

bool CSetLineKindDlg::CreateLineKindBox(BYTE kind) {
    HWND box = ::GetDlgItem(hwnd(), IDC_LINE_KIND);
    if (!box) return false;
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    const int images[] = {kSolidImage, kDottedImage};
    for (int i = 0; i < 2; ++i) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_OVERLAY | CBEIF_INDENT;
        item.iItem = i;
        // A blank, not an empty text: the image combo box keeps no copy of
        // an empty one and copies from null when a choice ends its list.
        item.pszText = const_cast<wchar_t*>(L" ");
        item.iImage = item.iSelectedImage = images[i];
        item.iOverlay = kDottedImage;
        if (::SendMessageW(box, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) == -1) {
            WriteTraceLog(kTraceApp, L"CSetLineKindDlg::CreateLineKindBox",
                          L"The error occurred with the [InsertItem] function of Device control. Return Code[%d]", -1);
            return false;
        }
    }
    ::SendMessageW(box, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(lineKinds_.get()));
    ::SendMessageW(box, CB_SETCURSEL, kind != 0 ? 1 : 0, 0);
    return true;
}

bool CSetLineKindDlg::InitLineThickComb(int width) {
    HWND box = ::GetDlgItem(hwnd(), IDC_LINE_WIDTH);
    if (!box) return false;
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < 3; ++i) {
        const LRESULT added = ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kWidthTexts[i]));
        if (added < 0) {
            WriteTraceLog(kTraceApp, L"CSetLineKindDlg::InitLineThickComb",
                          (std::wstring(L"The error occurred with the [") + kAddSteps[i] +
                           L"] function of Device control. Return Code[%d]").c_str(),
                          static_cast<int>(added));
            return false;
        }
    }
    ::SendMessageW(box, CB_SETCURSEL, width == 3 ? 0 : width == 5 ? 1 : 2, 0);
    return true;
}

void CSetLineKindDlg::OnColorClicked(COLORREF color) {
    color_ = color;
    palette().SetColor(color);
    ::InvalidateRect(::GetDlgItem(hwnd(), IDC_CURRENT_COLOR), nullptr, TRUE);
}

bool CSetLineKindDlg::OnCommand(WORD id, WORD code) {
    if (code == CBN_SELCHANGE && id == IDC_LINE_KIND) {
        const LRESULT item = ::SendDlgItemMessageW(hwnd(), IDC_LINE_KIND, CB_GETCURSEL, 0, 0);
        palette().SetLineKind(item == 0 ? 0 : 1);
        return true;
    }
    if (code == CBN_SELCHANGE && id == IDC_LINE_WIDTH) {
        const LRESULT item = ::SendDlgItemMessageW(hwnd(), IDC_LINE_WIDTH, CB_GETCURSEL, 0, 0);
        palette().SetLineWidth(item == 1 ? 5 : item == 2 ? 7 : 3);
        return true;
    }
    return CEditFormDlg::OnCommand(id, code);
}

bool CSetLineKindDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_CTLCOLORSTATIC) {
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (id == IDC_COLOR_FRAME) {
            ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            result = reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
            return true;
        }
        if (id == IDC_CURRENT_COLOR) {
            colorBrush_.reset(::CreateSolidBrush(color_));
            ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            result = reinterpret_cast<LRESULT>(colorBrush_ ? colorBrush_.get() : ::GetStockObject(BLACK_BRUSH));
            return true;
        }
    }
    return CEditFormDlg::OnMessage(msg, wParam, lParam, result);
}
