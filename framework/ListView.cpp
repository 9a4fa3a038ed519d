#include "ListView.h"

#include "ImageList.h"

namespace fw {

namespace {
DWORD ModeStyle(ListView::Mode mode) { return mode == ListView::Mode::Icon ? LVS_ICON : LVS_REPORT; }
}  // namespace

bool ListView::Create(HWND parent, UINT id, const RECT& rect, Mode mode, DWORD extraStyle) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    // Shared image lists: ours are fw::ImageList objects, freed by their owners.
    const DWORD style = WS_VISIBLE | WS_TABSTOP | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS | ModeStyle(mode) | extraStyle;
    return CreateControl(WC_LISTVIEWW, style, WS_EX_CLIENTEDGE, rect, parent, id) != nullptr;
}

void ListView::SetMode(Mode mode) {
    LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE, (style & ~LVS_TYPEMASK) | ModeStyle(mode));
}

ListView::Mode ListView::mode() const {
    return (::GetWindowLongPtrW(hwnd(), GWL_STYLE) & LVS_TYPEMASK) == LVS_ICON ? Mode::Icon : Mode::Report;
}

void ListView::SetExtendedStyle(DWORD style) { ListView_SetExtendedListViewStyle(hwnd(), style); }

int ListView::AddColumn(const std::wstring& title, int width, int format) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title.c_str());
    const int at = Header_GetItemCount(ListView_GetHeader(hwnd()));
    return static_cast<int>(::SendMessageW(hwnd(), LVM_INSERTCOLUMNW, at, reinterpret_cast<LPARAM>(&column)));
}

void ListView::SetImageLists(const ImageList* large, const ImageList* small) {
    // A list set on a subclassed dialog control must not be freed by it either.
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE, ::GetWindowLongPtrW(hwnd(), GWL_STYLE) | LVS_SHAREIMAGELISTS);
    ListView_SetImageList(hwnd(), large ? large->get() : nullptr, LVSIL_NORMAL);
    ListView_SetImageList(hwnd(), small ? small->get() : nullptr, LVSIL_SMALL);
}

int ListView::Insert(const Item& item, int index) {
    LVITEMW lvi{};
    lvi.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    lvi.iItem = index < 0 ? Count() : index;
    lvi.pszText = const_cast<wchar_t*>(item.text.c_str());
    lvi.iImage = item.image;
    lvi.lParam = item.value;
    return static_cast<int>(::SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lvi)));
}

bool ListView::SetText(int item, int column, const std::wstring& text) {
    LVITEMW lvi{};
    lvi.iSubItem = column;
    lvi.pszText = const_cast<wchar_t*>(text.c_str());
    return ::SendMessageW(hwnd(), LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvi)) != FALSE;
}

std::wstring ListView::Text(int item, int column) const {
    // The control copies what fits: a text that filled the buffer may be longer.
    for (size_t capacity = 128;; capacity *= 2) {
        std::wstring text(capacity, L'\0');
        LVITEMW lvi{};
        lvi.iSubItem = column;
        lvi.pszText = &text[0];
        lvi.cchTextMax = static_cast<int>(capacity);
        auto length = static_cast<size_t>(::SendMessageW(hwnd(), LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvi)));
        if (length + 1 < capacity) return text.substr(0, length);
    }
}

bool ListView::SetImage(int item, int image) {
    LVITEMW lvi{};
    lvi.mask = LVIF_IMAGE;
    lvi.iItem = item;
    lvi.iImage = image;
    return ::SendMessageW(hwnd(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&lvi)) != FALSE;
}

int ListView::Image(int item) const { return Get(item, LVIF_IMAGE).iImage; }

LPARAM ListView::Value(int item) const { return Get(item, LVIF_PARAM).lParam; }

int ListView::FindValue(LPARAM value) const {
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = value;
    return static_cast<int>(::SendMessageW(hwnd(), LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int ListView::Count() const { return static_cast<int>(::SendMessageW(hwnd(), LVM_GETITEMCOUNT, 0, 0)); }

bool ListView::Delete(int item) { return ::SendMessageW(hwnd(), LVM_DELETEITEM, item, 0) != FALSE; }

void ListView::DeleteAll() { ::SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0); }

std::vector<int> ListView::Selection() const {
    std::vector<int> selected;
    for (int i = ListView_GetNextItem(hwnd(), -1, LVNI_SELECTED); i >= 0; i = ListView_GetNextItem(hwnd(), i, LVNI_SELECTED))
        selected.push_back(i);
    return selected;
}

void ListView::Select(int item, bool selected) { SetState(item, selected ? LVIS_SELECTED : 0, LVIS_SELECTED); }

void ListView::SelectOnly(int item) {
    Select(-1, false);
    SetState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(hwnd(), item, FALSE);
}

void ListView::SetState(int item, UINT state, UINT mask) {
    LVITEMW lvi{};
    lvi.state = state;
    lvi.stateMask = mask;
    ::SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
}

LVITEMW ListView::Get(int item, UINT mask) const {
    LVITEMW lvi{};
    lvi.mask = mask;
    lvi.iItem = item;
    if (!::SendMessageW(hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lvi))) lvi = LVITEMW{};
    return lvi;
}

bool ListView::OnReflected(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != WM_NOTIFY || !OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) return false;
    result = 0;
    return true;
}

bool ListView::OnNotify(const NMHDR& header) {
    switch (header.code) {
    case LVN_ITEMACTIVATE: {
        const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (!onItemActivated || activate.iItem < 0) return false;
        onItemActivated(activate.iItem);
        return true;
    }
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool selectionChanged = (change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED);
        if (!onSelectionChanged || !selectionChanged) return false;
        onSelectionChanged(change.iItem, (change.uNewState & LVIS_SELECTED) != 0);
        return true;
    }
    case LVN_BEGINDRAG: {
        const auto& drag = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!onBeginDrag) return false;
        onBeginDrag(drag.iItem, drag.ptAction);
        return true;
    }
    default: return false;
    }
}

}  // namespace fw
