#include <windows.h>

#include <setupapi.h>

#include "DriverPackage.h"

namespace installer {

namespace {

bool IsAmd64(SystemProbe& system) {
    WORD architecture = 0;
    return system.NativeArchitecture(architecture) && architecture == PROCESSOR_ARCHITECTURE_AMD64;
}

// The name of the package's copy in the driver store, or empty (error printed).
std::wstring FindStoredInf(const InstallContext& context, SystemProbe& system, Output& out, DWORD& error) {
    const std::wstring& inf = !context.inf64Name.empty() && IsAmd64(system) ? context.inf64Name : context.infName;
    const std::wstring source = context.packageFolder + L"\\" + inf;
    wchar_t storedPath[MAX_PATH] = L"";
    wchar_t* storedName = nullptr;
    // Replace-only copies nothing: it only names a copy that is already there.
    if (SetupCopyOEMInfW(source.c_str(), nullptr, SPOST_PATH, SP_COPY_REPLACEONLY, storedPath, MAX_PATH, nullptr,
                         &storedName) &&
        storedName) {
        out.Write(std::wstring(L"OEM file is: ") + storedName + L" and path is: " + storedPath + L"\r\n");
        return storedName;
    }
    error = GetLastError();
    out.SystemError(error);
    out.Write(L"No inf file found in registry.\r\nAborting Uninstallation..\r\n");
    return L"";
}

bool DeleteDriverFile(const InstallContext& context, Output& out) {
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        out.LastError();
        return false;
    }
    const std::wstring path = std::wstring(system) + L"\\drivers\\" + context.driverFileName;
    out.Write(L"Deleting file: " + path + L"\r\n");
    if (DeleteFileW(path.c_str())) return true;
    out.LastError();
    return false;
}

}  // namespace

bool UninstallDriver(const InstallContext& context, SystemProbe& system, Output& out) {
    out.Write(L"Uninstalling..\r\n");
    out.Write(L"No installation detected in registry...Trying to Uninstall from drivers\r\n");
    bool succeeded = true;
    if (!RemoveHardware(context, out)) {
        out.Write(L"ERROR RemoveHardware()\r\n");
        succeeded = false;
    }
    DWORD storeError = ERROR_FILE_NOT_FOUND;
    const std::wstring stored = FindStoredInf(context, system, out, storeError);
    if (stored.empty()) succeeded = false;
    // Without a name there is nothing to hand to SetupUninstallOEMInfW: the
    // reason is why the copy was not found.
    const bool uninstalled = !stored.empty() && SetupUninstallOEMInfW(stored.c_str(), SUOI_FORCEDELETE, nullptr);
    if (!uninstalled) {
        out.SystemError(stored.empty() ? storeError : GetLastError());
        out.Write(L"Could not find oem*.inf file. Please remove the file manually\r\n");
        succeeded = false;
    }
    if (!DeleteDriverFile(context, out)) succeeded = false;
    out.Write(succeeded ? L"UnInstallation successfull" : L"Failed to uninstall\r\n");
    return succeeded;
}

}  // namespace installer
