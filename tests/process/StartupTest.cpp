#include <gtest/gtest.h>

#include "AppProcess.h"

#include <commctrl.h>

using namespace testing_support;

namespace {
constexpr const wchar_t* kMainClass = L"__PICTAVO_CLASSNAME__";
constexpr const wchar_t* kDialogClass = L"#32770";

std::wstring StatusText(HWND main) {
    HWND status = ::FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
    return status ? WindowText(status) : L"";
}

void CloseAndWait(AppProcess& app, HWND main) {
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(app.WaitForExit());
}
}  // namespace

TEST(Startup, MainWindowComesUpOnTheCameraStandIn) {
    Installation install;
    AppProcess app(install);
    HWND main = app.WaitForWindow(kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), L"Pictavo for Presentation");
    EXPECT_EQ(StatusText(main), L"Ready");
    CloseAndWait(app, main);
    std::string log = install.TraceLog();
    EXPECT_NE(log.find("PictavoSIMD.dll library used."), std::string::npos) << log;
}

TEST(Startup, SecondCopyShowsAlreadyLaunchedAndEndsWhileTheFirstRuns) {
    Installation install;
    AppProcess first(install);
    HWND main = first.WaitForWindow(kMainClass);
    ASSERT_NE(main, nullptr);

    AppProcess second(install);
    HWND box = second.WaitForWindow(kDialogClass);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), L"Pictavo");
    EXPECT_EQ(MessageBoxText(box), L"Document Camera or TWAIN DS is already launched.");
    EXPECT_EQ(second.WaitForWindow(kMainClass, 200), nullptr);  // a short look: no main window comes
    PressButton(box, IDOK);
    EXPECT_TRUE(second.WaitForExit());
    EXPECT_TRUE(first.Running());
    CloseAndWait(first, main);
}

TEST(Startup, MissingCameraLibraryIsNamedAndTheProgramEnds) {
    Installation install(/*withCameraLibrary=*/false);
    AppProcess app(install);
    HWND box = app.WaitForWindow(kDialogClass);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"Unable to load KorvoDocCameraIM.dll. ");
    PressButton(box, IDOK);
    EXPECT_TRUE(app.WaitForExit());
    std::string log = install.TraceLog();
    EXPECT_NE(log.find("The error occurred with the [LoadLibrary] function. GetLastError=[0x0000007E]"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("The error occurred with the [LoadDll] function."), std::string::npos);
}

TEST(Startup, NoCodecLibraryChosenIsLoggedAndTheProgramRuns) {
    Installation install;
    RegistryValue jpegLib = JpegLibValue();
    jpegLib.SetDword(3);
    AppProcess app(install);
    HWND main = app.WaitForWindow(kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_NE(install.TraceLog().find("[CPictavoApp::LoadJpegDll        ] The library is not used.\r\n"),
              std::string::npos)
        << install.TraceLog();
    CloseAndWait(app, main);
}

TEST(Startup, UnpluggedCameraStartsWithTheMainUnitUnavailable) {
    Installation install;
    WriteFileBytes(install.folder() + L"KorvoDocCameraIM.ini", "[Camera]\r\nConnected=0\r\n");
    AppProcess app(install);
    HWND main = app.WaitForWindow(kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(StatusText(main), L"Unable to use the main unit.");
    CloseAndWait(app, main);
    EXPECT_NE(install.TraceLog().find("The error occurred with the [bDeviceOpen()] function."), std::string::npos);
}

TEST(Startup, CameraLibraryPlantedInTheCurrentFolderIsNotLoaded) {
    Installation install(/*withCameraLibrary=*/false);
    TempFolder current;
    ASSERT_TRUE(::CopyFileW((TestProgramFolder() + L"KorvoDocCameraIM.dll").c_str(),
                            (current / L"KorvoDocCameraIM.dll").c_str(), FALSE));
    AppProcess app(install, current.path());
    HWND box = app.WaitForWindow(kDialogClass);
    ASSERT_NE(box, nullptr) << "the planted library was taken for the installation's";
    EXPECT_EQ(MessageBoxText(box), L"Unable to load KorvoDocCameraIM.dll. ");
    PressButton(box, IDOK);
    EXPECT_TRUE(app.WaitForExit());
}
