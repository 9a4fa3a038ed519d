#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>

#include <memory>

#include "DriverPackage.h"

namespace installer {

namespace {

struct DeviceListCloser {
    using pointer = HDEVINFO;
    void operator()(HDEVINFO list) const { SetupDiDestroyDeviceInfoList(list); }
};
using DeviceList = std::unique_ptr<void, DeviceListCloser>;

bool CarriesHardwareId(HDEVINFO list, SP_DEVINFO_DATA& device, const std::wstring& hardwareId, Output& out) {
    constexpr DWORD kBufferBytes = 8192;
    // Two spare characters: a property stored without its terminator still ends.
    wchar_t ids[kBufferBytes / sizeof(wchar_t) + 2] = {};
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(list, &device, SPDRP_HARDWAREID, &type, reinterpret_cast<BYTE*>(ids),
                                           kBufferBytes, nullptr)) {
        out.LastError();
        return false;
    }
    CharUpperW(ids);
    return std::wstring(ids).find(hardwareId) != std::wstring::npos;
}

bool RemoveDevice(HDEVINFO list, SP_DEVINFO_DATA& device) {
    SP_DEVINFO_LIST_DETAIL_DATA_W detail{};
    detail.cbSize = sizeof(detail);
    if (!SetupDiGetDeviceInfoListDetailW(list, &detail)) return false;
    wchar_t instanceId[MAX_DEVICE_ID_LEN];
    if (CM_Get_Device_ID_ExW(device.DevInst, instanceId, MAX_DEVICE_ID_LEN, 0, detail.RemoteMachineHandle) !=
        CR_SUCCESS)
        return false;
    SP_REMOVEDEVICE_PARAMS remove{};
    remove.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    remove.ClassInstallHeader.InstallFunction = DIF_REMOVE;
    remove.Scope = DI_REMOVEDEVICE_GLOBAL;
    remove.HwProfile = 0;
    // These parameters only restate the default, a removal from every hardware
    // profile: where SetupAPI cannot keep them (Wine) the removal still holds.
    SetupDiSetClassInstallParamsW(list, &device, &remove.ClassInstallHeader, sizeof(remove));
    return SetupDiCallClassInstaller(DIF_REMOVE, list, &device);
}

}  // namespace

bool RemoveHardware(const InstallContext& context, Output& out) {
    GUID classGuid{};
    DWORD classCount = 0;
    if (!SetupDiClassGuidsFromNameW(kCameraSetupClass, &classGuid, 1, &classCount)) {
        out.LastError();
        return false;
    }
    // The class was never installed: no device of it can exist, and the GUID
    // was not filled in.
    if (classCount == 0) return false;
    DeviceList list(SetupDiGetClassDevsW(&classGuid, nullptr, nullptr, DIGCF_PROFILE));
    if (list.get() == INVALID_HANDLE_VALUE) {
        list.release();
        out.Write(L"INVALID HANDLE VALUE AT SetupDiGetClassDevs");
        return false;
    }
    SP_DEVINFO_LIST_DETAIL_DATA_W detail{};
    detail.cbSize = sizeof(detail);
    if (!SetupDiGetDeviceInfoListDetailW(list.get(), &detail)) {
        out.LastError();
        return false;
    }
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(list.get(), index, &device); ++index) {
        if (!CarriesHardwareId(list.get(), device, context.hardwareId, out)) continue;
        if (RemoveDevice(list.get(), device)) return true;
        out.Write(L"Failed to remove device\r\n");
        return false;
    }
    return false;
}

}  // namespace installer
