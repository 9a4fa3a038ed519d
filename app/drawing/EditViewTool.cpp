#include "drawing/EditViewTool.h"

#include <commctrl.h>

#include <new>

#include "base/ControlDialog.h"
#include "base/DrawingSettings.h"
#include "base/TraceLog.h"
#include "drawing/DrawingHost.h"
#include "drawing/SetEraseSize.h"
#include "drawing/SetLineKindDlg.h"
#include "resource.h"

namespace {

constexpr int kIconSize = 20;
// Below where the template puts it, clear of the main frame's menu and toolbar.
constexpr int kDropBelow = 30;

struct PaletteButton {
    UINT id, icon;
};

constexpr PaletteButton kButtons[] = {
    {ID_TOOL_FREE_LINE, IDI_FREE_LINE}, {ID_TOOL_LINE, IDI_LINE},         {ID_TOOL_RECTANGLE, IDI_RECTANGLE},
    {ID_TOOL_HORIZONTAL, IDI_HORIZONTAL}, {ID_TOOL_VERTICAL, IDI_VERTICAL}, {ID_TOOL_ERASER, IDI_ERASER},
    {ID_TOOL_ERASE_AREA, IDI_ERASE_AREA}, {ID_TOOL_ERASE_ALL, IDI_ERASE_ALL},
};

bool IsToolButton(UINT id) {
    return id == ID_TOOL_FREE_LINE || (id >= ID_TOOL_LINE && id <= ID_TOOL_VERTICAL) || id == ID_TOOL_ERASER;
}

}  // namespace

CEditViewTool::CEditViewTool(IDrawingHost& host) : fw::Dialog(IDD_DRAW_PALETTE), host_(host) {}

// The forms' windows are children of the palette's: they go first.
CEditViewTool::~CEditViewTool() {
    if (hwnd()) ::DestroyWindow(hwnd());
}

bool CEditViewTool::Open() {
    if (!hwnd()) {
        // The line form's type box is an image combo box.
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&classes);
        if (!Create(host_.hostWindow())) return false;
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    return true;
}

void CEditViewTool::Close() {
    const UINT tool = host_.drawingSettings().tool();
    if (tool != ID_TOOL_HAND && tool != ID_TOOL_SELECT) host_.SetCurrentTool(ID_TOOL_HAND);
    if (hwnd()) ::DestroyWindow(hwnd());
    shown_ = nullptr;
}

bool CEditViewTool::IsVisible() const { return hwnd() && ::IsWindowVisible(hwnd()); }

void CEditViewTool::KeepBeside() {
    RECT frame{}, palette{};
    if (!hwnd() || !::GetWindowRect(host_.hostWindow(), &frame) || !::GetWindowRect(hwnd(), &palette)) return;
    const int x = frame.right - kRightInset - (palette.right - palette.left);
    ::SetWindowPos(hwnd(), nullptr, x, palette.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CEditViewTool::UncheckButtons() { CheckOnly(0); }

const CDrawingSettings& CEditViewTool::settings() const { return host_.drawingSettings(); }
void CEditViewTool::SetColor(COLORREF color) { host_.drawingSettings().SetLineColor(color); }
void CEditViewTool::SetLineWidth(int width) { host_.drawingSettings().SetLineWidth(width); }
void CEditViewTool::SetLineKind(BYTE kind) { host_.drawingSettings().SetLineKind(kind); }
void CEditViewTool::SetEraserSize(int size) { host_.drawingSettings().SetEraserSize(size); }

BOOL CEditViewTool::OnInitDialog() {
    const wchar_t* src = L"CEditViewTool::OnInitDialog";
    if (!LoadEditBitmap()) {
        WriteTraceLogStep(kTraceApp, src, L"LoadEditBitmap()");
        return FALSE;
    }
    if (!CreateForms()) return FALSE;
    ShowForm(lineForm_.get());
    CheckOnly(host_.drawingSettings().tool());
    RECT palette{};
    ::GetWindowRect(hwnd(), &palette);
    ::SetWindowPos(hwnd(), nullptr, palette.left, palette.top + kDropBelow, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    KeepBeside();
    ::ShowWindow(hwnd(), SW_SHOW);
    return TRUE;
}

bool CEditViewTool::LoadEditBitmap() {
    for (const PaletteButton& b : kButtons) {
        HWND button = ::GetDlgItem(hwnd(), static_cast<int>(b.id));
        if (!button || ::SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0)) continue;
        // Shared: the system frees the icons with the program.
        HANDLE icon = ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(b.icon), IMAGE_ICON, kIconSize,
                                   kIconSize, LR_SHARED);
        if (!icon) {
            WriteTraceLog(kTraceApp, L"CEditViewTool::LoadEditBitmap",
                          L"The error occurred with the [LoadImage] function. GetLastError=[0x%08X]", ::GetLastError());
            ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
            return false;
        }
        ::SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
    return true;
}

bool CEditViewTool::CreateForms() {
    const wchar_t* src = L"CEditViewTool::OnInitDialog";
    try {
        if (!eraserForm_) eraserForm_ = std::make_unique<CSetEraseSize>(*this);
        if (!lineForm_) lineForm_ = std::make_unique<CSetLineKindDlg>(*this);
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, src, L"new");
        ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
        eraserForm_.reset();
        lineForm_.reset();
        return false;
    }
    if (!eraserForm_->CreateForm(hwnd())) {
        WriteTraceLogStep(kTraceApp, src, L"CreateForm()[1]");
        return false;
    }
    if (!lineForm_->CreateForm(hwnd())) {
        WriteTraceLogStep(kTraceApp, src, L"CreateForm()[2]");
        return false;
    }
    return true;
}

void CEditViewTool::ShowForm(CEditFormDlg* form) {
    if (shown_ && shown_ != form) shown_->Show(false);
    shown_ = form;
    if (form) form->Show(true);
}

void CEditViewTool::CheckOnly(UINT id) {
    if (!hwnd()) return;
    for (const PaletteButton& b : kButtons)
        ::CheckDlgButton(hwnd(), static_cast<int>(b.id), b.id == id ? BST_CHECKED : BST_UNCHECKED);
}

void CEditViewTool::OnToolButton(UINT id) {
    ShowForm(id == ID_TOOL_ERASER ? static_cast<CEditFormDlg*>(eraserForm_.get()) : lineForm_.get());
    CheckOnly(id);
    host_.SetCurrentTool(id);
}

// The erase buttons act once: the tool's button shows again.
void CEditViewTool::OnEraseButton(UINT id) {
    CheckOnly(host_.drawingSettings().tool());
    host_.EraseDrawing(id);
}

bool CEditViewTool::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) return false;
    if (IsToolButton(id)) {
        OnToolButton(id);
        return true;
    }
    if (id == ID_TOOL_ERASE_AREA || id == ID_TOOL_ERASE_ALL) {
        OnEraseButton(id);
        return true;
    }
    // Enter and Escape end nothing: the palette closes by its close box or Draw.
    return id == IDOK || id == IDCANCEL;
}

bool CEditViewTool::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg != WM_CLOSE) return false;
    Close();
    result = 0;
    return true;
}
