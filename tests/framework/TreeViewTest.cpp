#include <gtest/gtest.h>

#include "FrameHarness.h"
#include "TreeView.h"

using namespace testing_support;

// A card's folders, filled when a folder first opens.
TEST(TreeViewTest, FoldersFillWhenTheyOpenAndTheSelectionIsReported) {
    ControlHost host;
    ASSERT_TRUE(host.Create());
    fw::TreeView tree;
    ASSERT_TRUE(tree.Create(host.hwnd(), 8, RECT{0, 0, 300, 280}));
    HTREEITEM card = tree.Insert(nullptr, {L"C:\\", 0, 0, 1, true});
    HTREEITEM locked = tree.Insert(nullptr, {L"LOCKED", 0, 0, 2, true});
    ASSERT_TRUE(card && locked);
    std::vector<std::pair<LPARAM, bool>> asked;
    tree.onExpanding = [&](HTREEITEM item, bool expanding) {
        asked.emplace_back(tree.Value(item), expanding);
        if (tree.Value(item) == 2) return false;
        if (expanding && tree.Children(item).empty())
            for (const wchar_t* name : {L"DCIM", L"MISC"}) tree.Insert(item, {name, 0, 0, 0, false});
        return true;
    };
    std::vector<HTREEITEM> selected;
    tree.onSelectionChanged = [&](HTREEITEM item) { selected.push_back(item); };

    // The keys a user opens and closes a folder with.
    auto key = [&](HTREEITEM item, WPARAM vk) {
        tree.Select(item);
        ::SendMessageW(tree.hwnd(), WM_KEYDOWN, vk, 0);
    };
    key(card, VK_RIGHT);
    ASSERT_EQ(tree.Children(card).size(), 2u);
    EXPECT_EQ(tree.Text(tree.Children(card)[1]), L"MISC");
    EXPECT_EQ(tree.Parent(tree.Children(card)[0]), card);
    EXPECT_TRUE(tree.IsExpanded(card));
    key(card, VK_LEFT);
    EXPECT_FALSE(tree.IsExpanded(card));
    key(locked, VK_RIGHT);
    EXPECT_FALSE(tree.IsExpanded(locked));
    EXPECT_EQ(asked, (std::vector<std::pair<LPARAM, bool>>{{1, true}, {1, false}, {2, true}}));

    EXPECT_EQ(tree.Selection(), locked);
    EXPECT_EQ(selected, (std::vector<HTREEITEM>{card, locked}));
    EXPECT_EQ(std::count(host.reached.begin(), host.reached.end(), static_cast<UINT>(TVN_SELCHANGEDW)), 0);
    tree.DeleteChildren(card);
    EXPECT_TRUE(tree.Children(card).empty());
    EXPECT_EQ(tree.Children(nullptr), (std::vector<HTREEITEM>{card, locked}));
}
