#include <windows.h>

#include <newdev.h>
#include <setupapi.h>

#include "DriverPackage.h"

namespace installer {

namespace {

// The inf for this machine, or empty when a 64-bit system got no 64-bit inf.
std::wstring ChooseInf(const InstallContext& context, SystemProbe& system, Output& out) {
    WORD architecture = 0;
    if (!system.NativeArchitecture(architecture)) {
        out.Write(L"Unable to get the architecture of the target machine");
        return context.infName;
    }
    if (architecture != PROCESSOR_ARCHITECTURE_AMD64) {
        out.Write(L"Not a 64 bit architecture\r\n");
        return context.infName;
    }
    if (context.inf64Name.empty()) out.Write(L"ERROR .INF File for 64 bits has not been specified");
    return context.inf64Name;
}

}  // namespace

bool InstallDriver(const InstallContext& context, SystemProbe& system, Output& out) {
    out.Write(L"Installing..\r\n");
    const std::wstring inf = ChooseInf(context, system, out);
    if (inf.empty()) return false;
    const std::wstring source = context.packageFolder + L"\\" + inf;
    // Binds the driver to a camera that is plugged in now.
    if (UpdateDriverForPlugAndPlayDevicesW(nullptr, context.hardwareId.c_str(), source.c_str(), 0, nullptr)) {
        out.Write(L"Driver installed..\r\n");
        return true;
    }
    // No camera attached: stage the package so Windows finds it when one is.
    out.Write(L"Could not install hardware first, installing software first\r\n");
    if (!SetupCopyOEMInfW(source.c_str(), context.packageFolder.c_str(), SPOST_PATH, 0, nullptr, 0, nullptr, nullptr)) {
        out.LastError();
        return false;
    }
    out.Write(L"Driver installed..\r\n");
    return true;
}

}  // namespace installer
