#include "base/TraceLog.h"

#include <cwchar>
#include <mutex>
#include <vector>

#include "Handles.h"
#include "Strings.h"
#include "base/Utilities.h"

namespace {

constexpr size_t kMaxMessage = 1024;
constexpr size_t kSourceWidth = 32;
constexpr DWORD kLimitUnit = 1024000;

// Entries from different threads would otherwise collide on the file's
// read-only sharing and be dropped exactly when failures cluster.
std::mutex& WriterLock() {
    static std::mutex m;
    return m;
}

std::wstring BaseFolder() {
    std::wstring base = GetInstallPath();
    if (base.empty()) base = fw::ModuleFolder(nullptr);
    if (base.empty()) return base;
    AddBackslash(base);
    return base;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

HANDLE OpenLog(const std::wstring& path, DWORD disposition) {
    return ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
}

}  // namespace

DWORD TraceLogLimitFromSetting(int n) {
    return (n >= 1 && n <= 10) ? static_cast<DWORD>(n) * kLimitUnit : kLimitUnit;
}

bool GetTraceLogPaths(BYTE kind, TraceLogPaths& paths) {
    if (kind != kTraceApp) return false;
    std::wstring base = BaseFolder();
    if (base.empty()) return false;
    paths.current = base + L"logs\\" + L"PictavoPreTrc" + L".log";
    paths.backup = base + L"logs\\" + L"PictavoPreTrc1" + L".log";
    paths.settings = base + L"Pictavo.ini";
    if (paths.backup.size() >= MAX_PATH) return false;
    int n = static_cast<int>(::GetPrivateProfileIntW(L"Config", L"TRACESIZE", 1, paths.settings.c_str()));
    paths.limit = TraceLogLimitFromSetting(n);
    return true;
}

HANDLE OpenTraceLogForAppend(const std::wstring& current, const std::wstring& backup, DWORD limit, DWORD bytes) {
    fw::FileHandle file(OpenLog(current, OPEN_ALWAYS));
    if (!file) return nullptr;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.get(), &size)) return nullptr;
    if (size.HighPart != 0 || size.LowPart + static_cast<unsigned long long>(bytes) > limit) {
        file.reset();
        // A held backup must not cost the entries still in the current log:
        // without the rename the log keeps growing until the next try.
        bool moved = ::MoveFileExW(current.c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
        file.reset(OpenLog(current, moved ? CREATE_ALWAYS : OPEN_ALWAYS));
        if (!file) return nullptr;
    }
    LARGE_INTEGER zero{};
    if (!::SetFilePointerEx(file.get(), zero, nullptr, FILE_END)) return nullptr;
    return file.release();
}

std::wstring FormatTraceHeader(const SYSTEMTIME& t, const wchar_t* source) {
    std::wstring stamp = fw::Format(L"%04d/%02d/%02d %02d:%02d:%02d.%03d", t.wYear, t.wMonth, t.wDay, t.wHour,
                                    t.wMinute, t.wSecond, t.wMilliseconds);
    std::wstring field(kSourceWidth, L' ');
    size_t n = std::wcslen(source);
    field.replace(0, n < kSourceWidth ? n : kSourceWidth, source, n < kSourceWidth ? n : kSourceWidth);
    return fw::Format(L"[%s] [%s] ", stamp.c_str(), field.c_str());
}

bool FormatTraceMessage(const wchar_t* format, va_list args, std::wstring& message) {
    std::vector<wchar_t> buffer(kMaxMessage + 3, L'\0');
    va_list copy;
    va_copy(copy, args);
    int n = _vsnwprintf(buffer.data(), kMaxMessage, format, copy);
    va_end(copy);
    // A negative result with a full buffer is truncation, which still writes;
    // with room left it is a broken format.
    if (n < 0 && buffer[kMaxMessage - 1] == L'\0') return false;
    message.assign(buffer.data());
    return true;
}

void WriteTraceLogV(BYTE kind, const wchar_t* source, const wchar_t* format, va_list args) {
    TraceLogPaths paths;
    if (!GetTraceLogPaths(kind, paths)) return;
    if (!source || !format) return;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    std::wstring message;
    if (!FormatTraceMessage(format, args, message)) return;
    message += L"\r\n";
    std::string header = fw::ToAnsi(FormatTraceHeader(now, source));
    std::string body = fw::ToAnsi(message);

    std::lock_guard<std::mutex> guard(WriterLock());
    fw::FileHandle file(OpenTraceLogForAppend(paths.current, paths.backup, paths.limit,
                                              static_cast<DWORD>(header.size() + body.size())));
    if (!file) return;
    if (WriteAll(file.get(), header)) WriteAll(file.get(), body);
}

void WriteTraceLog(BYTE kind, const wchar_t* source, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    WriteTraceLogV(kind, source, format, args);
    va_end(args);
}

void WriteTraceLogNoMemory(BYTE kind, const wchar_t* source, const wchar_t* what) {
    WriteTraceLog(kind, source, L"Memory is insufficient. %s", what);
}

void WriteTraceLogLastError(BYTE kind, const wchar_t* source, const wchar_t* step) {
    DWORD error = ::GetLastError();
    WriteTraceLog(kind, source, L"The error occurred with the [%s] function. GetLastError=[0x%08X]", step, error);
}

void WriteTraceLogStep(BYTE kind, const wchar_t* source, const wchar_t* step) {
    WriteTraceLog(kind, source, L"The error occurred with the [%s] function.", step);
}
