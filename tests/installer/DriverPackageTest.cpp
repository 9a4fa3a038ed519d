// Installing and removing the package in the Wine prefix's own driver store,
// with and without a (root-enumerated, hardware-less) camera device.
#include <gtest/gtest.h>

#include "InstallerHarness.h"

namespace installer_tests {
namespace {

const wchar_t kUninstallHead[] =
    L"Not Windows Vista\r\nUninstalling..\r\n"
    L"No installation detected in registry...Trying to Uninstall from drivers\r\n";

// The x86 build in the x86 runs' 64-bit prefix. Windows refuses device
// installation from such a process; Wine's 32-bit SetupAPI installs the
// package's x86 file, not the 64-bit one an "x64" argument makes us remove.
bool IsWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

class InstallerDriverPackage : public testing::Test {
protected:
    void SetUp() override { CleanDriverState(); }
    void TearDown() override { CleanDriverState(); }
    std::wstring Arguments(const wchar_t* option) const {
        return std::wstring(option) + L" " + QuotedFolder(package_.folder()) + L" x64";
    }
    DriverPackage package_{L"Korvo driver package"};
};

TEST_F(InstallerDriverPackage, WithoutACameraEndsInDriverInstalled) {
    const InstallerRun run = RunInstaller(Arguments(L"/i"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    if (run.output.find(L"installing software first") != std::wstring::npos) {
        EXPECT_EQ(run.output,
                  L"Not Windows Vista\r\nInstalling..\r\n"
                  L"Could not install hardware first, installing software first\r\nDriver installed..\r\n");
        EXPECT_NE(StoreCopy(), L"");
    } else {
        // Wine: UpdateDriverForPlugAndPlayDevicesW succeeds without a matching
        // device (and stages nothing), so the software-first branch never runs.
        EXPECT_EQ(run.output, L"Not Windows Vista\r\nInstalling..\r\nDriver installed..\r\n");
    }
}

TEST_F(InstallerDriverPackage, BindsTheDriverToAnAttachedCameraAndUninstallRemovesEverything) {
    if (IsWow64()) GTEST_SKIP() << "a 32-bit installer does not install 64-bit drivers";
    const std::wstring camera = AddPhantomCamera(package_);
    ASSERT_NE(camera, L"") << "could not create a root-enumerated camera device";
    ASSERT_EQ(DeviceDriverKey(camera), L"");

    const InstallerRun install = RunInstaller(Arguments(L"/i"));
    ASSERT_TRUE(install.finished);
    EXPECT_EQ(install.output, L"Not Windows Vista\r\nInstalling..\r\nDriver installed..\r\n");
    EXPECT_NE(DeviceDriverKey(camera), L"");
    const std::wstring stored = StoreCopy();
    EXPECT_NE(stored, L"");
    EXPECT_TRUE(testing_support::FileExists(DriversFolder() + L"KorvoDocCamerax64.sys"));

    const InstallerRun uninstall = RunInstaller(Arguments(L"/u"));
    ASSERT_TRUE(uninstall.finished);
    EXPECT_EQ(uninstall.output, std::wstring(kUninstallHead) + L"OEM file is: " + stored + L" and path is: " +
                                    InfFolder() + stored + L"\r\nDeleting file: " + DriversFolder() +
                                    L"KorvoDocCamerax64.sys\r\nUnInstallation successfull");
    EXPECT_EQ(uninstall.exitCode, 0u);
    EXPECT_TRUE(CameraDevices().empty());
    EXPECT_EQ(StoreCopy(), L"");
    EXPECT_FALSE(testing_support::FileExists(DriversFolder() + L"KorvoDocCamerax64.sys"));
}

TEST_F(InstallerDriverPackage, UninstallRemovesOnlyTheFirstOfTwoCameras) {
    const std::wstring first = AddPhantomCamera(package_), second = AddPhantomCamera(package_);
    ASSERT_NE(first, L"");
    ASSERT_NE(second, L"");
    const InstallerRun run = RunInstaller(Arguments(L"/u"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.output.find(L"ERROR RemoveHardware()"), std::wstring::npos) << run.output;
    EXPECT_EQ(CameraDevices(), std::vector<std::wstring>{second});
}

TEST_F(InstallerDriverPackage, UninstallWithNothingInstalledReportsEachMissingPiece) {
    // The package folder holds no inf: Wine's SetupCopyOEMInfW ignores the
    // replace-only style and would stage a package that is there.
    testing_support::TempFolder empty;
    std::wstring folder = empty.path();
    folder.pop_back();
    // A 32-bit process on a 64-bit system sees the drivers folder through
    // the redirection, where a fresh system may not have one yet.
    const DWORD missingDriver = ::GetFileAttributesW(DriversFolder().c_str()) == INVALID_FILE_ATTRIBUTES
                                    ? ERROR_PATH_NOT_FOUND
                                    : ERROR_FILE_NOT_FOUND;
    const InstallerRun run = RunInstaller(L"/u " + QuotedFolder(folder) + L" x64");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    const std::wstring storeHead = std::wstring(kUninstallHead) + L"ERROR RemoveHardware()\r\nERROR: ";
    ASSERT_EQ(run.output.compare(0, storeHead.size(), storeHead), 0) << run.output;
    // Whatever the missing copy's error is, it is printed again for the removal.
    const size_t storeError = storeHead.size() - 7;
    const std::wstring error = run.output.substr(storeError, run.output.find(L"No inf file", storeError) - storeError);
    EXPECT_EQ(run.output.substr(storeError),
              error + L"No inf file found in registry.\r\nAborting Uninstallation..\r\n" + error +
                  L"Could not find oem*.inf file. Please remove the file manually\r\nDeleting file: " +
                  DriversFolder() + L"KorvoDocCamerax64.sys\r\n" + ErrorLine(missingDriver) +
                  L"Failed to uninstall\r\n");
}

}  // namespace
}  // namespace installer_tests
