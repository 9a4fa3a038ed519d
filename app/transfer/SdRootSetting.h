#pragma once
// Where the card's camera folders are looked for when the card does not name
// its DCIM folder: [VIEWER] ROOTPATH of the settings file beside the program
// (the program's path ending in "ini" instead of "exe"), "C:\DCIM" by default.
#include <string>

std::wstring SettingsFilePath();
std::wstring ReadSdRootPath(const std::wstring& settingsFile = SettingsFilePath());
