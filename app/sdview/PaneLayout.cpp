#include "sdview/PaneLayout.h"

#include "sdview/PaneTree.h"
#include "sdview/ThumbnailList.h"

namespace {
constexpr UINT kFirstPaneId = 0xE900;  // the framework's first pane id
constexpr UINT kTreeId = 1, kThumbnailsId = 2;
}  // namespace

bool CreatePanes(HWND frame, fw::Splitter& splitter, CPaneTree& tree, CThumbnailList& thumbnails, int treeWidth) {
    RECT client{};
    ::GetClientRect(frame, &client);
    if (!splitter.Create(frame, client, kFirstPaneId)) return false;
    splitter.SetKeep(fw::Splitter::Keep::FirstWidth);
    if (!tree.Create(splitter.hwnd(), kTreeId, RECT{0, 0, treeWidth, 100})) return false;
    if (!thumbnails.Create(splitter.hwnd(), kThumbnailsId, frame, &tree)) return false;
    if (!tree.Attach(&thumbnails)) return false;
    splitter.SetPanes(tree.hwnd(), thumbnails.hwnd());
    splitter.SetPosition(treeWidth);
    return true;
}

void FitSplitter(HWND frame, fw::Splitter& splitter, const RECT* area) {
    if (!splitter.hwnd()) return;
    RECT client{};
    if (area)
        client = *area;
    else
        ::GetClientRect(frame, &client);
    ::MoveWindow(splitter.hwnd(), client.left, client.top, client.right - client.left, client.bottom - client.top, TRUE);
}
