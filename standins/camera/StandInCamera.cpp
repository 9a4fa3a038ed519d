#include "StandInCamera.h"

#include "Strings.h"

namespace standin {

namespace {
HMODULE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}
}  // namespace

StandInCamera::StandInCamera() = default;

std::wstring StandInCamera::SettingsPath() { return fw::ModuleFolder(ThisModule()) + L"KorvoDocCameraIM.ini"; }

bool StandInCamera::Connected() const {
    return ::GetPrivateProfileIntW(L"Camera", L"Connected", 1, SettingsPath().c_str()) != 0;
}

void __stdcall StandInCamera::SetNotifyWindow(HWND window) {
    std::lock_guard<std::mutex> guard(lock_);
    notifyWindow_ = window;
}

BOOL __stdcall StandInCamera::IsConnect() { return Connected() ? TRUE : FALSE; }

BOOL __stdcall StandInCamera::bOpen(HWND, DWORD* detail) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!Connected()) {
        if (detail) *detail = device::kErrorNotAvailable;
        return FALSE;
    }
    if (open_) {
        if (detail) *detail = device::kErrorAlreadyOpen;
        return FALSE;
    }
    open_ = true;
    if (detail) *detail = 0;
    return TRUE;
}

BOOL __stdcall StandInCamera::bClose(DWORD* detail) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!open_) {
        if (detail) *detail = kErrorNotOpen;
        return FALSE;
    }
    open_ = false;
    if (detail) *detail = 0;
    return TRUE;
}

bool StandInCamera::NotSupported(DWORD* detail) {
    if (detail) *detail = kErrorNotSupported;
    return false;
}

BOOL __stdcall StandInCamera::bRequestPacketAsync(HWND, void*, DWORD*, DWORD* detail) { return NotSupported(detail); }
BOOL __stdcall StandInCamera::bRequestAsync(HWND, const device::RequestHeader*, DWORD*, DWORD* detail) {
    return NotSupported(detail);
}
BOOL __stdcall StandInCamera::bRequestPacket(void*, DWORD* detail) { return NotSupported(detail); }
BOOL __stdcall StandInCamera::bRequest(const device::RequestHeader*, HGLOBAL*, DWORD*, DWORD* detail) {
    return NotSupported(detail);
}

}  // namespace standin
