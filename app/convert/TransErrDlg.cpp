#include "convert/TransErrDlg.h"

#include "resource.h"

CTransErrDlg::CTransErrDlg() : fw::Dialog(IDD_TRANSFER_ERRORS) {}

BOOL CTransErrDlg::OnInitDialog() {
    if (!caption_.empty()) ::SetWindowTextW(hwnd(), caption_.c_str());
    if (!header_.empty()) ::SetDlgItemTextW(hwnd(), IDC_ERROR_HEADER, header_.c_str());
    list_.SubclassDlgItem(hwnd(), IDC_ERROR_LIST);
    list_.AddColumn(L"File Name", 230);
    list_.AddColumn(L"Error Message", 250);
    if (!errors_) return TRUE;
    for (const ErrorEntry& entry : errors_->entries()) {
        const int row = list_.Insert(fw::ListView::Item{entry.file});
        list_.SetText(row, 1, entry.message);
    }
    return TRUE;
}
