#pragma once
// The SD viewer's folder tree: makes and deletes camera folders from its
// menu, which the right button brings up while no thumbnails are read.
#include "sdview/PaneTree.h"

class CViewerTree : public CPaneTree {
public:
    using CPaneTree::CPaneTree;
    void OnMenuCommand(UINT id) override;

protected:
    bool Offers(UINT) const override { return true; }
    void OnRightButtonUp(POINT screen) override;

private:
    void OnCreateFolder();
    void OnDeleteFolder();
};
