#include "transfer/CreateSDDialog.h"

#include "resource.h"
#include "transfer/CameraNames.h"
#include "transfer/CardMessages.h"

CCreateSDDialog::CCreateSDDialog() : fw::Dialog(IDD_CREATE_SD_FOLDER) {}

BOOL CCreateSDDialog::OnInitDialog() {
    // The camera's folder names are eight characters long.
    ::SendDlgItemMessageW(hwnd(), IDC_SD_FOLDER_NAME, EM_LIMITTEXT, 8, 0);
    return TRUE;
}

bool CCreateSDDialog::OnCommand(WORD id, WORD code) {
    if (id != IDOK || code != BN_CLICKED) return fw::Dialog::OnCommand(id, code);
    wchar_t text[16] = {};
    ::GetDlgItemTextW(hwnd(), IDC_SD_FOLDER_NAME, text, 16);
    if (!IsCameraFolderName(text)) {
        ShowCardMessage(hwnd(), IDS_BAD_FOLDER_NAME, MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    name_ = text;
    EndDialog(IDOK);
    return true;
}
