#pragma once
// Runs the real KorvoDocumentCamera.exe from a fresh installation folder and
// finds its windows from outside, as a user would see them.
#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "Wait.h"

namespace testing_support {

class Installation {
public:
    // Copies the program (and, when asked, the camera library) into a new
    // folder with a "logs" folder, and registers it as the installation.
    explicit Installation(bool withCameraLibrary = true);
    const std::wstring& folder() const { return temp_.path(); }
    std::string TraceLog() const;

private:
    TempFolder temp_;
    RegistryValue installPath_ = InstallPathValue();
};

class AppProcess {
public:
    // Started in `currentFolder`, or in the installation folder when empty.
    explicit AppProcess(const Installation& installation, const std::wstring& currentFolder = {});
    ~AppProcess();  // ends the process if it still runs
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    // The top-level window of the process with that class, waiting up to `ms`
    // while this thread's messages are pumped; null once the process ended.
    HWND WaitForWindow(const wchar_t* className, DWORD ms = kProcessWaitLimitMs) const;
    bool WaitForExit(DWORD ms = kProcessWaitLimitMs) const;
    bool Running() const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

HWND MainWindowClassWindow(const AppProcess& app);
std::wstring WindowText(HWND hwnd);
// The texts of a message box's static controls, joined by newlines.
std::wstring MessageBoxText(HWND box);
// Presses a message box's button with that id.
void PressButton(HWND box, int id);

}  // namespace testing_support
