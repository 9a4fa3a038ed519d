#pragma once
// The trace log: one line per failure in "logs\PictavoPreTrc.log" beside the
// installation, rotated to "PictavoPreTrc1.log" at a size set in Pictavo.ini.
#include <windows.h>

#include <string>

constexpr BYTE kTraceApp = 1;  // the application's log, the only kind it writes

struct TraceLogPaths {
    std::wstring current;
    std::wstring backup;
    std::wstring settings;
    DWORD limit = 0;
};

void WriteTraceLog(BYTE kind, const wchar_t* source, const wchar_t* format, ...);
void WriteTraceLogV(BYTE kind, const wchar_t* source, const wchar_t* format, va_list args);
void WriteTraceLogNoMemory(BYTE kind, const wchar_t* source, const wchar_t* what);
// "The error occurred with the [step] function."
void WriteTraceLogStep(BYTE kind, const wchar_t* source, const wchar_t* step);
// "The error occurred with the [step] function. GetLastError=[0x...]" with the
// calling thread's last error.
void WriteTraceLogLastError(BYTE kind, const wchar_t* source, const wchar_t* step);

bool GetTraceLogPaths(BYTE kind, TraceLogPaths& paths);
// n from 1 to 10 gives n x 1,024,000 bytes; anything else 1,024,000.
DWORD TraceLogLimitFromSetting(int n);
HANDLE OpenTraceLogForAppend(const std::wstring& current, const std::wstring& backup, DWORD limit, DWORD bytes);

// The parts of one entry, before conversion to the ANSI code page.
std::wstring FormatTraceHeader(const SYSTEMTIME& time, const wchar_t* source);
// False when the format cannot be expanded; longer output is cut at 1,024 characters.
bool FormatTraceMessage(const wchar_t* format, va_list args, std::wstring& message);
