#pragma once
// Counts the message boxes that are open, so the main frame can put off its
// device-lost check until the user has dismissed the last one.
#include <windows.h>

#include <string>
#include "base/AppMessages.h"


class CControlDialog {
public:
    // Stored only when the handle is a live window or null.
    void SetOwner(HWND owner);
    HWND owner() const { return owner_; }

    LONG Increment();
    // Posts WM_MSGBOX_CLOSED to the owner when the count reaches 0.
    LONG Decrement();
    LONG GetCount() const;

    // The framework's message box (application caption) with a text or a string-table id.
    int ShowMessageBox(const std::wstring& text, UINT type = MB_OK, UINT helpId = 0);
    int ShowMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
    // The plain system message box with its own owner and caption.
    int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

private:
    volatile LONG count_ = 0;
    HWND owner_ = nullptr;
};

// A message box of the application: counted by the application's
// CControlDialog while it is open, plain when there is none (tests).
int ShowAppMessage(UINT stringId, UINT type);
int ShowAppMessage(const std::wstring& text, UINT type);
