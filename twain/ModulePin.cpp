#include "ModulePin.h"

#include <mutex>

#include "Handles.h"

namespace {

const char kAnchor = 0;  // an address inside this library

fw::CriticalSection& EntryLock() {
    static fw::CriticalSection lock;
    return lock;
}

DWORD WINAPI DropReference(void* module) {
    // Taken only when no call is inside DS_Entry any more.
    { std::lock_guard<fw::CriticalSection> guard(EntryLock()); }
    ::FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

}  // namespace

void CModulePin::Hold() {
    if (module_) return;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&kAnchor), &module_))
        module_ = nullptr;
}

void CModulePin::Release() {
    if (!module_) return;
    HANDLE thread = ::CreateThread(nullptr, 0, DropReference, module_, 0, nullptr);
    // Without a thread the reference stays: a library kept is better than one pulled away.
    if (!thread) return;
    ::CloseHandle(thread);
    module_ = nullptr;
}

CEntryCall::CEntryCall() { EntryLock().lock(); }

CEntryCall::~CEntryCall() { EntryLock().unlock(); }
