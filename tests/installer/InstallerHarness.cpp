#include "InstallerHarness.h"

#include <cfgmgr32.h>
#include <setupapi.h>

#include <algorithm>

#include "Handles.h"
#include "Wait.h"

namespace installer_tests {

namespace {

// A whole run, set-up included: a 32-bit Wine process may start through an
// emulator and then work on the driver store.
constexpr DWORD kRunLimitMs = 2 * testing_support::kProcessWaitLimitMs;

const GUID kCameraClassGuid = {0x5c3f1b2e, 0x8d4a, 0x4e7b, {0x9a, 0x61, 0x2f, 0x0c, 0x7d, 0x9e, 0x4b, 0x13}};
const wchar_t kHardwareIds[] = L"USB\\VID_3F5A&PID_000F&REV_0100\0";

struct DeviceList {
    HDEVINFO handle;
    explicit DeviceList(HDEVINFO h) : handle(h) {}
    ~DeviceList() {
        if (handle != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(handle);
    }
};

std::wstring WindowsFolder(const wchar_t* tail) {
    wchar_t folder[MAX_PATH];
    GetWindowsDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + tail;
}

void RemoveEveryCameraDevice() {
    DeviceList list(SetupDiGetClassDevsW(&kCameraClassGuid, nullptr, nullptr, DIGCF_PROFILE));
    if (list.handle == INVALID_HANDLE_VALUE) return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD i = 0; SetupDiEnumDeviceInfo(list.handle, i, &device); ++i)
        SetupDiCallClassInstaller(DIF_REMOVE, list.handle, &device);
}

void DeleteCameraService() {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager) return;
    if (SC_HANDLE service = OpenServiceW(manager, L"KorvoDocCam", SERVICE_ALL_ACCESS)) {
        SERVICE_STATUS status;
        ControlService(service, SERVICE_CONTROL_STOP, &status);
        DeleteService(service);
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
}

// The program with `output` as its standard output; its process handle.
fw::Handle StartInstaller(const std::wstring& arguments, HANDLE output) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    std::wstring commandLine =
        L"\"" + testing_support::TestProgramFolder() + L"KorvoDocCameraInstaller.exe\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return fw::Handle();
    fw::Handle thread(process.hThread);
    return fw::Handle(process.hProcess);
}

// Appends what the pipe holds now, without waiting for more.
void ReadAvailable(HANDLE pipe, std::string& bytes) {
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available) {
        char chunk[4096];
        DWORD read = 0;
        if (!ReadFile(pipe, chunk, std::min<DWORD>(available, sizeof(chunk)), &read, nullptr) || !read) return;
        bytes.append(chunk, read);
    }
}

}  // namespace

InstallerRun RunInstaller(const std::wstring& arguments) {
    InstallerRun run;
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    fw::Handle readEnd, writeEnd;
    if (!CreatePipe(readEnd.receive(), writeEnd.receive(), &inherit, 0)) return run;
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    fw::Handle process = StartInstaller(arguments, writeEnd.get());
    writeEnd.reset();
    if (!process) return run;
    // Read while the program runs, and stop at its end rather than at the
    // pipe's: a process it starts may hold the write end longer.
    std::string bytes;
    run.finished = testing_support::WaitUntil([&] {
        const bool exited = WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
        ReadAvailable(readEnd.get(), bytes);
        return exited;
    }, kRunLimitMs);
    if (!run.finished) TerminateProcess(process.get(), 1);
    GetExitCodeProcess(process.get(), &run.exitCode);
    run.output.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    return run;
}

std::wstring ErrorLine(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0,
                   nullptr);
    std::wstring line = L"ERROR: " + std::wstring(text ? text : L"?") + L"\r\n";
    if (text) LocalFree(text);
    return line;
}

std::string PackageInfText() {
    // A real driver package's shape: its own setup class, a service, a file
    // for each processor, so Windows would take it as Wine does.
    return R"([Version]
Signature="$WINDOWS NT$"
Class=USBKORVODOCCAM
ClassGuid={5C3F1B2E-8D4A-4E7B-9A61-2F0C7D9E4B13}
Provider=%Maker%
DriverVer=12/07/2026,1.0.0.0
[ClassInstall32]
AddReg=ClassReg
[ClassReg]
HKR,,,0,%ClassName%
[Manufacturer]
%Maker%=Models,NTamd64,NTx86
[Models.NTamd64]
%DeviceName%=Camera_Install,USB\VID_3F5A&PID_000F&REV_0100
[Models.NTx86]
%DeviceName%=Camera_Install,USB\VID_3F5A&PID_000F&REV_0100
[DestinationDirs]
DefaultDestDir=12
[SourceDisksNames]
1=%DiskName%
[SourceDisksFiles]
KorvoDocCamerax64.sys=1
KorvoDocCamera.sys=1
[Camera_Install.NTamd64]
CopyFiles=Camera_Files64
[Camera_Install.NTx86]
CopyFiles=Camera_Files32
[Camera_Install.NTamd64.Services]
AddService=KorvoDocCam,0x00000002,Camera_Service64
[Camera_Install.NTx86.Services]
AddService=KorvoDocCam,0x00000002,Camera_Service32
[Camera_Service64]
ServiceType=1
StartType=3
ErrorControl=1
ServiceBinary=%12%\KorvoDocCamerax64.sys
[Camera_Service32]
ServiceType=1
StartType=3
ErrorControl=1
ServiceBinary=%12%\KorvoDocCamera.sys
[Camera_Files64]
KorvoDocCamerax64.sys
[Camera_Files32]
KorvoDocCamera.sys
[Strings]
Maker="Vexa"
DeviceName="Korvo Document Camera"
ClassName="Korvo Document Cameras"
DiskName="Korvo driver package"
)";
}

DriverPackage::DriverPackage(const std::wstring& subfolder) {
    folder_ = temp_.path() + subfolder;
    if (!subfolder.empty()) CreateDirectoryW(folder_.c_str(), nullptr);
    if (folder_.back() == L'\\') folder_.pop_back();
    testing_support::WriteFileBytes(inf(), PackageInfText());
    // Never loaded by a test: only copied and deleted.
    testing_support::WriteFileBytes(folder_ + L"\\KorvoDocCamerax64.sys", "MZ korvo test driver x64");
    testing_support::WriteFileBytes(folder_ + L"\\KorvoDocCamera.sys", "MZ korvo test driver x86");
}

std::wstring QuotedFolder(const std::wstring& folder) { return L"\"" + folder + L"\""; }

std::wstring AddPhantomCamera(const DriverPackage& package) {
    GUID found;
    DWORD count = 0;
    // Only when missing: Wine's SetupDiInstallClassW over an existing class
    // rewrites its "Class" value with the GUID, and lookups by name then fail.
    if (!SetupDiClassGuidsFromNameW(L"USBKORVODOCCAM", &found, 1, &count) || count == 0)
        if (!SetupDiInstallClassW(nullptr, package.inf().c_str(), 0, nullptr)) return L"";
    DeviceList list(SetupDiCreateDeviceInfoList(&kCameraClassGuid, nullptr));
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    if (!SetupDiCreateDeviceInfoW(list.handle, L"USBKORVODOCCAM", &kCameraClassGuid, nullptr, nullptr,
                                  DICD_GENERATE_ID, &device) ||
        !SetupDiSetDeviceRegistryPropertyW(list.handle, &device, SPDRP_HARDWAREID,
                                           reinterpret_cast<const BYTE*>(kHardwareIds), sizeof(kHardwareIds)) ||
        !SetupDiCallClassInstaller(DIF_REGISTERDEVICE, list.handle, &device))
        return L"";
    wchar_t id[MAX_DEVICE_ID_LEN] = L"";
    SetupDiGetDeviceInstanceIdW(list.handle, &device, id, MAX_DEVICE_ID_LEN, nullptr);
    return id;
}

std::vector<std::wstring> CameraDevices() {
    std::vector<std::wstring> ids;
    DeviceList list(SetupDiGetClassDevsW(&kCameraClassGuid, nullptr, nullptr, DIGCF_PROFILE));
    if (list.handle == INVALID_HANDLE_VALUE) return ids;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD i = 0; SetupDiEnumDeviceInfo(list.handle, i, &device); ++i) {
        wchar_t id[MAX_DEVICE_ID_LEN] = L"";
        if (SetupDiGetDeviceInstanceIdW(list.handle, &device, id, MAX_DEVICE_ID_LEN, nullptr)) ids.push_back(id);
    }
    return ids;
}

std::wstring DeviceDriverKey(const std::wstring& instanceId) {
    DeviceList list(SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    wchar_t driver[256] = L"";
    if (SetupDiOpenDeviceInfoW(list.handle, instanceId.c_str(), nullptr, 0, &device))
        SetupDiGetDeviceRegistryPropertyW(list.handle, &device, SPDRP_DRIVER, nullptr, reinterpret_cast<BYTE*>(driver),
                                          sizeof(driver) - sizeof(wchar_t), nullptr);
    return driver;
}

std::wstring InfFolder() { return WindowsFolder(L"\\inf\\"); }

std::wstring DriversFolder() {
    wchar_t folder[MAX_PATH];
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\drivers\\";
}

std::wstring StoreCopy() {
    const std::string wanted = PackageInfText();
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((InfFolder() + L"*.inf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return L"";
    std::wstring name;
    do {
        if (testing_support::ReadFileBytes(InfFolder() + found.cFileName) == wanted) name = found.cFileName;
    } while (name.empty() && FindNextFileW(search, &found));
    FindClose(search);
    return name;
}

void CleanDriverState() {
    RemoveEveryCameraDevice();
    for (std::wstring copy = StoreCopy(); !copy.empty(); copy = StoreCopy()) {
        if (!SetupUninstallOEMInfW(copy.c_str(), SUOI_FORCEDELETE, nullptr) &&
            !DeleteFileW((InfFolder() + copy).c_str()))
            break;
        DeleteFileW((InfFolder() + copy.substr(0, copy.size() - 3) + L"pnf").c_str());
    }
    // Wine's SetupUninstallOEMInfW leaves the precompiled inf behind.
    DeleteFileW((InfFolder() + L"KorvoDocCamera.pnf").c_str());
    DeleteFileW((DriversFolder() + L"KorvoDocCamerax64.sys").c_str());
    DeleteFileW((DriversFolder() + L"KorvoDocCamera.sys").c_str());
    DeleteCameraService();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE,
                   L"SYSTEM\\CurrentControlSet\\Control\\Class\\{5C3F1B2E-8D4A-4E7B-9A61-2F0C7D9E4B13}");
}

}  // namespace installer_tests
