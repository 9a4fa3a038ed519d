#include "MdiFrame.h"

namespace fw {

HWND MdiFrame::ActiveChild() const {
    if (!mdiClient_) return nullptr;
    return reinterpret_cast<HWND>(::SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0));
}

bool MdiFrame::TranslateMdiAccelerator(MSG* msg) const {
    return mdiClient_ && ::TranslateMDISysAccel(mdiClient_, msg);
}

bool MdiFrame::CreateMdiClient() {
    CLIENTCREATESTRUCT ccs{};
    HMENU menu = ::GetMenu(hwnd());
    int pos = WindowMenuPosition();
    ccs.hWindowMenu = (menu && pos >= 0) ? ::GetSubMenu(menu, pos) : nullptr;
    ccs.idFirstChild = 0xFF00;  // above every command id of the program
    mdiClient_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                   WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0,
                                   hwnd(), nullptr, ::GetModuleHandleW(nullptr), &ccs);
    return mdiClient_ != nullptr;
}

LRESULT MdiFrame::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProcW(hwnd(), mdiClient_, msg, wParam, lParam);
}

}  // namespace fw
