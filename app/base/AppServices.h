#pragma once
// What the application binds for the whole run and every subsystem uses: the
// camera library, the codec library and the counted message boxes. The
// application object provides it; subsystems ask for it here, so none of
// them needs to know the application.
#include <windows.h>

#include "DeviceControl.h"
#include "JpegCodecLibrary.h"
#include "JpegCoder.h"

class CControlDialog;

class IAppServices {
public:
    virtual device::IDeviceControl* deviceControl() const = 0;
    virtual CControlDialog* controlDialog() const = 0;
    virtual device::FncLoadJpegWFn fncLoadJpegW() const = 0;
    virtual device::FncSaveJpegWFn fncSaveJpegW() const = 0;

protected:
    ~IAppServices() = default;
};

// The running application's services, or null (tests without one).
IAppServices* AppServices();
// The camera library, or null.
device::IDeviceControl* AppDeviceControl();
// A coder on the codec library the application loaded, else the built-in one.
CJpegCoder AppJpegCoder();
