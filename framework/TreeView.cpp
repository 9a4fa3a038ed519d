#include "TreeView.h"

#include "ImageList.h"

namespace fw {

bool TreeView::Create(HWND parent, UINT id, const RECT& rect, DWORD style) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CreateControl(WC_TREEVIEWW, WS_VISIBLE | WS_TABSTOP | style, WS_EX_CLIENTEDGE, rect, parent, id) != nullptr;
}

void TreeView::SetImageList(const ImageList* images) {
    TreeView_SetImageList(hwnd(), images ? images->get() : nullptr, TVSIL_NORMAL);
}

HTREEITEM TreeView::Insert(HTREEITEM parent, const Item& item, HTREEITEM after) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<wchar_t*>(item.text.c_str());
    insert.item.iImage = item.image;
    insert.item.iSelectedImage = item.selectedImage;
    insert.item.lParam = item.value;
    insert.item.cChildren = item.hasChildren ? 1 : 0;
    return reinterpret_cast<HTREEITEM>(::SendMessageW(hwnd(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::vector<HTREEITEM> TreeView::Children(HTREEITEM parent) const {
    std::vector<HTREEITEM> children;
    HTREEITEM child = parent ? TreeView_GetChild(hwnd(), parent) : TreeView_GetRoot(hwnd());
    for (; child; child = TreeView_GetNextSibling(hwnd(), child)) children.push_back(child);
    return children;
}

HTREEITEM TreeView::Parent(HTREEITEM item) const { return TreeView_GetParent(hwnd(), item); }

std::wstring TreeView::Text(HTREEITEM item) const {
    // The control copies what fits: a text that filled the buffer may be longer.
    for (size_t capacity = 128;; capacity *= 2) {
        std::wstring text(capacity, L'\0');
        TVITEMW tvi{};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = item;
        tvi.pszText = &text[0];
        tvi.cchTextMax = static_cast<int>(capacity);
        if (!::SendMessageW(hwnd(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi))) return L"";
        text.resize(wcsnlen(text.c_str(), capacity));
        if (text.size() + 1 < capacity) return text;
    }
}

LPARAM TreeView::Value(HTREEITEM item) const {
    TVITEMW tvi{};
    tvi.mask = TVIF_PARAM;
    tvi.hItem = item;
    return ::SendMessageW(hwnd(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi)) ? tvi.lParam : 0;
}

bool TreeView::Delete(HTREEITEM item) { return item && TreeView_DeleteItem(hwnd(), item); }

void TreeView::DeleteChildren(HTREEITEM item) {
    for (HTREEITEM child : Children(item)) TreeView_DeleteItem(hwnd(), child);
}

void TreeView::DeleteAll() { TreeView_DeleteAllItems(hwnd()); }

bool TreeView::Expand(HTREEITEM item, bool expand) {
    return TreeView_Expand(hwnd(), item, expand ? TVE_EXPAND : TVE_COLLAPSE) != FALSE;
}

bool TreeView::IsExpanded(HTREEITEM item) const {
    return (TreeView_GetItemState(hwnd(), item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

HTREEITEM TreeView::Selection() const { return TreeView_GetSelection(hwnd()); }

bool TreeView::Select(HTREEITEM item) { return TreeView_SelectItem(hwnd(), item) != FALSE; }

bool TreeView::OnReflected(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    return msg == WM_NOTIFY && OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
}

bool TreeView::OnNotify(const NMHDR& header, LRESULT& result) {
    // The A and W forms differ only in the item texts, which are not read here.
    const auto& tree = reinterpret_cast<const NMTREEVIEWW&>(header);
    switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
        if (!onExpanding) return false;
        // TRUE keeps the item as it is.
        result = onExpanding(tree.itemNew.hItem, (tree.action & (TVE_EXPAND | TVE_COLLAPSE)) == TVE_EXPAND) ? FALSE : TRUE;
        return true;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        if (!onSelectionChanged) return false;
        onSelectionChanged(tree.itemNew.hItem);
        result = 0;
        return true;
    default: return false;
    }
}

}  // namespace fw
