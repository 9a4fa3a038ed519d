#include "transfer/FTransTreeDlg.h"

#include "base/AppMessages.h"
#include "convert/CountedModal.h"
#include "resource.h"
#include "transfer/CreateSDDialog.h"

CFTransTreeDlg::CFTransTreeDlg(device::IDeviceControl* device) : fw::Dialog(IDD_BROWSE_SD), tree_(device) {}

BOOL CFTransTreeDlg::OnInitDialog() {
    tree_.SubclassDlgItem(hwnd(), IDC_SD_TREE);
    tree_.InitTree();
    // Filled once the dialog shows, so a card that answers slowly keeps no blank window.
    ::PostMessageW(tree_.hwnd(), WM_SDTREE_FILL, 0, 0);
    return TRUE;
}

bool CFTransTreeDlg::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDOK:
        chosen_ = tree_.GetSelectedPath();
        EndDialog(IDOK);
        return true;
    case IDC_SD_NEW_FOLDER: OnNewFolder(); return true;
    default: return fw::Dialog::OnCommand(id, code);
    }
}

void CFTransTreeDlg::OnNewFolder() {
    CCreateSDDialog ask;
    INT_PTR result = 0;
    {
        CountedModal counted;
        result = ask.DoModal(hwnd());
    }
    if (result == IDOK) tree_.CreateFolder(ask.name());
    ::SetFocus(tree_.hwnd());
}
