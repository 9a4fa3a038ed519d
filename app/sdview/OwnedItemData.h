#pragma once
// List rows whose item data is a heap object the list owns: the object goes
// when the control reports the row's deletion (also when the window goes).
#include <windows.h>
#include <commctrl.h>

// True when `msg` reported a deleted row; its data, a T, is deleted then.
template <class T>
bool DeleteOwnedItemData(UINT msg, LPARAM lParam) {
    if (msg != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != LVN_DELETEITEM) return false;
    delete reinterpret_cast<T*>(reinterpret_cast<const NMLISTVIEW*>(lParam)->lParam);
    return true;
}
