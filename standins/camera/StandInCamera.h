#pragma once
// A simulated document camera behind the device-control object, so the
// programs run and are tested without the hardware.
#include <windows.h>

#include <mutex>
#include <string>

#include "DeviceControl.h"

namespace standin {

class StandInCamera final : public device::IDeviceControl {
public:
    StandInCamera();

    BOOL __stdcall Reserved0() override { return FALSE; }
    void __stdcall SetNotifyWindow(HWND window) override;
    BOOL __stdcall IsConnect() override;
    BOOL __stdcall bOpen(HWND owner, DWORD* detail) override;
    BOOL __stdcall bClose(DWORD* detail) override;
    BOOL __stdcall Reserved5() override { return FALSE; }
    BOOL __stdcall Reserved6() override { return FALSE; }
    BOOL __stdcall Reserved7() override { return FALSE; }
    BOOL __stdcall Reserved8() override { return FALSE; }
    BOOL __stdcall Reserved9() override { return FALSE; }
    BOOL __stdcall Reserved10() override { return FALSE; }
    BOOL __stdcall bRequestPacketAsync(HWND target, void* packet, DWORD* value, DWORD* detail) override;
    BOOL __stdcall bRequestAsync(HWND target, const device::RequestHeader* request, DWORD* value,
                                 DWORD* detail) override;
    BOOL __stdcall bRequestPacket(void* packet, DWORD* detail) override;
    BOOL __stdcall bRequest(const device::RequestHeader* request, HGLOBAL* data, DWORD* size, DWORD* detail) override;

    // Settings file beside the DLL: "KorvoDocCameraIM.ini".
    static std::wstring SettingsPath();

private:
    bool Connected() const;
    bool NotSupported(DWORD* detail);

    std::mutex lock_;
    HWND notifyWindow_ = nullptr;
    bool open_ = false;
};

// Detailed errors of the stand-in beyond the ones callers react to.
constexpr DWORD kErrorNotOpen = 0x81010004;
constexpr DWORD kErrorNotSupported = 0x81010005;

}  // namespace standin
