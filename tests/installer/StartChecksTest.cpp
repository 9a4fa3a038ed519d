// The checks before the option is looked at, and the hand-over to an elevated
// copy. Under Wine every process is an administrator and the processor is
// AMD64, so the branches of other machines are reached by replacing the
// answers of SystemProbe in this process.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include "InstallerHarness.h"
#include "InstallerMain.h"
#include "StartChecks.h"

namespace installer_tests {
namespace {

class RecordedOutput : public installer::Output {
public:
    void Write(const std::wstring& text) override { text_ += text; }
    const std::wstring& text() const { return text_; }

private:
    std::wstring text_;
};

struct Machine {
    const char* name;
    bool versionKnown;
    DWORD major, minor;
    bool architectureKnown;
    WORD architecture;
    bool administrator;
    const wchar_t* expected;
    bool elevates;
};

class MachineProbe : public installer::SystemProbe {
public:
    explicit MachineProbe(const Machine& machine) : machine_(machine) {}
    bool ReadVersion(installer::OsVersion& version) override {
        version = {VER_PLATFORM_WIN32_NT, machine_.major, machine_.minor};
        return machine_.versionKnown;
    }
    bool NativeArchitecture(WORD& architecture) override {
        architecture = machine_.architecture;
        return machine_.architectureKnown;
    }
    bool IsAdministrator() override { return machine_.administrator; }
    bool RunElevatedCopy(const std::wstring& parameters, const std::wstring& folder) override {
        elevatedWith_.push_back(parameters);
        elevatedIn_ = folder;
        if (refuse_) SetLastError(ERROR_CANCELLED);
        return !refuse_;
    }
    std::vector<std::wstring> elevatedWith_;
    std::wstring elevatedIn_;
    bool refuse_ = false;

private:
    Machine machine_;
};

// The process's current folder for the lifetime of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::wstring& folder) {
        ::GetCurrentDirectoryW(MAX_PATH, previous_);
        EXPECT_TRUE(::SetCurrentDirectoryW(folder.c_str()));
    }
    ~WorkingFolder() { ::SetCurrentDirectoryW(previous_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    wchar_t previous_[MAX_PATH] = {};
};

void PrintTo(const Machine& machine, std::ostream* os) { *os << machine.name; }

constexpr WORD kAmd64 = PROCESSOR_ARCHITECTURE_AMD64, kX86 = PROCESSOR_ARCHITECTURE_INTEL;

const Machine kMachines[] = {
    {"VistaX64User", true, 6, 0, true, kAmd64, false, L"Windows Vista\r\n", true},
    {"VistaX64Administrator", true, 6, 0, true, kAmd64, true, L"Windows Vista\r\n", false},
    {"VistaX86User", true, 6, 0, true, kX86, false, L"Windows Vista\r\nNot a 64 bit architecture\r\n", false},
    {"VistaWithoutNativeInfo", true, 6, 0, false, kAmd64, false,
     L"Windows Vista\r\nUnable to get the architecture of the target machine", false},
    {"Windows7X64User", true, 6, 1, true, kAmd64, false, L"Not Windows Vista\r\n", false},
    {"Windows10X64User", true, 10, 0, true, kAmd64, false, L"Not Windows Vista\r\n", false},
    {"VersionUnreadable", false, 6, 0, true, kAmd64, false, L"Can't get Version of OS\r\n", false},
};

class InstallerStartChecks : public testing::TestWithParam<Machine> {};

TEST_P(InstallerStartChecks, PrintWhatTheyFindAndElevateOnlyAUserOnVistaX64) {
    MachineProbe probe(GetParam());
    RecordedOutput out;
    // An option that does nothing, so only the checks print.
    installer::RunInstaller({L"KorvoDocCameraInstaller.exe", L"-i", L"C:\\pkg"}, probe, out);
    EXPECT_EQ(out.text(), GetParam().expected);
    EXPECT_EQ(probe.elevatedWith_.size(), GetParam().elevates ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Machines, InstallerStartChecks, testing::ValuesIn(kMachines),
                         [](const testing::TestParamInfo<Machine>& info) { return std::string(info.param.name); });

TEST(InstallerElevation, TheElevatedCopyDoesTheWorkAndThisProcessNothingMore) {
    MachineProbe probe(kMachines[0]);
    RecordedOutput out;
    installer::RunInstaller({L"KorvoDocCameraInstaller.exe", L"/u", L"C:\\Korvo package", L"x64"}, probe, out);
    EXPECT_EQ(out.text(), L"Windows Vista\r\n");
    EXPECT_EQ(probe.elevatedWith_, std::vector<std::wstring>{L"/u \"C:\\Korvo package\" x64 "});
}

// The copy starts in the system folder; a relative package folder must not resolve there.
TEST(InstallerElevation, ARelativePackageFolderReachesTheCopyAsAFullPathWithTheWorkingFolder) {
    testing_support::TempFolder work;
    WorkingFolder inWork(work.path());
    const struct {
        const wchar_t* given;
        std::wstring copy;
    } kFolders[] = {
        {L"pkg", installer::JoinArguments({L"/i", work / L"pkg", L"x64"})},
        {L"Korvo driver\\", installer::JoinArguments({L"/i", work / L"Korvo driver\\", L"x64"})},
        {L"C:\\pkg", L"/i C:\\pkg x64 "},
    };
    for (const auto& f : kFolders) {
        MachineProbe probe(kMachines[0]);
        RecordedOutput out;
        installer::RunInstaller({L"KorvoDocCameraInstaller.exe", L"/i", f.given, L"x64"}, probe, out);
        EXPECT_EQ(probe.elevatedWith_, std::vector<std::wstring>{f.copy});
        EXPECT_EQ(_wcsicmp((probe.elevatedIn_ + L"\\").c_str(), work.path().c_str()), 0) << probe.elevatedIn_;
    }
}

TEST(InstallerElevation, ARefusedPromptIsReported) {
    MachineProbe probe(kMachines[0]);
    probe.refuse_ = true;
    RecordedOutput out;
    installer::RunInstaller({L"KorvoDocCameraInstaller.exe", L"/i", L"C:\\pkg", L"x64"}, probe, out);
    EXPECT_EQ(out.text(), L"Windows Vista\r\n" + ErrorLine(ERROR_CANCELLED));
}

std::vector<std::wstring> ParseLikeTheCopy(const std::wstring& parameters) {
    int count = 0;
    wchar_t** parsed = CommandLineToArgvW((L"KorvoDocCameraInstaller.exe " + parameters).c_str(), &count);
    std::vector<std::wstring> arguments(parsed + 1, parsed + count);
    LocalFree(parsed);
    return arguments;
}

TEST(InstallerArguments, EveryArgumentReachesTheCopyWhole) {
    const std::vector<std::vector<std::wstring>> cases = {
        {L"/i", L"C:\\pkg", L"x64"},
        {L"/i", L"C:\\Program Files\\Korvo driver", L"x64"},
        {L"/u", L"C:\\Korvo driver\\"},  // a trailing backslash must not swallow the closing quote
        {L"/i", L"\\\\server\\share\\Korvo 2\\\\", L"x64"},
        {L"/i", L"C:\\odd\"name", L""},
        {L"/i", L"C:\\tab\there"},
    };
    for (const auto& arguments : cases) {
        const std::wstring joined = installer::JoinArguments(arguments);
        SCOPED_TRACE(testing::PrintToString(joined));
        EXPECT_EQ(ParseLikeTheCopy(joined), arguments);
        EXPECT_EQ(joined.back(), L' ');
    }
    EXPECT_EQ(installer::JoinArguments({L"/i", L"C:\\pkg", L"x64"}), L"/i C:\\pkg x64 ");
}

// Wine reports the version its registry names; "vista" is 6.0.
TEST(InstallerVistaPrefix, StartChecksRunAndContinueInThisProcessAsAdministrator) {
    testing_support::RegistryValue version(HKEY_CURRENT_USER, L"Software\\Wine", L"Version");
    version.SetString(L"vista");
    testing_support::TempFolder empty;
    const InstallerRun silent = RunInstaller(L"-i " + QuotedFolder(empty.path() + L"none") + L" x64");
    ASSERT_TRUE(silent.finished);
    EXPECT_EQ(silent.output, L"Windows Vista\r\n");
    // Wine runs every process elevated: no copy is started, this one uninstalls.
    const InstallerRun uninstall = RunInstaller(L"/u " + QuotedFolder(empty.path() + L"none") + L" x64");
    ASSERT_TRUE(uninstall.finished);
    EXPECT_EQ(uninstall.output.rfind(L"Windows Vista\r\nUninstalling..\r\n", 0), 0u) << uninstall.output;
    EXPECT_EQ(uninstall.exitCode, 0u);
}

}  // namespace
}  // namespace installer_tests
