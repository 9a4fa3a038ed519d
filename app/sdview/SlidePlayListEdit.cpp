// In-place editing of the play order's Effect and Interval cells with one
// drop-down list that moves over the cell being edited.
#include "sdview/SlidePlayList.h"

#include "Handles.h"
#include "sdview/PlayListRules.h"

namespace {

constexpr int kEffectColumn = 1;
constexpr int kIntervalColumn = 2;
constexpr UINT kEditBoxId = 1;
constexpr int kDropDownRows = 8;

bool IsEditable(int column) { return column == kEffectColumn || column == kIntervalColumn; }

int WidestText(HWND window, HFONT font, const wchar_t* (*text)(int), int count) {
    fw::WindowDC dc(window);
    fw::SelectedObject selected(dc.get(), font);
    int widest = 0;
    for (int i = 0; i < count; ++i) {
        SIZE size{};
        const wchar_t* item = text(i);
        ::GetTextExtentPoint32W(dc.get(), item, static_cast<int>(::wcslen(item)), &size);
        if (size.cx > widest) widest = size.cx;
    }
    return widest;
}

}  // namespace

void CSlidePlayList::CreateEditBox() {
    edit_ = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 100, 100, hwnd(),
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditBoxId)), nullptr, nullptr);
    auto font = reinterpret_cast<HFONT>(::SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    widestEffect_ = WidestText(hwnd(), font, EffectName, kEffectCount);
    widestInterval_ = WidestText(hwnd(), font, IntervalText, kIntervalCount);
    ::EnableWindow(edit_, FALSE);
    ::ShowWindow(edit_, SW_HIDE);
}

void CSlidePlayList::BeginEdit(POINT at) {
    LVHITTESTINFO hit{};
    hit.pt = at;
    const int row = ListView_SubItemHitTest(hwnd(), &hit);
    if (row < 0 || row >= Count() || !IsEditable(hit.iSubItem) || !edit_) return;
    const PlayListEntry* entry = Entry(row);
    if (!entry) return;
    editRow_ = row;
    editColumn_ = hit.iSubItem;
    const bool effect = editColumn_ == kEffectColumn;
    ::SendMessageW(edit_, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < (effect ? kEffectCount : kIntervalCount); ++i)
        ::SendMessageW(edit_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(effect ? EffectName(i) : IntervalText(i)));
    RECT cell{};
    ListView_GetSubItemRect(hwnd(), row, editColumn_, LVIR_BOUNDS, &cell);
    const int itemHeight = static_cast<int>(::SendMessageW(edit_, CB_GETITEMHEIGHT, 0, 0));
    ::MoveWindow(edit_, cell.left, cell.top, cell.right - cell.left, itemHeight * (kDropDownRows + 2), TRUE);
    ::SendMessageW(edit_, CB_SETCURSEL, effect ? entry->effect : entry->interval, 0);
    ::EnableWindow(edit_, TRUE);
    ::ShowWindow(edit_, SW_SHOW);
    ::SetFocus(edit_);
}

void CSlidePlayList::OnEditChosen() {
    auto* entry = reinterpret_cast<PlayListEntry*>(Value(editRow_));
    const int chosen = static_cast<int>(::SendMessageW(edit_, CB_GETCURSEL, 0, 0));
    if (!entry || chosen < 0) return;
    if (editColumn_ == kEffectColumn) {
        entry->effect = chosen;
        SetText(editRow_, editColumn_, EffectName(chosen));
    } else {
        entry->interval = chosen;
        SetText(editRow_, editColumn_, IntervalText(chosen));
    }
}

void CSlidePlayList::EndEdit() {
    ::EnableWindow(edit_, FALSE);
    ::ShowWindow(edit_, SW_HIDE);
    editRow_ = editColumn_ = -1;
}

int CSlidePlayList::MinimumEditableWidth() const {
    return ::GetSystemMetrics(SM_CXVSCROLL) + 2 * ::GetSystemMetrics(SM_CXEDGE);
}

// A drop-down list narrower than its arrow could not be opened.
void CSlidePlayList::KeepEditableColumnsWide(int column) {
    if (!IsEditable(column)) return;
    if (ListView_GetColumnWidth(hwnd(), column) < MinimumEditableWidth())
        ListView_SetColumnWidth(hwnd(), column, MinimumEditableWidth());
}

LRESULT CSlidePlayList::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LOAD_PLAYLIST: LoadFromCard(); return 0;
    case WM_LBUTTONDOWN: {
        ::SetFocus(hwnd());
        const LRESULT result = fw::ListView::WindowProc(msg, wParam, lParam);
        BeginEdit(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return result;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == edit_ && edit_) {
            if (HIWORD(wParam) == CBN_SELCHANGE) OnEditChosen();
            if (HIWORD(wParam) == CBN_KILLFOCUS) EndEdit();
            return 0;
        }
        break;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
        // The open drop-down list would stay over a cell that scrolls away.
        ::SetFocus(hwnd());
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHEADERW*>(lParam);
        if (header->hdr.code == HDN_DIVIDERDBLCLICKW || header->hdr.code == HDN_DIVIDERDBLCLICKA) {
            ListView_SetColumnWidth(hwnd(), header->iItem, LVSCW_AUTOSIZE);
            KeepEditableColumnsWide(header->iItem);
            return 0;
        }
        if (header->hdr.code == HDN_ENDTRACKW || header->hdr.code == HDN_ENDTRACKA) {
            const LRESULT result = fw::ListView::WindowProc(msg, wParam, lParam);
            ::PostMessageW(hwnd(), WM_NOTIFY_COLUMN_TRACKED, header->iItem, 0);
            return result;
        }
        break;
    }
    case WM_NOTIFY_COLUMN_TRACKED:
        KeepEditableColumnsWide(static_cast<int>(wParam));
        ::InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    default: break;
    }
    return fw::ListView::WindowProc(msg, wParam, lParam);
}
