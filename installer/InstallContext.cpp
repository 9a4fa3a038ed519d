#include "InstallContext.h"

namespace installer {

std::wstring CameraHardwareId() { return std::wstring(L"USB\\VID_") + kMakerUsbVendorId + L"&PID_000F&REV_0100"; }

InstallContext MakeInstallContext(const std::wstring& packageFolder, const std::wstring& arch) {
    const bool x64 = arch == L"x64";  // exactly: "X64" means the 32-bit package
    InstallContext context;
    context.infName = L"KorvoDocCamera.inf";
    context.inf64Name = x64 ? L"KorvoDocCamera.inf" : L"";
    context.driverFileName = x64 ? L"KorvoDocCamerax64.sys" : L"KorvoDocCamera.sys";
    context.hardwareId = CameraHardwareId();
    context.packageFolder = packageFolder;
    return context;
}

}  // namespace installer
