// The main frame's part in drawing: the Draw command and the palette's
// erase buttons, which act on the active picture window.
#include "View.h"
#include "drawing/EditViewTool.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "still/ImageFrame.h"

void CMainFrame::OnToolDraw() {
    if (!palette_) return;
    if (palette_->IsVisible())
        palette_->Close();
    else
        palette_->Open();
}

void CMainFrame::EraseDrawing(UINT command) {
    if (auto* frame = dynamic_cast<CImageFrame*>(fw::Window::FromHandle(ActiveChild()))) frame->EraseDrawing(command);
}
