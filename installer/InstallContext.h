#pragma once
// What one run of the installer works on, fixed by its arguments.
#include <string>

namespace installer {

// The maker's USB vendor ID, as it appears in the camera's hardware ID.
constexpr const wchar_t kMakerUsbVendorId[] = L"3F5A";
constexpr const wchar_t kCameraSetupClass[] = L"USBKORVODOCCAM";

struct InstallContext {
    std::wstring infName;
    std::wstring inf64Name;  // empty without the "x64" argument
    std::wstring driverFileName;
    std::wstring hardwareId;
    std::wstring packageFolder;  // as given: no backslash added or removed
};

std::wstring CameraHardwareId();
InstallContext MakeInstallContext(const std::wstring& packageFolder, const std::wstring& arch);

}  // namespace installer
