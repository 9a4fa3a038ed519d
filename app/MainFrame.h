#pragma once
// The MDI main window: owns the camera connection for the whole run.
#include <windows.h>

#include "MdiFrame.h"

class CMainFrame : public fw::MdiFrame {
public:
    static constexpr const wchar_t* kClassName = L"__PICTAVO_CLASSNAME__";

    CMainFrame() = default;

    // Registers the class and creates the window from the resources of `resourceId`.
    bool LoadFrame(UINT resourceId, DWORD style);

    bool deviceOpen() const { return deviceOpen_; }
    int bDeviceOpen();
    int bDeviceClose();

    bool OnCommand(UINT id) override;
    bool OnUpdateCommand(UINT id, fw::CommandState& state) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int WindowMenuPosition() const override { return 1; }

private:
    bool PreCreateWindow();
    bool OnCreate();
    void OnDestroy();
    void SetStatusText(UINT stringId);

    HACCEL accelerators_ = nullptr;
    bool deviceOpen_ = false;
};
