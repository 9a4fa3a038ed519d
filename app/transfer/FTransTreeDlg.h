#pragma once
// "Browse SD Memory" (dialog 139): the camera folders of the card, one to be
// chosen as the transfer's destination. New Folder makes one on the card.
#include <windows.h>

#include <string>

#include "Dialog.h"
#include "transfer/SDTree.h"

class CFTransTreeDlg : public fw::Dialog {
public:
    explicit CFTransTreeDlg(device::IDeviceControl* device);
    // After OK: the chosen folder's card path ("" when none was selected).
    const std::wstring& chosenPath() const { return chosen_; }
    CSDTree& tree() { return tree_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;

private:
    void OnNewFolder();

    CSDTree tree_;
    std::wstring chosen_;
};
