#include <gtest/gtest.h>

#include <utility>

#include "FrameHarness.h"
#include "ImageList.h"
#include "ListView.h"

using namespace testing_support;

namespace {
class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create());
        ASSERT_TRUE(list.Create(host.hwnd(), 7, RECT{0, 0, 400, 280}, fw::ListView::Mode::Report));
        ASSERT_EQ(list.AddColumn(L"Name", 150), 0);
        ASSERT_EQ(list.AddColumn(L"Size", 80, LVCFMT_RIGHT), 1);
        for (const Row& r : rows) ASSERT_EQ(list.Insert({r.name, r.image, r.value}), &r - rows);
        list.onSelectionChanged = [this](int item, bool selected) { changes.emplace_back(item, selected); };
        list.onItemActivated = [this](int item) { activated.push_back(item); };
        list.onBeginDrag = [this](int item, POINT) { dragged.push_back(item); };
    }
    LPARAM ItemCentre(int item) {
        RECT r{LVIR_LABEL, 0, 0, 0};
        ::SendMessageW(list.hwnd(), LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
        return CentreOf(r);
    }

    struct Row {
        const wchar_t* name;
        int image;
        LPARAM value;
    } rows[3] = {{L"IMG_0001.JPG", 0, 10}, {L"IMG_0002.JPG", 1, 20}, {L"PLAYLIST.TXT", I_IMAGENONE, 30}};
    ControlHost host;
    fw::ListView list;
    std::vector<std::pair<int, bool>> changes;
    std::vector<int> activated, dragged;
};
}  // namespace

TEST_F(ListViewTest, ItemsKeepTextImageAndValueInBothViews) {
    fw::ImageList large, small;
    ASSERT_TRUE(large.Create(SIZE{32, 32}));
    ASSERT_TRUE(small.Create(SIZE{16, 16}));
    list.SetImageLists(&large, &small);
    ASSERT_TRUE(list.SetText(1, 1, L"2 MB"));
    for (fw::ListView::Mode mode : {fw::ListView::Mode::Report, fw::ListView::Mode::Icon}) {
        list.SetMode(mode);
        EXPECT_EQ(list.mode(), mode);
        ASSERT_EQ(list.Count(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(list.Text(i), rows[i].name);
            EXPECT_EQ(list.Image(i), rows[i].image);
            EXPECT_EQ(list.Value(i), rows[i].value);
            EXPECT_EQ(list.FindValue(rows[i].value), i);
        }
        EXPECT_EQ(list.Text(1, 1), L"2 MB");
    }
    const std::wstring longName(300, L'x');  // longer than a first read takes
    ASSERT_TRUE(list.SetText(0, 0, longName));
    EXPECT_EQ(list.Text(0), longName);
    ASSERT_TRUE(list.Delete(1));
    EXPECT_EQ(list.FindValue(20), -1);
    EXPECT_EQ(list.FindValue(30), 1);
}

TEST_F(ListViewTest, SelectionChangesArriveAsEventsNotAtTheParent) {
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED;
    ::SendMessageW(list.hwnd(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(changes, (std::vector<std::pair<int, bool>>{{1, true}}));
    changes.clear();
    list.SelectOnly(2);
    EXPECT_EQ(list.Selection(), std::vector<int>{2});
    EXPECT_NE(std::find(changes.begin(), changes.end(), std::make_pair(1, false)), changes.end());
    EXPECT_EQ(changes.back(), std::make_pair(2, true));
    EXPECT_EQ(std::count(host.reached.begin(), host.reached.end(), static_cast<UINT>(LVN_ITEMCHANGED)), 0);
}

TEST_F(ListViewTest, DoubleClickActivatesAndDraggingAnItemBeginsADrag) {
    ::SendMessageW(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, ItemCentre(1));
    ::SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, ItemCentre(1));
    ::SendMessageW(list.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, ItemCentre(1));
    ::SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, ItemCentre(1));
    EXPECT_TRUE(PumpUntil([&] { return !activated.empty(); }));
    EXPECT_EQ(activated, std::vector<int>{1});

    const LPARAM from = ItemCentre(0);
    ::SendMessageW(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, from);
    ::SendMessageW(list.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(LOWORD(from) + 40, HIWORD(from) + 60));
    EXPECT_TRUE(PumpUntil([&] { return !dragged.empty(); }));
    ::SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, from);
    EXPECT_EQ(dragged, std::vector<int>{0});
}
