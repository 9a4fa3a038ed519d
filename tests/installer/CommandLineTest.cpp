// What a setup program sees for each kind of command line: the usage text,
// silence for options it does not know, and the driver file an arch picks.
// Wine reports Windows 6.1 and an AMD64 processor to both builds, so the
// start checks print "Not Windows Vista" and the 64-bit inf is required.
#include <gtest/gtest.h>

#include "InstallerHarness.h"

namespace installer_tests {
namespace {

const wchar_t kUsage[] =
    L"Invalid command line arguments\r\n"
    L"KorvoDocCameraInstaller [option] [path] [arch]\r\n"
    L"/i install\r\n"
    L"/u uninstall\r\n"
    L"arch: x64 for 64 bits or blank will assume 32bits\r\n";

class InstallerUsage : public testing::TestWithParam<const wchar_t*> {};

TEST_P(InstallerUsage, PrintsTheFiveUsageLinesAndExitsWithZero) {
    const InstallerRun run = RunInstaller(GetParam());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.output, kUsage);
    EXPECT_EQ(run.exitCode, 0u);
}

struct Count {
    const char* name;
    const wchar_t* arguments;
};
const Count kWrongCounts[] = {
    {"FourArguments", L"/i C:\\pkg x64 extra"},
    {"None", L""},
    {"OnlyTheOption", L"/i"},
    {"FourWithAQuotedFolder", L"\"C:\\a b\" x64 /i extra"},
};
INSTANTIATE_TEST_SUITE_P(WrongArgumentCount, InstallerUsage,
                         testing::Values(kWrongCounts[0].arguments, kWrongCounts[1].arguments,
                                         kWrongCounts[2].arguments, kWrongCounts[3].arguments),
                         [](const testing::TestParamInfo<const wchar_t*>& info) {
                             return std::string(kWrongCounts[info.index].name);
                         });

class InstallerOptions : public testing::Test {
protected:
    void SetUp() override { CleanDriverState(); }
    void TearDown() override { CleanDriverState(); }
    DriverPackage package_;
};

TEST_F(InstallerOptions, OnlyExactLowerCaseOptionsDoAnything) {
    for (const wchar_t* option : {L"/I", L"-i", L"/U", L"i"}) {
        SCOPED_TRACE(option);
        const InstallerRun run = RunInstaller(std::wstring(option) + L" " + QuotedFolder(package_.folder()) + L" x64");
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.output, L"Not Windows Vista\r\n");
        EXPECT_EQ(run.exitCode, 0u);
    }
    EXPECT_EQ(StoreCopy(), L"");
    EXPECT_FALSE(testing_support::FileExists(DriversFolder() + L"KorvoDocCamerax64.sys"));
}

TEST_F(InstallerOptions, UpperCaseX64MeansThe32BitPackageWhichA64BitSystemRefuses) {
    const InstallerRun run = RunInstaller(L"/i " + QuotedFolder(package_.folder()) + L" X64");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.output, L"Not Windows Vista\r\nInstalling..\r\nERROR .INF File for 64 bits has not been specified");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(StoreCopy(), L"");
}

TEST_F(InstallerOptions, UninstallDeletesTheDriverFileOfTheChosenArch) {
    for (const auto& [arch, file] : {std::pair{L"X64", L"KorvoDocCamera.sys"}, std::pair{L"", L"KorvoDocCamera.sys"},
                                     std::pair{L"x64", L"KorvoDocCamerax64.sys"}}) {
        SCOPED_TRACE(arch);
        testing_support::WriteFileBytes(DriversFolder() + file, "driver");
        const InstallerRun run = RunInstaller(L"/u " + QuotedFolder(package_.folder()) + L" " + arch);
        ASSERT_TRUE(run.finished);
        EXPECT_NE(run.output.find(L"Deleting file: " + DriversFolder() + file + L"\r\n"), std::wstring::npos)
            << run.output;
        EXPECT_FALSE(testing_support::FileExists(DriversFolder() + file));
        CleanDriverState();
    }
}

}  // namespace
}  // namespace installer_tests
