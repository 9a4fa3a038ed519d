#include "base/AppServices.h"

#include "Application.h"

IAppServices* AppServices() { return dynamic_cast<IAppServices*>(fw::Application::Instance()); }

device::IDeviceControl* AppDeviceControl() {
    IAppServices* services = AppServices();
    return services ? services->deviceControl() : nullptr;
}

CJpegCoder AppJpegCoder() {
    const IAppServices* services = AppServices();
    return CJpegCoder(services ? services->fncLoadJpegW() : nullptr, services ? services->fncSaveJpegW() : nullptr);
}
