#include <gtest/gtest.h>

#include "FrameHarness.h"

using namespace testing_support;

namespace {
std::wstring ItemText(HMENU menu, UINT id) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, id, text, 64, MF_BYCOMMAND);
    return text;
}
}  // namespace

using CommandRouting = FrameTest;

TEST_F(CommandRouting, GoesViewDocumentChildMainApplicationUntilOneHandlesIt) {
    auto opened = Open();
    ASSERT_TRUE(opened);
    ViewOf(opened)->stage.states[1] = {};
    DocOf(opened)->stage.states[2] = {};
    ChildOf(opened)->stage.states[3] = {};
    frame->stage.states[4] = {};
    app.stage.states[5] = {};
    const Trail all{"view", "document", "child", "main", "application"};
    struct Case {
        UINT id;
        size_t visited;
    } cases[] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 5}};
    for (const Case& c : cases) {
        trail.clear();
        ::SendMessageW(frame->hwnd(), WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        EXPECT_EQ(trail, Trail(all.begin(), all.begin() + c.visited)) << "command " << c.id;
    }
    // An accelerator takes the same road.
    trail.clear();
    ::SendMessageW(frame->hwnd(), WM_COMMAND, MAKEWPARAM(3, 1), 0);
    EXPECT_EQ(trail, Trail(all.begin(), all.begin() + 3));
}

TEST_F(CommandRouting, AControlsNotificationIsNeverACommand) {
    auto opened = Open();
    ChildOf(opened)->stage.states[100] = {};
    frame->stage.states[100] = {};
    // Edit controls whose id is a menu command's, one with an object that
    // declines the notification: changing their text sends EN_CHANGE.
    struct Edit : fw::Window {
        std::vector<WORD> codes;
        bool OnReflected(UINT msg, WPARAM wParam, LPARAM, LRESULT&) override {
            if (msg == WM_COMMAND) codes.push_back(HIWORD(wParam));
            return false;
        }
    } withObject;
    for (HWND parent : {frame->hwnd(), opened.frame->hwnd()}) {
        HWND plain = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, parent, reinterpret_cast<HMENU>(100),
                                       nullptr, nullptr);
        HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, parent, reinterpret_cast<HMENU>(100),
                                      nullptr, nullptr);
        withObject.codes.clear();
        ASSERT_TRUE(withObject.Subclass(edit));
        ::SetWindowTextW(plain, L"changed");
        ::SetWindowTextW(edit, L"changed");
        EXPECT_NE(std::find(withObject.codes.begin(), withObject.codes.end(), EN_CHANGE), withObject.codes.end());
        ::DestroyWindow(edit);
        ::DestroyWindow(plain);
    }
    EXPECT_TRUE(trail.empty()) << trail.front();
}

TEST_F(CommandRouting, WithoutAChildStartsAtTheMainFrame) {
    frame->stage.states[4] = {};
    ::SendMessageW(frame->hwnd(), WM_COMMAND, 4, 0);
    EXPECT_EQ(trail, Trail{"main"});
}

TEST_F(CommandRouting, MenuItemsShowTheStateOfTheFirstClaimant) {
    fw::CommandState checkedRadio;
    checkedRadio.checked = true;
    checkedRadio.radio = true;
    fw::CommandState disabled;
    disabled.enabled = false;
    fw::CommandState renamed;
    renamed.text = L"Renamed";
    frame->stage.states = {{100, checkedRadio}, {101, disabled}, {103, renamed}};  // 102: nobody
    HMENU file = ::GetSubMenu(::GetMenu(frame->hwnd()), TestFrame::kFileMenu);
    ::SendMessageW(frame->hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);

    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(::GetMenuItemInfoW(file, 100, FALSE, &mii));
    EXPECT_TRUE(mii.fState & MFS_CHECKED);
    EXPECT_TRUE(mii.fType & MFT_RADIOCHECK);
    EXPECT_FALSE(mii.fState & MFS_GRAYED);
    EXPECT_TRUE(::GetMenuState(file, 101, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(file, 102, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(ItemText(file, 103), L"Renamed");
    EXPECT_FALSE(::GetMenuState(file, 103, MF_BYCOMMAND) & MF_GRAYED);

    // An active child's view comes first and can take the tick away.
    auto opened = Open();
    fw::CommandState unchecked;
    unchecked.checked = false;
    ViewOf(opened)->stage.states[100] = unchecked;
    ::SendMessageW(frame->hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_FALSE(::GetMenuState(file, 100, MF_BYCOMMAND) & MF_CHECKED);
}
