#include <gtest/gtest.h>

#include "base/PathName.h"
#include "TestSupport.h"
#include "base/Utilities.h"

using namespace testing_support;

TEST(FileNames, ReservedDeviceNamesAndForbiddenCharactersAreRefused) {
    struct Case {
        const wchar_t* path;
        bool valid;
    } cases[] = {
        {L"C:\\pictures\\con.txt", false},    {L"C:\\pictures\\COM1.jpg", false}, {L"lpt2", false},
        {L"CLOCK$", false},                   {L"nul .jpg", false},              {L"AUX", false},
        {L"com9 .bmp", false},                {L"C:\\a\\console.txt", true},     {L"COM.jpg", true},
        {L"COMX.jpg", true},                  {L"COM1X.jpg", true},              {L"prnt.jpg", true},
        {L"a?b.jpg", false},                  {L"a|b.jpg", false},               {L"a<b.jpg", false},
        {L"tab\t.jpg", false},                {L"nbsp\u00a0.jpg", false},        {L"C:\\folder\\", false},
        {L"", false},                         {L"ab", true},                     {L"\u00e9con.jpg", true},
        {L"CON\u00e9.jpg", true},             {L"photo.jpg", true},
    };
    for (const Case& c : cases) {
        CPathName path(c.path);
        EXPECT_EQ(path.IsValidFileName(), c.valid) << std::string(c.path, c.path + wcslen(c.path));
    }
}

TEST(FileNames, PathIsSplitIntoItsParts) {
    CPathName path(L"C:\\data\\pictures\\photo.final.JPG");
    EXPECT_EQ(path.DriveFolder(), L"C:\\data\\pictures\\");
    EXPECT_EQ(path.NameExtension(), L"photo.final.JPG");
    EXPECT_EQ(path.DriveFolderName(), L"C:\\data\\pictures\\photo.final");
    EXPECT_EQ(path.Extension(), L".JPG");
    CPathName empty(L"");
    EXPECT_EQ(empty.DriveFolder(), L"");
    EXPECT_FALSE(empty.IsValidFileName());
}

TEST(NumberFields, OnlyWholeDigitRunsInRangeCount) {
    struct Case {
        const wchar_t* text;
        unsigned long min, max, expected;
    } cases[] = {
        {L"12a", 1, 99, 0}, {L"007", 1, 99, 7}, {L"100", 1, 99, 0}, {L"", 1, 99, 0},   {L"99", 1, 99, 99},
        {L"1", 1, 99, 1},   {L"0", 1, 99, 0},   {L" 5", 1, 99, 0},  {L"-5", 1, 99, 0}, {L"99999999999999999999", 1, 99, 0},
        {L"0000000000042", 1, 99, 42},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseNumberInRange(c.text, c.min, c.max), c.expected) << std::string(c.text, c.text + wcslen(c.text));
}

TEST(Paths, AddBackslashAppendsOnlyWhereMissing) {
    std::wstring a = L"C:\\data", b = L"C:\\data\\", empty;
    AddBackslash(a);
    AddBackslash(b);
    AddBackslash(empty);
    EXPECT_EQ(a, L"C:\\data\\");
    EXPECT_EQ(b, L"C:\\data\\");
    EXPECT_EQ(empty, L"");
    wchar_t buffer[MAX_PATH] = L"C:\\data";
    AddBackslash(buffer);
    EXPECT_STREQ(buffer, L"C:\\data\\");
}

TEST(Paths, PathExistsOnRealFilesAndFolders) {
    TempFolder temp;
    std::wstring folder = temp / L"data";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    WriteFileBytes(temp / L"file.txt", "x");
    EXPECT_TRUE(PathExists(folder));
    EXPECT_TRUE(PathExists(folder + L"\\"));
    EXPECT_TRUE(PathExists(temp / L"file.txt"));
    EXPECT_FALSE(PathExists(temp / L"missing"));
    EXPECT_FALSE(PathExists(L""));
}

TEST(Paths, DeleteFolderTreeRemovesNestedContent) {
    TempFolder temp;
    std::wstring root = temp / L"tree";
    ::CreateDirectoryW(root.c_str(), nullptr);
    ::CreateDirectoryW((root + L"\\a").c_str(), nullptr);
    ::CreateDirectoryW((root + L"\\a\\b").c_str(), nullptr);
    WriteFileBytes(root + L"\\top.jpg", "1");
    WriteFileBytes(root + L"\\a\\b\\deep.tmp", "2");
    EXPECT_EQ(DeleteFolderTree(root), 1);
    EXPECT_FALSE(PathExists(root));
    EXPECT_EQ(DeleteFolderTree(temp / L"never-there"), 1);
}

TEST(Paths, DeleteFolderTreeReportsAFileThatCannotBeDeleted) {
    TempFolder temp;
    std::wstring root = temp / L"busy";
    ::CreateDirectoryW(root.c_str(), nullptr);
    std::wstring file = root + L"\\held.txt";
    WriteFileBytes(file, "held");
    HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    try {
        DeleteFolderTree(root);
        ADD_FAILURE() << "expected a file exception";
    } catch (const FileException& e) {
        EXPECT_EQ(e.path, file);
    }
    ::CloseHandle(held);
    EXPECT_TRUE(FileExists(file));
}

TEST(Paths, BrowsedFolderLongerThan256CharactersIsRefused) {
    wchar_t out[MAX_PATH] = L"unchanged";
    EXPECT_EQ(AcceptBrowsedFolder(L"C:\\" + std::wstring(254, L'a'), out), 0);
    EXPECT_STREQ(out, L"unchanged");
    EXPECT_EQ(AcceptBrowsedFolder(L"C:\\" + std::wstring(253, L'a'), out), 1);
    EXPECT_EQ(wcslen(out), 256u);
}

TEST(GlobalMutex, SecondCreationReportsExistingAndPrefixFollowsVersion) {
    std::wstring name = L"__PICTAVO_TEST_MUTEX_" + std::to_wstring(::GetCurrentProcessId());
    HANDLE first = nullptr, second = reinterpret_cast<HANDLE>(1);
    EXPECT_EQ(CreateGlobalMutex(name.c_str(), true, &first), kMutexCreated);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CreateGlobalMutex(name.c_str(), true, &second), kMutexExists);
    EXPECT_EQ(second, nullptr);
    // The global namespace is the one the data source shares.
    HANDLE opened = ::OpenMutexW(SYNCHRONIZE, FALSE, (L"Global\\" + name).c_str());
    EXPECT_NE(opened, nullptr);
    if (opened) ::CloseHandle(opened);
    ::CloseHandle(first);
    EXPECT_EQ(CreateGlobalMutex(name.c_str(), true, &first), kMutexCreated);
    ::CloseHandle(first);

    EXPECT_EQ(GlobalMutexName(L"M", true, 4), L"M");
    EXPECT_EQ(GlobalMutexName(L"M", true, 5), L"Global\\M");
    EXPECT_EQ(GlobalMutexName(L"M", false, 10), L"M");
}

TEST(Geometry, PointDistanceAndClientRectWithScrollBars) {
    EXPECT_DOUBLE_EQ(PointDistance(0, 0, 3, 4), 5.0);
    EXPECT_DOUBLE_EQ(PointDistance(-2, 7, -2, 7), 0.0);
    HWND w = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED | WS_HSCROLL | WS_VSCROLL, 0, 0, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    RECT client, withBars;
    ::GetClientRect(w, &client);
    GetClientRectWithScrollBars(w, &withBars);
    EXPECT_EQ(withBars.right, client.right + ::GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(withBars.bottom, client.bottom + ::GetSystemMetrics(SM_CYHSCROLL));
    ::DestroyWindow(w);
}
