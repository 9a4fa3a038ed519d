#include "SystemProbe.h"

#include <shellapi.h>

namespace installer {

bool SystemProbe::ReadVersion(OsVersion& version) {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return false;
#pragma GCC diagnostic pop
    version = {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
    return true;
}

bool SystemProbe::NativeArchitecture(WORD& architecture) {
    using NativeInfoFn = void(WINAPI*)(SYSTEM_INFO*);
    auto native = reinterpret_cast<NativeInfoFn>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetNativeSystemInfo"));
    if (!native) return false;
    SYSTEM_INFO info{};
    native(&info);
    architecture = info.wProcessorArchitecture;
    return true;
}

bool SystemProbe::IsAdministrator() {
    OsVersion version;
    if (!ReadVersion(version) || version.major < 6) return true;  // no split tokens before Vista
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                  0, &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

bool SystemProbe::RunElevatedCopy(const std::wstring& parameters, const std::wstring& folder) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return false;
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof(run);
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    run.lpVerb = L"runas";
    run.lpFile = self;
    run.lpParameters = parameters.c_str();
    run.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    run.nShow = SW_HIDE;
    if (!ShellExecuteExW(&run)) return false;
    if (run.hProcess) {
        WaitForSingleObject(run.hProcess, INFINITE);
        CloseHandle(run.hProcess);
    }
    return true;
}

}  // namespace installer
