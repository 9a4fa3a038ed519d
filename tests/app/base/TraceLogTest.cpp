#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "Handles.h"
#include "TestSupport.h"
#include "base/TraceLog.h"

using namespace testing_support;

namespace {

// An installation folder with a "logs" folder, registered while the test runs.
class TraceLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CreateDirectoryW((install_ / L"logs").c_str(), nullptr);
        installPath_.SetString(install_.path());
    }
    std::wstring current() const { return install_ / L"logs\\PictavoPreTrc.log"; }
    std::wstring backup() const { return install_ / L"logs\\PictavoPreTrc1.log"; }
    void SetTraceSize(const char* value) {
        WriteFileBytes(install_ / L"Pictavo.ini", std::string("[Config]\r\nTRACESIZE=") + value + "\r\n");
    }

    TempFolder install_;
    RegistryValue installPath_ = InstallPathValue();
};

// Header "[" + 23 + "] [" + 32 + "] " and the closing "\r\n".
constexpr size_t kEntryOverhead = 61 + 2;

}  // namespace

TEST(TraceLineFormat, SourceFieldIsCutOrPaddedTo32Characters) {
    SYSTEMTIME t{};
    t.wYear = 2026, t.wMonth = 12, t.wDay = 7, t.wHour = 9, t.wMinute = 5, t.wSecond = 3, t.wMilliseconds = 7;
    EXPECT_EQ(FormatTraceHeader(t, L"CMainFrame::GetJpegData"),
              L"[2026/12/07 09:05:03.007] [CMainFrame::GetJpegData         ] ");
    EXPECT_EQ(FormatTraceHeader(t, L"Short"), L"[2026/12/07 09:05:03.007] [Short" + std::wstring(27, L' ') + L"] ");
    std::wstring forty = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    EXPECT_EQ(FormatTraceHeader(t, forty.c_str()), L"[2026/12/07 09:05:03.007] [" + forty.substr(0, 32) + L"] ");
}

TEST(TraceLimit, SettingGivesMultiplesOf1024000) {
    EXPECT_EQ(TraceLogLimitFromSetting(1), 1024000u);
    EXPECT_EQ(TraceLogLimitFromSetting(10), 10240000u);
    EXPECT_EQ(TraceLogLimitFromSetting(0), 1024000u);
    EXPECT_EQ(TraceLogLimitFromSetting(11), 1024000u);
    EXPECT_EQ(TraceLogLimitFromSetting(-1), 1024000u);
}

TEST_F(TraceLogTest, LimitIsReadFromTheSettingsFile) {
    struct Case {
        const char* value;
        DWORD limit;
    } cases[] = {{nullptr, 1024000}, {"0", 1024000}, {"11", 1024000}, {"-1", 1024000}, {"10", 10240000}, {"3", 3072000}};
    for (const Case& c : cases) {
        if (c.value)
            SetTraceSize(c.value);
        else
            ::DeleteFileW((install_ / L"Pictavo.ini").c_str());
        TraceLogPaths paths;
        ASSERT_TRUE(GetTraceLogPaths(kTraceApp, paths));
        EXPECT_EQ(paths.limit, c.limit) << (c.value ? c.value : "absent");
        EXPECT_EQ(paths.current, current());
        EXPECT_EQ(paths.backup, backup());
    }
}

TEST_F(TraceLogTest, LineHasTimestampPaddedSourceAndCrLf) {
    WriteTraceLog(kTraceApp, L"CPictavoApp::LoadDll", L"%s library used. [%d] [0x%08X]", L"PictavoSIMD.dll", 42, 0x7Eu);
    std::string text = ReadFileBytes(current());
    std::regex line(
        R"(\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\.\d{3}\] \[CPictavoApp::LoadDll {12}\] )"
        R"(PictavoSIMD\.dll library used\. \[42\] \[0x0000007E\]\r\n)");
    EXPECT_TRUE(std::regex_match(text, line)) << text;
}

TEST_F(TraceLogTest, LongMessageIsCutAt1024CharactersAndStillEndsTheLine) {
    std::wstring longText(1500, L'x');
    WriteTraceLog(kTraceApp, L"Test", L"%s", longText.c_str());
    WriteTraceLog(kTraceApp, L"Test", L"next");
    std::vector<std::string> lines = SplitLines(ReadFileBytes(current()));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 61u + 1024u);
    EXPECT_EQ(lines[0].substr(61), std::string(1024, 'x'));
    EXPECT_EQ(lines[1].substr(61), "next");
}

TEST_F(TraceLogTest, EntryThatFitsIsAppendedOneByteMoreRotates) {
    const size_t limit = 1024000, n = kEntryOverhead + 37;
    std::string old(limit - n, 'o');
    WriteFileBytes(current(), old);
    WriteTraceLog(kTraceApp, L"Test", L"%s", std::wstring(37, L'a').c_str());
    EXPECT_EQ(ReadFileBytes(current()).size(), limit);
    EXPECT_FALSE(FileExists(backup()));

    WriteFileBytes(current(), old);
    WriteFileBytes(backup(), "older backup");
    WriteTraceLog(kTraceApp, L"Test", L"%s", std::wstring(38, L'b').c_str());
    EXPECT_EQ(ReadFileBytes(backup()), old);
    std::vector<std::string> lines = SplitLines(ReadFileBytes(current()));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(61), std::string(38, 'b'));
}

TEST_F(TraceLogTest, HeldBackupKeepsTheCurrentLogAndAppends) {
    std::string old(1024000 - 10, 'o');
    WriteFileBytes(current(), old);
    WriteFileBytes(backup(), "held backup");
    {
        // No FILE_SHARE_DELETE: the rename over the backup cannot succeed.
        fw::FileHandle held(::CreateFileW(backup().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        WriteTraceLog(kTraceApp, L"Test", L"appended");
    }
    std::string text = ReadFileBytes(current());
    ASSERT_GT(text.size(), old.size());
    EXPECT_EQ(text.substr(0, old.size()), old);
    EXPECT_EQ(text.substr(old.size() + 61), "appended\r\n");
    EXPECT_EQ(ReadFileBytes(backup()), "held backup");

    WriteTraceLog(kTraceApp, L"Test", L"rotated once free");
    EXPECT_EQ(ReadFileBytes(backup()), text);
    EXPECT_EQ(SplitLines(ReadFileBytes(current())).size(), 1u);
}

TEST_F(TraceLogTest, SettingsChangeTakesEffectAtTheNextEntry) {
    WriteFileBytes(current(), std::string(1500000, 'o'));
    SetTraceSize("2");
    WriteTraceLog(kTraceApp, L"Test", L"kept");
    EXPECT_FALSE(FileExists(backup()));
    SetTraceSize("1");
    WriteTraceLog(kTraceApp, L"Test", L"rotated");
    EXPECT_TRUE(FileExists(backup()));
    EXPECT_EQ(SplitLines(ReadFileBytes(current())).size(), 1u);
}

TEST_F(TraceLogTest, NoLogsFolderWritesNothing) {
    ::RemoveDirectoryW((install_ / L"logs").c_str());
    WriteTraceLog(kTraceApp, L"Test", L"dropped");
    EXPECT_FALSE(FileExists(install_ / L"logs"));
    EXPECT_FALSE(FileExists(current()));
}

TEST_F(TraceLogTest, ProgramFolderIsUsedWhenNoInstallationIsRegistered) {
    installPath_.Delete();
    std::wstring logs = TestProgramFolder() + L"logs";
    ASSERT_FALSE(FileExists(logs)) << "a stale logs folder beside the test program";
    ::CreateDirectoryW(logs.c_str(), nullptr);
    WriteTraceLog(kTraceApp, L"Test", L"beside the program");
    std::string text = ReadFileBytes(logs + L"\\PictavoPreTrc.log");
    ::DeleteFileW((logs + L"\\PictavoPreTrc.log").c_str());
    ::RemoveDirectoryW(logs.c_str());
    EXPECT_NE(text.find("beside the program\r\n"), std::string::npos);
}

TEST_F(TraceLogTest, ConcurrentWritersLoseNoEntry) {
    auto writer = [](const wchar_t* who) {
        for (int i = 0; i < 1000; ++i) WriteTraceLog(kTraceApp, who, L"entry %d", i);
    };
    std::thread a(writer, L"ThreadA"), b(writer, L"ThreadB");
    a.join();
    b.join();
    std::vector<std::string> lines = SplitLines(ReadFileBytes(current()));
    ASSERT_EQ(lines.size(), 2000u);
    int fromA = 0, fromB = 0;
    for (const std::string& l : lines) {
        fromA += l.find("[ThreadA ") != std::string::npos;
        fromB += l.find("[ThreadB ") != std::string::npos;
    }
    EXPECT_EQ(fromA, 1000);
    EXPECT_EQ(fromB, 1000);
}

TEST_F(TraceLogTest, NoMemoryEntryNamesTheObject) {
    WriteTraceLogNoMemory(kTraceApp, L"CPictavoApp::InitInstance", L"CControlDialog");
    EXPECT_NE(ReadFileBytes(current()).find("Memory is insufficient. CControlDialog\r\n"), std::string::npos);
}

TEST_F(TraceLogTest, WideTextIsWrittenInTheAnsiCodePage) {
    WriteTraceLog(kTraceApp, L"Test", L"caf\u00e9");
    std::string text = ReadFileBytes(current());
    ASSERT_GE(text.size(), 6u);
    if (::GetACP() == 1252) {
        EXPECT_EQ(text.substr(text.size() - 6), "caf\xE9\r\n");
    }
    EXPECT_EQ(text.find('\0'), std::string::npos);
}
