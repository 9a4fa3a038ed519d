#pragma once
// One key of the remote-control panel: a press starts a lens movement (or a
// one-shot command), the release stops it, so the lens moves while the key
// is held.
#include <windows.h>

#include <cstdint>

#include "BitmapButton.h"
#include "DeviceControl.h"

constexpr int32_t kRemoteNoParameter = -1;  // the request leaves its parameter 0

// The request a key sends when pressed and when released; false for none.
bool RemotePressRequest(uint16_t command, int32_t parameter, device::RequestHeader& request);
bool RemoteReleaseRequest(uint16_t command, int32_t parameter, device::RequestHeader& request);
// True for the keys whose press sets the lens moving until their release.
bool RemoteKeyMoves(uint16_t command, int32_t parameter);

class CVexaButton : public fw::BitmapButton {
public:
    // Takes over the dialog's control `id` and moves it to (x, y, width, height).
    bool Setup(HWND dialog, int id, device::IDeviceControl* device, int x, int y, int width, int height,
               int32_t parameter, uint16_t command);

    uint16_t command() const { return command_; }
    int32_t parameter() const { return parameter_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Asynchronous, addressed to the key itself, which hands the completion back.
    virtual void Send(const device::RequestHeader& request);
    device::IDeviceControl* device() const { return device_; }

private:
    void OnPress();
    void OnRelease();
    void OnCaptureLost();

    device::IDeviceControl* device_ = nullptr;
    int32_t parameter_ = kRemoteNoParameter;
    uint16_t command_ = 0;
    bool held_ = false;  // pressed here and not yet released
};
