#pragma once
// Loading the system's own libraries (the camera library, the codec
// libraries) from named folders only, so that a planted copy in a host's
// folder, the current folder or PATH never runs in the process.
#include <windows.h>

#include <initializer_list>
#include <string>

namespace device {

// The folder holding `module` (null: the program), without a trailing slash; empty when unknown.
std::wstring ModuleFolder(HMODULE module);
// The system folder; empty when unknown.
std::wstring SystemFolder();

// `name` from the first of `folders` (empty ones skipped) that holds it; its
// own imports resolve from that folder and the system folder. Null when none does.
HMODULE LoadLibraryFrom(std::initializer_list<std::wstring> folders, const wchar_t* name);

}  // namespace device
