// KorvoDocCameraInstaller: installs or removes the camera's driver package for
// a setup program, which reads the progress lines from our standard output
// and tells success from them; the exit code is always 0.
#include <windows.h>

#include <shellapi.h>

#include "InstallerMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> commandLine;
    for (int i = 0; arguments && i < count; ++i) commandLine.emplace_back(arguments[i]);
    if (arguments) LocalFree(arguments);
    installer::StdOutput out;
    installer::SystemProbe system;
    installer::RunInstaller(commandLine, system, out);
    return 0;
}
