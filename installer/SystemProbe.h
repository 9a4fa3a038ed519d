#pragma once
// The facts about the machine the installer decides on, and the one action
// that leaves this process (elevation). Tests replace single answers to reach
// branches Wine never takes: under Wine every process is an administrator.
#include <windows.h>

#include <string>

namespace installer {

struct OsVersion {
    DWORD platform = 0, major = 0, minor = 0;
};

class SystemProbe {
public:
    virtual ~SystemProbe() = default;
    virtual bool ReadVersion(OsVersion& version);
    // False when kernel32 has no GetNativeSystemInfo (before Windows XP).
    virtual bool NativeArchitecture(WORD& architecture);
    virtual bool IsAdministrator();
    // Starts this program again through the elevation prompt with `parameters`
    // in `folder` and waits for it; false (last error set) when it could not be started.
    virtual bool RunElevatedCopy(const std::wstring& parameters, const std::wstring& folder);
};

}  // namespace installer
