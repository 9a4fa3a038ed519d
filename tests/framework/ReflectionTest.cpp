#include <gtest/gtest.h>

#include "Dialog.h"
#include "FrameHarness.h"
#include "FrameworkTestIds.h"
#include "ProgressBar.h"

using namespace testing_support;

namespace {
// An answer that also serves as a colour request's brush.
const LRESULT kAnswer = reinterpret_cast<LRESULT>(::GetStockObject(LTGRAY_BRUSH));

// A control's object recording what its parent hands back; it answers when it takes it.
class Recorder : public fw::Window {
public:
    std::vector<UINT> seen;
    bool take = true;

protected:
    bool OnReflected(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        seen.push_back(msg);
        if (take) result = kAnswer;
        return take;
    }
};

HWND MakeButton(HWND parent, int id) {
    return ::CreateWindowExW(0, L"BUTTON", L"Key", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 80, 30, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

class Recorded : public fw::Dialog {
public:
    using Dialog::Dialog;
    std::vector<WORD> commands;

protected:
    bool OnCommand(WORD id, WORD) override {
        commands.push_back(id);
        return true;
    }
};
}  // namespace

TEST(Reflection, NotificationsReachTheControlsObjectBeforeTheParent) {
    ControlHost host;
    ASSERT_TRUE(host.Create());
    HWND button = MakeButton(host.hwnd(), 5);
    Recorder recorder;
    ASSERT_TRUE(recorder.Subclass(button));
    EXPECT_EQ(fw::Window::FromHandle(button), &recorder);

    NMHDR header{button, 5, NM_CLICK};
    MEASUREITEMSTRUCT measure{ODT_BUTTON, 5, 0, 0, 0, 0};  // names no window: found by its id
    DRAWITEMSTRUCT draw{ODT_BUTTON, 5, 0, ODA_DRAWENTIRE, 0, button, nullptr, {}, 0};
    const LPARAM source = reinterpret_cast<LPARAM>(button);
    const struct {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {{WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)}, {WM_DRAWITEM, 5, reinterpret_cast<LPARAM>(&draw)},
                 {WM_MEASUREITEM, 5, reinterpret_cast<LPARAM>(&measure)}, {WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), source},
                 {WM_CTLCOLORBTN, 0, source}, {WM_HSCROLL, SB_LINEDOWN, source}};
    for (bool take : {true, false}) {
        recorder.take = take;
        for (const auto& c : cases) {
            recorder.seen.clear();
            host.reached.clear();
            LRESULT answer = ::SendMessageW(host.hwnd(), c.msg, c.wParam, c.lParam);
            EXPECT_EQ(recorder.seen, std::vector<UINT>{c.msg}) << std::hex << c.msg;
            // What the object leaves goes on to the parent.
            EXPECT_EQ(host.reached.size(), take ? 0u : 1u) << std::hex << c.msg;
            if (take) {
                EXPECT_EQ(answer, kAnswer) << std::hex << c.msg;
            }
        }
    }

    // The button's own click and drawing, and a menu item's drawing that stays with the parent.
    recorder.take = true;
    recorder.seen.clear();
    host.reached.clear();
    ::SendMessageW(button, BM_CLICK, 0, 0);
    ::InvalidateRect(button, nullptr, TRUE);
    ::UpdateWindow(button);
    DRAWITEMSTRUCT menuItem{ODT_MENU, 0, 7, ODA_DRAWENTIRE, 0, nullptr, nullptr, {}, 0};
    ::SendMessageW(host.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&menuItem));
    EXPECT_NE(std::find(recorder.seen.begin(), recorder.seen.end(), WM_COMMAND), recorder.seen.end());
    EXPECT_NE(std::find(recorder.seen.begin(), recorder.seen.end(), WM_DRAWITEM), recorder.seen.end());
    EXPECT_EQ(host.reached, std::vector<UINT>{WM_DRAWITEM});
}

TEST(Reflection, ADialogAnswersColourRequestsDirectlyAndGivesDeclinedClicksToOnCommand) {
    Recorded dialog(IDD_TEST_WORKER);
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND cancel = ::GetDlgItem(dialog.hwnd(), IDCANCEL);
    Recorder recorder;
    ASSERT_TRUE(recorder.SubclassDlgItem(dialog.hwnd(), IDCANCEL));
    EXPECT_EQ(::SendMessageW(dialog.hwnd(), WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(cancel)), kAnswer);
    NMHDR header{cancel, IDCANCEL, NM_CLICK};
    EXPECT_EQ(::SendMessageW(dialog.hwnd(), WM_NOTIFY, IDCANCEL, reinterpret_cast<LPARAM>(&header)), kAnswer);
    recorder.take = false;
    ::SendMessageW(cancel, BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.commands, std::vector<WORD>{IDCANCEL});
}

TEST(Reflection, AControlOutlivesItsObjectAndAControlItMadeGoesWithIt) {
    ControlHost host;
    ASSERT_TRUE(host.Create());
    HWND button = MakeButton(host.hwnd(), 6);
    const LONG_PTR own = ::GetWindowLongPtrW(button, GWLP_WNDPROC);
    {
        Recorder first;
        ASSERT_TRUE(first.Subclass(button));
        Recorder second;
        EXPECT_FALSE(second.Subclass(button));  // taken
    }
    EXPECT_EQ(fw::Window::FromHandle(button), nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(button, GWLP_WNDPROC), own);
    Recorder again;
    EXPECT_TRUE(again.Subclass(button));

    HWND made = nullptr;
    {
        fw::ProgressBar bar;
        ASSERT_TRUE(bar.Create(host.hwnd(), 7, RECT{0, 100, 200, 120}));
        made = bar.hwnd();
    }
    EXPECT_FALSE(::IsWindow(made));
}
