#pragma once
// What the folder trees of the slide-show pane and the SD viewer share:
// a change of folder stops the thumbnails' reading before the new folder is
// read, the first folder after a refresh is read from the card again, and
// the context menu (menu 134) comes from the keyboard's menu key or, where
// the pane allows it, the right button.
#include <windows.h>

#include <memory>
#include <type_traits>

#include "transfer/SDTree.h"

class CThumbnailList;

using PopupMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&::DestroyMenu)>;

class CPaneTree : public CSDTree {
public:
    explicit CPaneTree(device::IDeviceControl* device) : CSDTree(device) {}

    // The thumbnails this tree feeds; also its owner (InitTree).
    bool Attach(CThumbnailList* thumbnails);
    // Menu 134's items as this pane offers them; null when the menu cannot load.
    PopupMenu BuildContextMenu() const;
    // A command of the context menu.
    virtual void OnMenuCommand(UINT id);
    bool clearCache() const { return clearCache_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Whether the menu item `id` does something here.
    virtual bool Offers(UINT id) const = 0;
    virtual void OnRightButtonUp(POINT) {}
    void ShowContextMenu(POINT screen);
    CThumbnailList* thumbnails() const { return thumbnails_; }

private:
    void OnFolderChanged(HTREEITEM item);

    CThumbnailList* thumbnails_ = nullptr;
    bool clearCache_ = false;
};
