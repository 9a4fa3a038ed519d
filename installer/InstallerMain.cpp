#include "InstallerMain.h"

#include "DataSource.h"
#include "DriverPackage.h"
#include "InstallContext.h"
#include "StartChecks.h"

namespace installer {

namespace {

void PrintUsage(Output& out) {
    out.Write(L"Invalid command line arguments\r\n");
    out.Write(L"KorvoDocCameraInstaller [option] [path] [arch]\r\n");
    out.Write(L"/i install\r\n");
    out.Write(L"/u uninstall\r\n");
    out.Write(L"arch: x64 for 64 bits or blank will assume 32bits\r\n");
}

}  // namespace

void RunInstaller(const std::vector<std::wstring>& commandLine, SystemProbe& system, Output& out) {
    if (commandLine.size() != 3 && commandLine.size() != 4) {
        PrintUsage(out);
        return;
    }
    const InstallContext context = MakeInstallContext(commandLine[2], commandLine.size() == 4 ? commandLine[3] : L"");
    if (!RunStartChecks(system, out, {commandLine.begin() + 1, commandLine.end()})) return;
    // Exactly, case included: a setup program passes these literally. The data
    // source's lines come first: a setup program tells success by the last line.
    if (commandLine[1] == L"/i") {
        if (InstallDataSources(context, out)) InstallDriver(context, system, out);
    } else if (commandLine[1] == L"/u") {
        UninstallDataSources(out);
        UninstallDriver(context, system, out);
    }
}

}  // namespace installer
