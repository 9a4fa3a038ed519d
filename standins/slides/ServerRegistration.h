#pragma once
// The registry entries that let clients create this server by its ProgID:
// the ProgID, the class and its local server, under one classes root.
#include <windows.h>

#include <string>

namespace slides {

// hive: HKEY_CURRENT_USER (this user only) or HKEY_LOCAL_MACHINE (all users);
// the entries go under its Software\Classes.
bool RegisterServer(HKEY hive, const std::wstring& serverPath);
// Leaves the ProgID alone when it names another class (a real server's).
bool UnregisterServer(HKEY hive);

}  // namespace slides
