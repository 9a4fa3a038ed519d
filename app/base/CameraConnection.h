#pragma once
// The main window's hold on the camera for the whole run: open and close,
// arrival and removal, still pictures with retries, and the windows that
// must close once the camera is gone for good.
#include <windows.h>

#include <vector>

#include "DeviceControl.h"
#include "Handles.h"

class CCameraConnection {
public:
    explicit CCameraConnection(device::IDeviceControl* device) : device_(device) {}
    ~CCameraConnection() { Close(); }
    CCameraConnection(const CCameraConnection&) = delete;
    CCameraConnection& operator=(const CCameraConnection&) = delete;

    device::IDeviceControl* device() const { return device_; }
    bool isOpen() const { return open_; }
    // 1 when the camera is open for `owner` (also when it already was).
    int Open(HWND owner);
    int Close();

    enum class Change { None, Arrived, Removed };
    // The camera library's WM_DEVICE_NOTIFY: what it changed for the user.
    Change OnNotify(WPARAM event, HWND owner);

    // A window that needs the camera.
    void AddCameraWindow(HWND window);
    // The camera is gone and no counted message box is open (one may belong
    // to a window about to close): time to close the camera windows.
    bool LostForGood(LONG openBoxes) const { return openBoxes <= 0 && !(device_ && device_->IsConnect()); }
    // The camera windows, handed over for closing.
    std::vector<HWND> TakeCameraWindows();

    // A JPEG still in a block of the camera library, with up to three tries;
    // not answered when every try failed (the reason is logged). An answer
    // may still be empty or garbage: the caller checks it.
    struct Still {
        bool answered = false;
        fw::GlobalMemory block;
        DWORD size = 0;
    };
    Still FetchStill();

private:
    device::IDeviceControl* device_;
    bool open_ = false;
    std::vector<HWND> cameraWindows_;
};
