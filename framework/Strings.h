#pragma once
#include <windows.h>
#include <cstdarg>
#include <string>

namespace fw {

// A string-table entry of the program's own module; empty when absent.
std::wstring LoadResString(UINT id, HINSTANCE module = nullptr);

// printf-style wide formatting with the Windows C runtime's rules (%s takes a
// wide string), which is what every message format of the program assumes.
std::wstring FormatV(const wchar_t* format, va_list args);
std::wstring Format(const wchar_t* format, ...);

std::wstring ModuleFileName(HMODULE module = nullptr);
// The folder of a module's file, with its trailing backslash.
std::wstring ModuleFolder(HMODULE module = nullptr);

std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);

}  // namespace fw
