#include "sdview/ViewerTree.h"

#include "Strings.h"
#include "convert/CountedModal.h"
#include "resource.h"
#include "sdview/ThumbnailList.h"
#include "transfer/CardMessages.h"
#include "transfer/CreateSDDialog.h"

void CViewerTree::OnRightButtonUp(POINT screen) {
    if (thumbnails() && !thumbnails()->IsBusy()) ShowContextMenu(screen);
}

void CViewerTree::OnMenuCommand(UINT id) {
    switch (id) {
    case ID_SD_CREATE_FOLDER: OnCreateFolder(); break;
    case ID_SD_DELETE_FOLDER: OnDeleteFolder(); break;
    default: CPaneTree::OnMenuCommand(id); break;
    }
}

void CViewerTree::OnCreateFolder() {
    CCreateSDDialog ask;
    INT_PTR result = 0;
    {
        CountedModal counted;
        result = ask.DoModal(hwnd());
    }
    if (result == IDOK) CreateFolder(ask.name());
}

void CViewerTree::OnDeleteFolder() {
    HTREEITEM selected = Selection();
    if (!selected) return;
    const std::wstring question = fw::Format(fw::LoadResString(IDS_DELETE_FOLDER_QUESTION).c_str(), Text(selected).c_str());
    if (ShowCardMessage(hwnd(), question, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) DeleteFolder(selected);
}
