#pragma once
// A list view in report view (columns) or icon view. Items carry a text, an
// image of the view's image lists and a value of the caller's. The control's
// notifications come back to it from its parent and go out as typed events,
// so no parent reads NMHDR.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "Window.h"

namespace fw {

class ImageList;

class ListView : public Window {
public:
    enum class Mode { Report, Icon };
    struct Item {
        std::wstring text;
        int image = I_IMAGENONE;
        LPARAM value = 0;
    };

    // `extraStyle`: further LVS_* styles such as LVS_SINGLESEL.
    bool Create(HWND parent, UINT id, const RECT& rect, Mode mode, DWORD extraStyle = 0);
    void SetMode(Mode mode);
    Mode mode() const;
    // LVS_EX_* styles, such as full-row selection.
    void SetExtendedStyle(DWORD style);

    // Report view's columns, left to right; the column's index or -1.
    int AddColumn(const std::wstring& title, int width, int format = LVCFMT_LEFT);
    // Icon view takes `large`, report view `small`; either may be null. The
    // view only borrows them.
    void SetImageLists(const ImageList* large, const ImageList* small);

    // At `index` (-1: at the end); the item's index, or -1.
    int Insert(const Item& item, int index = -1);
    bool SetText(int item, int column, const std::wstring& text);
    std::wstring Text(int item, int column = 0) const;
    bool SetImage(int item, int image);
    int Image(int item) const;
    LPARAM Value(int item) const;
    // The first item carrying `value`, or -1.
    int FindValue(LPARAM value) const;
    int Count() const;
    bool Delete(int item);
    void DeleteAll();

    std::vector<int> Selection() const;
    // Selects or deselects `item`; -1 is every item.
    void Select(int item, bool selected = true);
    // Selects `item` alone, gives it the focus and scrolls it into view.
    void SelectOnly(int item);

    // A double click or Enter on an item.
    std::function<void(int item)> onItemActivated;
    // An item was selected or deselected; -1 stands for every item.
    std::function<void(int item, bool selected)> onSelectionChanged;
    // The left button drags `item`, pressed at `at` (client coordinates).
    std::function<void(int item, POINT at)> onBeginDrag;

protected:
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnNotify(const NMHDR& header);
    LVITEMW Get(int item, UINT mask) const;
    void SetState(int item, UINT state, UINT mask);
};

}  // namespace fw
