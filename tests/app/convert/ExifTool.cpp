#include "ExifTool.h"

#include <windows.h>

#include <sstream>

#include "TestSupport.h"
#include "Wait.h"

namespace convert_fixtures {

namespace {

std::string UnixPath(const std::wstring& path) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = toUnix ? toUnix(path.c_str()) : nullptr;
    std::string result = unix ? unix : "";
    if (unix) ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}

// Wine starts a Linux program without handing back its output or its end:
// the shell writes to files and renames the report last.
bool RunShell(const std::string& script) {
    std::wstring command = L"/bin/sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

std::map<std::string, std::string> ParseTags(const std::string& text) {
    std::map<std::string, std::string> tags;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const size_t colon = line.find(": ");
        if (colon != std::string::npos) tags[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return tags;
}

}  // namespace

ExifToolReport ReadWithExifTool(const std::wstring& file) {
    ExifToolReport report;
    const std::string source = UnixPath(file), out = UnixPath(file + L".tags"), thumb = UnixPath(file + L".thumb");
    if (source.empty()) return report;
    const std::string script =
        "exiftool -S -n -ExifVersion -ExifImageWidth -ExifImageHeight -DateTimeOriginal -CreateDate "
        "-ThumbnailLength -InteropIndex -ColorSpace -Compression -Warning -Error '" + source + "' > '" + out +
        ".part' 2>&1; exiftool -b -ThumbnailImage '" + source + "' > '" + thumb + "'; mv '" + out + ".part' '" +
        out + "'";
    if (!RunShell(script)) return report;
    const std::wstring done = file + L".tags";
    if (!testing_support::WaitUntil([&] { return testing_support::FileExists(done); })) return report;
    report.ran = true;
    report.tags = ParseTags(testing_support::ReadFileBytes(done));
    report.thumbnail = testing_support::ReadFileBytes(file + L".thumb");
    ::DeleteFileW(done.c_str());
    ::DeleteFileW((file + L".thumb").c_str());
    return report;
}

}  // namespace convert_fixtures
