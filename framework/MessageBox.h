#pragma once
// The one door every message box of the program goes through, so that tests
// can record (text, caption, type) instead of blocking on a real box.
#include <windows.h>
#include <functional>
#include <string>

namespace fw {

using MessageBoxHandler =
    std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)>;

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

// Replaces the handler; an empty handler restores the system's message box.
// Returns the previous handler.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace fw
