#pragma once
// How both card windows put their folder tree and thumbnails side by side.
#include <windows.h>

#include "Splitter.h"

class CPaneTree;
class CThumbnailList;

constexpr int kSlideTreeWidth = 120;
constexpr int kViewerTreeWidth = 200;

// The splitter over `frame`'s client area with the tree `treeWidth` wide on
// the left, the panes tied together; false when a window could not be made.
bool CreatePanes(HWND frame, fw::Splitter& splitter, CPaneTree& tree, CThumbnailList& thumbnails, int treeWidth);
// The splitter over `area` of its parent (the whole client area when null).
void FitSplitter(HWND frame, fw::Splitter& splitter, const RECT* area = nullptr);
