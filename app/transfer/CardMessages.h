#pragma once
// Message boxes of the card windows: the application title as caption and
// the window the user is looking at as owner, counted like every box.
#include <windows.h>

#include <cstdint>
#include <string>

int ShowCardMessage(HWND owner, UINT stringId, UINT type);
int ShowCardMessage(HWND owner, const std::wstring& text, UINT type);
// 167 when the card answered "no card", else 174.
void ShowCardAccessMessage(HWND owner, int32_t status, UINT noCardIcon, UINT otherIcon);
