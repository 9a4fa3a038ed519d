#pragma once
// The folder tree of the slide-show pane: its menu only refreshes, and only
// the keyboard's menu key brings it up.
#include "sdview/PaneTree.h"

class CSlideTree : public CPaneTree {
public:
    using CPaneTree::CPaneTree;

protected:
    bool Offers(UINT id) const override;
};
