// The drawing palette and its forms over a stand-in for the main frame.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "Wait.h"
#include "base/DrawingSettings.h"
#include "drawing/DrawingHost.h"
#include "drawing/EditViewTool.h"
#include "drawing/SetEraseSize.h"
#include "drawing/SetLineKindDlg.h"
#include "resource.h"

using testing_support::PumpMessages;

namespace {

constexpr UINT kAllButtons[] = {ID_TOOL_FREE_LINE, ID_TOOL_LINE, ID_TOOL_RECTANGLE, ID_TOOL_HORIZONTAL,
                                ID_TOOL_VERTICAL, ID_TOOL_ERASER, ID_TOOL_ERASE_AREA, ID_TOOL_ERASE_ALL};

// The main frame as the palette sees it: a window, the settings, and a
// record of the tools set and the erasures asked for.
class HostStandIn : public IDrawingHost {
public:
    HostStandIn() {
        window_ = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 900, 600,
                                    nullptr, nullptr, nullptr, nullptr);
    }
    ~HostStandIn() { ::DestroyWindow(window_); }
    HWND hostWindow() const override { return window_; }
    CDrawingSettings& drawingSettings() override { return settings; }
    void SetCurrentTool(UINT id) override { settings.SetTool(id); }
    void EraseDrawing(UINT command) override { erased.push_back(command); }

    CDrawingSettings settings;
    std::vector<UINT> erased;

private:
    HWND window_;
};

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(palette.Open()); }

    void Click(UINT id) {
        ::SendMessageW(palette.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(palette.hwnd(), static_cast<int>(id))));
        PumpMessages();
    }
    std::vector<UINT> Checked() const {
        std::vector<UINT> checked;
        for (UINT id : kAllButtons)
            if (::IsDlgButtonChecked(palette.hwnd(), static_cast<int>(id)) == BST_CHECKED) checked.push_back(id);
        return checked;
    }
    HWND LineControl(int id) const { return ::GetDlgItem(palette.lineForm()->hwnd(), id); }
    void Choose(int comboId, int item) {
        HWND combo = LineControl(comboId);
        ::SendMessageW(combo, CB_SETCURSEL, item, 0);
        ::SendMessageW(palette.lineForm()->hwnd(), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
    }
    void ClickStatic(HWND form, int id) {
        ::SendMessageW(form, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(form, id)));
    }

    HostStandIn host;
    CEditViewTool palette{host};
};

}  // namespace

TEST_F(PaletteTest, OpensBesideTheHostsRightEdgeWithTheLineForm) {
    RECT frame{}, rect{};
    ::GetWindowRect(host.hostWindow(), &frame);
    ::GetWindowRect(palette.hwnd(), &rect);
    EXPECT_TRUE(palette.IsVisible());
    EXPECT_EQ(rect.right, frame.right - CEditViewTool::kRightInset);
    EXPECT_EQ(palette.shownForm(), palette.lineForm());
    EXPECT_TRUE(::IsWindowVisible(palette.lineForm()->hwnd()));
    EXPECT_FALSE(::IsWindowVisible(palette.eraserForm()->hwnd()));
    for (UINT id : kAllButtons)
        EXPECT_TRUE(::SendDlgItemMessageW(palette.hwnd(), static_cast<int>(id), BM_GETIMAGE, IMAGE_ICON, 0)) << id;
    EXPECT_EQ(::SendMessageW(LineControl(IDC_LINE_KIND), CB_GETCOUNT, 0, 0), 2);

    // Kept there when the host grows.
    ::SetWindowPos(host.hostWindow(), nullptr, 0, 0, 1000, 600, SWP_NOMOVE | SWP_NOZORDER);
    palette.KeepBeside();
    ::GetWindowRect(host.hostWindow(), &frame);
    ::GetWindowRect(palette.hwnd(), &rect);
    EXPECT_EQ(rect.right, frame.right - CEditViewTool::kRightInset);
}

TEST_F(PaletteTest, ToolButtonsSetTheToolAndShowTheirForm) {
    struct Case {
        UINT button;
        bool eraserForm;
    } cases[] = {
        {ID_TOOL_LINE, false}, {ID_TOOL_ERASER, true}, {ID_TOOL_RECTANGLE, false},
        {ID_TOOL_HORIZONTAL, false}, {ID_TOOL_VERTICAL, false}, {ID_TOOL_FREE_LINE, false},
    };
    for (const Case& c : cases) {
        Click(c.button);
        EXPECT_EQ(host.settings.tool(), c.button);
        EXPECT_EQ(Checked(), std::vector<UINT>{c.button});
        EXPECT_EQ(::IsWindowVisible(palette.eraserForm()->hwnd()) != FALSE, c.eraserForm) << c.button;
        EXPECT_EQ(::IsWindowVisible(palette.lineForm()->hwnd()) != FALSE, !c.eraserForm) << c.button;
    }
}

TEST_F(PaletteTest, EraseButtonsActOnceAndLeaveTheToolsButton) {
    struct Case {
        UINT tool, button;
        std::vector<UINT> checked;
    } cases[] = {
        {ID_TOOL_HAND, ID_TOOL_ERASE_ALL, {}},
        {ID_TOOL_SELECT, ID_TOOL_ERASE_AREA, {}},
        {ID_TOOL_LINE, ID_TOOL_ERASE_ALL, {ID_TOOL_LINE}},
    };
    for (const Case& c : cases) {
        host.erased.clear();
        host.settings.SetTool(c.tool);
        ::CheckDlgButton(palette.hwnd(), static_cast<int>(c.button), BST_CHECKED);  // as the click leaves it
        Click(c.button);
        EXPECT_EQ(Checked(), c.checked) << c.button;
        EXPECT_EQ(host.settings.tool(), c.tool);
        EXPECT_EQ(host.erased, std::vector<UINT>{c.button});
    }
}

TEST_F(PaletteTest, EnterAndEscapeChangeNothing) {
    Click(ID_TOOL_ERASER);
    HWND forms[] = {palette.hwnd(), palette.eraserForm()->hwnd(), palette.lineForm()->hwnd()};
    for (HWND target : forms) {
        for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
            // Through the dialog manager, as a loop with IsDialogMessage would.
            MSG msg{target, WM_KEYDOWN, key, 0, 0, {}};
            ::IsDialogMessageW(target, &msg);
            ::SendMessageW(target, WM_KEYDOWN, key, 0);
        }
        ::SendMessageW(target, WM_COMMAND, IDCANCEL, 0);
        ::SendMessageW(target, WM_COMMAND, IDOK, 0);
        PumpMessages();
        EXPECT_TRUE(palette.IsVisible());
        EXPECT_TRUE(::IsWindowVisible(palette.eraserForm()->hwnd()));
        EXPECT_EQ(host.settings.tool(), static_cast<UINT>(ID_TOOL_ERASER));
        EXPECT_EQ(Checked(), std::vector<UINT>{ID_TOOL_ERASER});
    }
}

TEST_F(PaletteTest, ClosingLeavesTheHandForADrawingToolOnly) {
    struct Case {
        UINT tool, after;
    } cases[] = {
        {ID_TOOL_ERASER, ID_TOOL_HAND},
        {ID_TOOL_RECTANGLE, ID_TOOL_HAND},
        {ID_TOOL_SELECT, ID_TOOL_SELECT},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(palette.Open());
        if (c.tool == ID_TOOL_SELECT)
            host.SetCurrentTool(c.tool);
        else
            Click(c.tool);
        ::SendMessageW(palette.hwnd(), WM_CLOSE, 0, 0);  // the close box
        EXPECT_EQ(palette.hwnd(), nullptr);
        EXPECT_EQ(host.settings.tool(), c.after) << c.tool;
    }
}

TEST_F(PaletteTest, EraserFormShowsTheSizeAndStoresTheChoice) {
    struct Case {
        int size, dot;
    } cases[] = {
        {16, IDC_ERASER_DOT_LARGE}, {6, IDC_ERASER_DOT_SMALL}, {10, IDC_ERASER_DOT_MEDIUM},
        {12, IDC_ERASER_DOT_MEDIUM}, {0, IDC_ERASER_DOT_MEDIUM},
    };
    for (const Case& c : cases) {
        palette.Close();
        host.settings.SetEraserSize(c.size);
        ASSERT_TRUE(palette.Open());
        EXPECT_EQ(palette.eraserForm()->selectedDot(), c.dot) << c.size;
    }
    struct Click {
        int frame, size, dot;
    } clicks[] = {
        {IDC_ERASER_FRAME_SMALL, 6, IDC_ERASER_DOT_SMALL},
        {IDC_ERASER_FRAME_LARGE, 16, IDC_ERASER_DOT_LARGE},
        {IDC_ERASER_FRAME_MEDIUM, 10, IDC_ERASER_DOT_MEDIUM},
    };
    for (const Click& c : clicks) {
        ClickStatic(palette.eraserForm()->hwnd(), c.frame);
        EXPECT_EQ(host.settings.eraserSize(), c.size);
        EXPECT_EQ(palette.eraserForm()->selectedDot(), c.dot);
    }
}

TEST_F(PaletteTest, LineFormStoresWidthKindAndColour) {
    struct Width {
        int item, width;
    } widths[] = {{2, 7}, {1, 5}, {0, 3}};
    for (const Width& w : widths) {
        Choose(IDC_LINE_WIDTH, w.item);
        EXPECT_EQ(host.settings.lineWidth(), w.width);
    }
    Choose(IDC_LINE_KIND, 1);
    EXPECT_EQ(host.settings.lineKind(), 1);
    Choose(IDC_LINE_KIND, 0);
    EXPECT_EQ(host.settings.lineKind(), 0);
    // Picked from the open list with the keyboard, as a user does.
    HWND kinds = reinterpret_cast<HWND>(::SendMessageW(LineControl(IDC_LINE_KIND), CBEM_GETCOMBOCONTROL, 0, 0));
    ::SendMessageW(kinds, CB_SHOWDROPDOWN, TRUE, 0);
    ::SendMessageW(kinds, WM_KEYDOWN, VK_DOWN, 0);
    ::SendMessageW(kinds, WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages();
    EXPECT_EQ(host.settings.lineKind(), 1);

    struct Colour {
        int id;
        COLORREF color;
    } colours[] = {{IDC_COLOR_RED, RGB(255, 0, 0)},       {IDC_COLOR_CYAN, RGB(0, 255, 255)},
                   {IDC_COLOR_MAGENTA, RGB(255, 0, 255)}, {IDC_COLOR_WHITE, RGB(255, 255, 255)},
                   {IDC_COLOR_BLACK, RGB(0, 0, 0)}};
    for (const Colour& c : colours) {
        ::SendMessageW(LineControl(c.id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageW(LineControl(c.id), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(host.settings.lineColor(), c.color) << c.id;
        EXPECT_EQ(palette.lineForm()->currentColor(), c.color) << c.id;
    }
}

TEST_F(PaletteTest, AReopenedPaletteShowsTheLastChoices) {
    Choose(IDC_LINE_WIDTH, 2);
    Choose(IDC_LINE_KIND, 1);
    ::SendMessageW(LineControl(IDC_COLOR_BLUE), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    Click(ID_TOOL_ERASER);
    ClickStatic(palette.eraserForm()->hwnd(), IDC_ERASER_FRAME_LARGE);
    palette.Close();
    ASSERT_TRUE(palette.Open());
    EXPECT_EQ(::SendMessageW(LineControl(IDC_LINE_WIDTH), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(LineControl(IDC_LINE_KIND), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(palette.lineForm()->currentColor(), RGB(0, 0, 255));
    EXPECT_EQ(palette.eraserForm()->selectedDot(), IDC_ERASER_DOT_LARGE);
    EXPECT_EQ(Checked(), std::vector<UINT>{});  // closing gave the tool back to the hand
}
