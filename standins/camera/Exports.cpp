// The two exports of the device-control library.
#include <memory>
#include <exception>

#include "StandInCamera.h"

extern "C" BOOL __stdcall CreateInstance(device::IDeviceControl** object) {
    if (!object) return FALSE;
    *object = nullptr;
    try {
        auto camera = std::make_unique<standin::StandInCamera>();
        if (!camera->Start()) return FALSE;
        *object = camera.release();
        return TRUE;
    } catch (const std::exception&) {  // no exception may cross the library's border
        return FALSE;
    }
}

extern "C" void __stdcall ReleaseInstance(device::IDeviceControl** object) {
    if (!object || !*object) return;
    delete static_cast<standin::StandInCamera*>(*object);
    *object = nullptr;
}
