#include "StartChecks.h"

#include <windows.h>

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

// Resolved against this process's current folder; as given when it cannot be.
std::wstring FullPath(const std::wstring& path) {
    DWORD size = path.empty() ? 0 : ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    DWORD length = ::GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

std::wstring CurrentFolder() {
    DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::wstring folder(size, L'\0');
    DWORD length = ::GetCurrentDirectoryW(size, &folder[0]);
    folder.resize(length < size ? length : 0);
    return folder;
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

std::vector<std::wstring> ArgumentsForElevatedCopy(std::vector<std::wstring> arguments) {
    constexpr size_t kPackageFolder = 1;  // after the option
    if (arguments.size() > kPackageFolder) arguments[kPackageFolder] = FullPath(arguments[kPackageFolder]);
    return arguments;
}

bool RunStartChecks(SystemProbe& system, Output& out, const std::vector<std::wstring>& arguments) {
    if (CheckSystem(system, out) == Elevation::NotNeeded) return true;
    // A refused elevation prompt would otherwise end the run without a word.
    if (!system.RunElevatedCopy(JoinArguments(ArgumentsForElevatedCopy(arguments)), CurrentFolder())) out.LastError();
    return false;
}

}  // namespace installer
