#pragma once
// The remote-control panel: a modeless dialog of eight keys that drive the
// camera's iris, focus and zoom while the live picture runs. The main frame
// creates it hidden, shows and hides it, and keeps it disabled around modal work.
#include <windows.h>

#include <memory>

#include "Dialog.h"
#include "DeviceControl.h"
#include "Handles.h"
#include "VexaButton.h"
#include "base/AppMessages.h"

class CLiveControl;
namespace fw {
class MdiFrame;
}

// Posted to the main frame when the panel hides, so a full-screen picture comes back to the front.

class CVexaDialog : public fw::Dialog {
public:
    static constexpr int kClientWidth = 240;
    static constexpr int kClientHeight = 120;
    static constexpr int kKeyCount = 8;

    explicit CVexaDialog(device::IDeviceControl* device);
    ~CVexaDialog() override;

    // Creates the window hidden, owned by the main frame; `live` tells when
    // the frame runs modal work.
    bool Create(fw::MdiFrame& frame, const CLiveControl& live);

    bool IsVisible() const;
    // Restores it when minimised, puts it back in the normal z-order without
    // moving or activating it, and shows it where it was (the first time at
    // the top right of the workspace).
    void ShowPanel();
    void HidePanel();
    // Above all other windows (for the full-screen picture) or not; never moves or activates it.
    void SetTopmost(bool topmost);
    void Enable(bool enable);

    // The key of control `id` (1031 to 1038), or null.
    CVexaButton* Key(int id);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnClose();
    void PlaceFirstTime();
    void ReleaseKeyCapture();
    void Paint(HDC dc);

    device::IDeviceControl* device_;
    fw::MdiFrame* frame_ = nullptr;
    const CLiveControl* live_ = nullptr;
    bool placed_ = false;
    fw::GdiObject background_;
    CVexaButton keys_[kKeyCount];
};

// Creates the panel for the main frame into `panel`: 1 on success; on failure
// 0, with the log line and the message box already given.
int InitRemoteCtrl(fw::MdiFrame& frame, const CLiveControl& live, device::IDeviceControl* device,
                   std::unique_ptr<CVexaDialog>& panel);
