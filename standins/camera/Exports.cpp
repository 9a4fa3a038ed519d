// The two exports of the device-control library.
#include <new>

#include "StandInCamera.h"

extern "C" BOOL __stdcall CreateInstance(device::IDeviceControl** object) {
    if (!object) return FALSE;
    *object = new (std::nothrow) standin::StandInCamera();
    return *object != nullptr;
}

extern "C" void __stdcall ReleaseInstance(device::IDeviceControl** object) {
    if (!object || !*object) return;
    delete static_cast<standin::StandInCamera*>(*object);
    *object = nullptr;
}
