#include "StartChecks.h"

namespace installer {

namespace {

bool NeedsQuotes(const std::wstring& argument) {
    return argument.empty() || argument.find_first_of(L" \t\n\v\"") != std::wstring::npos;
}

// The inverse of CommandLineToArgvW: backslashes are doubled only where they
// precede a quote, so a folder ending in a backslash keeps it.
std::wstring Quote(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

enum class Elevation { NotNeeded, Needed };

Elevation CheckSystem(SystemProbe& system, Output& out) {
    OsVersion version;
    if (!system.ReadVersion(version)) {
        out.Write(L"Can't get Version of OS\r\n");
        return Elevation::NotNeeded;
    }
    if (version.platform != VER_PLATFORM_WIN32_NT || version.major != 6 || version.minor != 0) {
        out.Write(L"Not Windows Vista\r\n");
        return Elevation::NotNeeded;
    }
    out.Write(L"Windows Vista\r\n");
    WORD architecture = 0;
    if (!system.NativeArchitecture(architecture)) {
        out.Write(L"Unable to get the architecture of the target machine");
        return Elevation::NotNeeded;
    }
    if (architecture != PROCESSOR_ARCHITECTURE_AMD64) {
        out.Write(L"Not a 64 bit architecture\r\n");
        return Elevation::NotNeeded;
    }
    return system.IsAdministrator() ? Elevation::NotNeeded : Elevation::Needed;
}

}  // namespace

std::wstring JoinArguments(const std::vector<std::wstring>& arguments) {
    std::wstring joined;
    for (const std::wstring& argument : arguments) joined += (NeedsQuotes(argument) ? Quote(argument) : argument) + L" ";
    return joined;
}

bool RunStartChecks(SystemProbe& system, Output& out, const std::vector<std::wstring>& arguments) {
    if (CheckSystem(system, out) == Elevation::NotNeeded) return true;
    // A refused elevation prompt would otherwise end the run without a word.
    if (!system.RunElevatedCopy(JoinArguments(arguments))) out.LastError();
    return false;
}

}  // namespace installer
