// The status bar's message pane of the MDI frame: the idle text, and the
// prompt of the menu item or tool button the user points at.
#include "MdiFrame.h"

#include <commctrl.h>

#include "Strings.h"

namespace fw {

void MdiFrame::SetIdleMessage(const std::wstring& text) {
    idleMessage_ = text;
    if (!showingPrompt_) statusBar_.SetMessage(idleMessage_);
}

void MdiFrame::ShowIdleMessage() {
    showingPrompt_ = false;
    statusBar_.SetMessage(idleMessage_);
}

void MdiFrame::ShowPrompt(UINT id) {
    showingPrompt_ = true;
    statusBar_.SetMessage(PromptFromCommandString(LoadResString(id)));
}

void MdiFrame::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        ShowIdleMessage();  // the menu closed
    } else if (item == 0 || (flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU))) {
        // Popups, separators and the system menu have no prompt of the program's.
        showingPrompt_ = true;
        statusBar_.SetMessage(std::wstring());
    } else {
        ShowPrompt(item);
    }
}

bool MdiFrame::OnToolBarHotItem(const NMHDR& header) {
    if (header.code != TBN_HOTITEMCHANGE || !toolBar_.hwnd() || header.hwndFrom != toolBar_.hwnd()) return false;
    const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
    if ((hot.dwFlags & HICF_LEAVING) || hot.idNew <= 0)
        ShowIdleMessage();
    else
        ShowPrompt(static_cast<UINT>(hot.idNew));
    return true;
}

}  // namespace fw
