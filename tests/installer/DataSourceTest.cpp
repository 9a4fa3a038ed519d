// The TWAIN data source the package carries: put where both source managers
// look, in a folder of its own, and taken away again by uninstalling.
#include <gtest/gtest.h>

#include "DataSource.h"
#include "Handles.h"
#include "InstallerHarness.h"

namespace installer_tests {
namespace {

struct Build {
    const wchar_t* managerFolder;
    const char* bytes;  // stands for the .ds of that build
};
const Build kBuilds[] = {{L"twain_32", "x86 source"}, {L"twain_64", "x64 source"}};

std::wstring Installed(const wchar_t* managerFolder) {
    return installer::DataSourceFolder(managerFolder) + L"\\" + installer::kDataSourceFile;
}

class InstallerDataSource : public testing::Test {
protected:
    void SetUp() override {
        CleanDriverState();
        for (const Build& b : kBuilds) {
            std::wstring folder = package_.folder() + L"\\" + b.managerFolder;
            CreateDirectoryW(folder.c_str(), nullptr);
            testing_support::WriteFileBytes(folder + L"\\" + installer::kDataSourceFile, b.bytes);
        }
    }
    void TearDown() override {
        for (const Build& b : kBuilds) {
            DeleteFileW(Installed(b.managerFolder).c_str());
            RemoveDirectoryW(installer::DataSourceFolder(b.managerFolder).c_str());
        }
        CleanDriverState();
    }
    std::wstring Arguments(const wchar_t* option) const {
        return std::wstring(option) + L" " + QuotedFolder(package_.folder()) + L" x64";
    }
    DriverPackage package_;
};

}  // namespace

TEST_F(InstallerDataSource, EachBuildGoesToAFolderOfItsOwnAndUninstallTakesItAway) {
    const InstallerRun install = RunInstaller(Arguments(L"/i"));
    ASSERT_TRUE(install.finished);
    std::wstring placed;
    for (const Build& b : kBuilds) {
        EXPECT_EQ(testing_support::ReadFileBytes(Installed(b.managerFolder)), b.bytes);
        placed += L"TWAIN data source: " + Installed(b.managerFolder) + L"\r\n";
    }
    const std::wstring head = L"Not Windows Vista\r\n" + placed + L"Installing..\r\n";
    EXPECT_EQ(install.output.substr(0, head.size()), head);
    const std::wstring last = L"Driver installed..\r\n";
    ASSERT_GE(install.output.size(), last.size());
    EXPECT_EQ(install.output.substr(install.output.size() - last.size()), last) << "the last line still tells success";

    const InstallerRun uninstall = RunInstaller(Arguments(L"/u"));
    ASSERT_TRUE(uninstall.finished);
    for (const Build& b : kBuilds) {
        EXPECT_FALSE(testing_support::FileExists(Installed(b.managerFolder)));
        EXPECT_FALSE(testing_support::FileExists(installer::DataSourceFolder(b.managerFolder)));
        EXPECT_NE(uninstall.output.find(L"Removing TWAIN data source: " + Installed(b.managerFolder)), std::wstring::npos);
    }
}

TEST_F(InstallerDataSource, ASourceThatCannotBePlacedLeavesTheDriverAlone) {
    std::wstring target = Installed(L"twain_64");
    CreateDirectoryW(installer::DataSourceFolder(L"twain_64").c_str(), nullptr);
    testing_support::WriteFileBytes(target, "in use");
    // Held as a running host holds a loaded source: nobody else may write it.
    fw::FileHandle held(CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const InstallerRun run = RunInstaller(Arguments(L"/i"));
    ASSERT_TRUE(run.finished);
    held.reset();
    EXPECT_NE(run.output.find(L"ERROR TWAIN data source: " + target + L"\r\nERROR: "), std::wstring::npos) << run.output;
    EXPECT_EQ(run.output.find(L"Installing.."), std::wstring::npos) << "a failed install does not end in success";
    EXPECT_EQ(testing_support::ReadFileBytes(target), "in use");
}

}  // namespace installer_tests
