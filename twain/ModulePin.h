#pragma once
// Keeps the data source's own library loaded from OPENDS until CLOSEDS has
// returned: a source manager may free it while the preview thread, the window
// procedures and the camera library's notices still point into it.
#include <windows.h>

class CModulePin {
public:
    // Takes a reference of the library this code is in; once only.
    void Hold();
    // Drops it from a thread of its own once the call that asks has left
    // DS_Entry, so the library is never unmapped under a returning call.
    void Release();

private:
    HMODULE module_ = nullptr;
};

// Marks a call inside DS_Entry for as long as it lasts.
class CEntryCall {
public:
    CEntryCall();
    ~CEntryCall();
    CEntryCall(const CEntryCall&) = delete;
    CEntryCall& operator=(const CEntryCall&) = delete;
};
