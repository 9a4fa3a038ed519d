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

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override { delete this; }
    int WindowMenuPosition() const override { return 1; }

private:
    bool PreCreateWindow();
    bool OnCreate();
    bool OnCommand(UINT id);
    void OnSize();
    void OnDestroy();
    void SetStatusText(UINT stringId);

    HWND statusBar_ = nullptr;
    HACCEL accelerators_ = nullptr;
    bool deviceOpen_ = false;
};
