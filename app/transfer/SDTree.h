#pragma once
// The camera folders of the SD card as a flat tree: one item per camera
// folder below the card's DCIM folder, in the card's order. Filled when its
// owner posts WM_SDTREE_FILL, refilled on WM_SDTREE_REFRESH keeping the
// expansion and selection of items by name; creates and deletes folders.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "SDControl.h"
#include "TreeView.h"

class CSDTree : public fw::TreeView {
public:
    explicit CSDTree(device::IDeviceControl* device) : card_(device) {}

    // `ownerWindow` hears of every refresh and `escapeFlag` is set to 1 when
    // Esc is released in the tree; both may be null. False without the
    // system's icons.
    bool InitTree(HWND ownerWindow = nullptr, volatile LONG* escapeFlag = nullptr);

    void FillTree();
    void RefreshTree();
    // Root path, "\" and the selected folder; "" when none is selected.
    std::wstring GetSelectedPath() const;
    void CreateFolder(const std::wstring& name);
    void DeleteFolder(HTREEITEM item);

    const std::wstring& rootPath() const { return root_; }
    CSDControl& card() { return card_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void AddFolders();
    HTREEITEM InsertFolder(const std::wstring& path, HTREEITEM after);
    void SaveStates(HTREEITEM parent);
    void RestoreStates(HTREEITEM parent);
    HWND MessageOwner() const { return ::GetParent(hwnd()); }

    CSDControl card_;
    std::wstring root_;
    std::map<std::wstring, UINT> saved_;
    HTREEITEM remembered_ = nullptr;
    HWND ownerWindow_ = nullptr;
    volatile LONG* escapeFlag_ = nullptr;
    int folderIcon_ = 0, openFolderIcon_ = 0;
};
