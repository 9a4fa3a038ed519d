#pragma once
// A tree view whose items carry a text, images and a value of the caller's.
// Its notifications come back to it from its parent and go out as typed
// events; an item marked as having children can be filled when it opens.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "Window.h"

namespace fw {

class ImageList;

class TreeView : public Window {
public:
    static constexpr DWORD kDefaultStyle = TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    struct Item {
        std::wstring text;
        int image = 0;
        int selectedImage = 0;
        LPARAM value = 0;
        // Shows the button before any child exists, for filling on expansion.
        bool hasChildren = false;
    };

    bool Create(HWND parent, UINT id, const RECT& rect, DWORD style = kDefaultStyle);
    // Borrowed: the view never frees it.
    void SetImageList(const ImageList* images);

    // Under `parent` (null: at the top), after `after` (TVI_LAST, TVI_FIRST,
    // TVI_SORT or a sibling). Null when it failed.
    HTREEITEM Insert(HTREEITEM parent, const Item& item, HTREEITEM after = TVI_LAST);
    // The children of `parent` in order; null: the top items.
    std::vector<HTREEITEM> Children(HTREEITEM parent) const;
    HTREEITEM Parent(HTREEITEM item) const;
    std::wstring Text(HTREEITEM item) const;
    LPARAM Value(HTREEITEM item) const;
    bool Delete(HTREEITEM item);
    void DeleteChildren(HTREEITEM item);
    void DeleteAll();

    bool Expand(HTREEITEM item, bool expand = true);
    bool IsExpanded(HTREEITEM item) const;

    HTREEITEM Selection() const;
    bool Select(HTREEITEM item);

    // An item is about to open (`expanding`) or close, by the user or by the
    // first Expand; false keeps it as it is. Children inserted here show.
    std::function<bool(HTREEITEM item, bool expanding)> onExpanding;
    // The selection moved to `item` (null: none).
    std::function<void(HTREEITEM item)> onSelectionChanged;

protected:
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnNotify(const NMHDR& header, LRESULT& result);
};

}  // namespace fw
