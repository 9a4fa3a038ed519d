#pragma once
// Runs KorvoDocCameraInstaller.exe as a setup program does (its standard
// output through a pipe) and prepares and inspects what it works on: a driver
// package, root-enumerated camera devices, the driver store and the drivers folder.
#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace installer_tests {

struct InstallerRun {
    std::wstring output;  // everything the program wrote, UTF-16 as it writes it
    DWORD exitCode = 0xFFFFFFFF;
    bool finished = false;
};

// `arguments` is appended to the quoted program path as it stands.
InstallerRun RunInstaller(const std::wstring& arguments);

// The system's own text for an error, as the installer prints it.
std::wstring ErrorLine(DWORD error);

// "KorvoDocCamera.inf" with the .sys files, in a fresh folder; `subfolder`
// puts them one level deeper (a name with blanks).
class DriverPackage {
public:
    explicit DriverPackage(const std::wstring& subfolder = L"");
    const std::wstring& folder() const { return folder_; }  // no trailing backslash
    std::wstring inf() const { return folder_ + L"\\KorvoDocCamera.inf"; }

private:
    testing_support::TempFolder temp_;
    std::wstring folder_;
};

std::string PackageInfText();
std::wstring QuotedFolder(const std::wstring& folder);

// A root-enumerated device of the camera's class and hardware ID, without
// hardware behind it; the class is installed from the package when missing.
std::wstring AddPhantomCamera(const DriverPackage& package);
std::vector<std::wstring> CameraDevices();           // instance IDs
std::wstring DeviceDriverKey(const std::wstring& instanceId);  // empty while no driver is bound

// The driver store's name of the package's copy (its file in the inf folder
// with the same bytes), or empty.
std::wstring StoreCopy();
std::wstring InfFolder();
std::wstring DriversFolder();

// Removes devices, store copies, driver files, the service and the class the
// tests or the installer left behind.
void CleanDriverState();

}  // namespace installer_tests
