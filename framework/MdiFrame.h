#pragma once
#include "Window.h"

namespace fw {

// An MDI main window: owns the MDI client and ends in DefFrameProc.
class MdiFrame : public Window {
public:
    HWND mdiClient() const { return mdiClient_; }
    HWND ActiveChild() const;
    // Lets the MDI client see keys (Ctrl+F4, Ctrl+F6) before the rest.
    bool TranslateMdiAccelerator(MSG* msg) const;

protected:
    // The "Window" menu position the client lists children under; -1 for none.
    virtual int WindowMenuPosition() const { return -1; }
    bool CreateMdiClient();
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HWND mdiClient_ = nullptr;
};

}  // namespace fw
