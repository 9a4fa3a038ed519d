#pragma once
// The SD contents pane of the slide-show dialog: the card's folder tree
// beside the thumbnails of the chosen folder, whose progress it hands to
// the dialog.
#include <windows.h>

#include "Splitter.h"
#include "Window.h"
#include "sdview/SlideProgress.h"
#include "sdview/SlideThumbnail.h"
#include "sdview/SlideTree.h"

class CSlideSplitFrm : public fw::Window {
public:
    static constexpr const wchar_t* kClassName = L"PictavoSlideSplit";

    CSlideSplitFrm(device::IDeviceControl* device, ISlideProgress& progress);
    // A visible child of `parent` over `rect`.
    bool Create(HWND parent, const RECT& rect);

    CSlideTree& tree() { return tree_; }
    CSlideThumbnail& thumbnails() { return thumbnails_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    ISlideProgress& progress_;
    fw::Splitter splitter_;
    CSlideTree tree_;
    CSlideThumbnail thumbnails_;
};
