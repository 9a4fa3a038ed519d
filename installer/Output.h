#pragma once
// Where the installer's progress lines go: standard output for a setup
// program reading a pipe, or a recorder in tests.
#include <windows.h>

#include <string>

namespace installer {

class Output {
public:
    virtual ~Output() = default;
    virtual void Write(const std::wstring& text) = 0;

    // The system's text for `error`, as "ERROR: %s\r\n".
    void SystemError(DWORD error);
    void LastError() { SystemError(GetLastError()); }
};

// UTF-16 to the standard output handle the parent gave us; a program without
// one (started from Explorer) writes nowhere and still does its work.
class StdOutput : public Output {
public:
    void Write(const std::wstring& text) override;
};

}  // namespace installer
