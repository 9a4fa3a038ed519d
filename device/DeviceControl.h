#pragma once
// The device-control object that "KorvoDocCameraIM.dll" creates. The callers
// reach its operations by their position in the virtual table, so the order
// of the declarations below is the contract; positions 0 and 5 to 10 exist
// but the system never calls them.
#include <windows.h>

#include <cstdint>

namespace device {

constexpr UINT WM_DEVICE_REQUEST_COMPLETE = 0x590;
constexpr UINT WM_DEVICE_NOTIFY = 0x7E8;
constexpr UINT WM_DEVICE_RESPONSE_RELEASE = 0xBD0;

constexpr WPARAM kNotifyArrival = 1;
constexpr WPARAM kNotifyRemoval = 2;

constexpr DWORD kErrorAlreadyOpen = 0x81010002;
constexpr DWORD kErrorNotAvailable = 0x81010003;
constexpr DWORD kErrorNotAvailable2 = 0x81010006;

constexpr uint16_t kGetJpegImage = 0x808E;

// Remote-control commands; the movement parameter travels at offset 4.
constexpr uint16_t kCameraZoom = 0xE0;       // 1 tele, 2 wide, 0 stop
constexpr uint16_t kCameraAutoFocus = 0xE1;  // 0
constexpr uint16_t kCameraIris = 0xE2;       // 2 open, 3 close, 4 stop, 5 normal
constexpr uint16_t kCameraFocus = 0xEA;      // 1 near, 2 far, 0 stop

#pragma pack(push, 1)
struct RequestHeader {
    uint16_t command;
    uint16_t reserved1;
    uint32_t parameter;
    uint8_t reserved2[16];
};
#pragma pack(pop)
static_assert(sizeof(RequestHeader) == 24, "the request header is 24 bytes on the wire");

inline RequestHeader MakeRequest(uint16_t command, uint32_t parameter = 0) {
    RequestHeader h{};
    h.command = command;
    h.parameter = parameter;
    return h;
}

class IDeviceControl {
public:
    // The reserved slots keep the later operations at their positions; no caller uses them.
    virtual BOOL __stdcall Reserved0() { return FALSE; }                                                       // 0
    virtual void __stdcall SetNotifyWindow(HWND window) = 0;                                      // 1
    virtual BOOL __stdcall IsConnect() = 0;                                                       // 2
    virtual BOOL __stdcall bOpen(HWND owner, DWORD* detail) = 0;                                  // 3
    virtual BOOL __stdcall bClose(DWORD* detail) = 0;                                             // 4
    virtual BOOL __stdcall Reserved5() { return FALSE; }                                                       // 5
    virtual BOOL __stdcall Reserved6() { return FALSE; }                                                       // 6
    virtual BOOL __stdcall Reserved7() { return FALSE; }                                                       // 7
    virtual BOOL __stdcall Reserved8() { return FALSE; }                                                       // 8
    virtual BOOL __stdcall Reserved9() { return FALSE; }                                                       // 9
    virtual BOOL __stdcall Reserved10() { return FALSE; }                                                      // 10
    virtual BOOL __stdcall bRequestPacketAsync(HWND target, void* packet, DWORD* value, DWORD* detail) = 0;  // 11
    virtual BOOL __stdcall bRequestAsync(HWND target, const RequestHeader* request, DWORD* value,
                                         DWORD* detail) = 0;                                      // 12
    virtual BOOL __stdcall bRequestPacket(void* packet, DWORD* detail) = 0;                       // 13
    virtual BOOL __stdcall bRequest(const RequestHeader* request, HGLOBAL* data, DWORD* size,
                                    DWORD* detail) = 0;                                           // 14

protected:
    ~IDeviceControl() = default;  // ended through ReleaseInstance, never deleted by callers
};

using CreateInstanceFn = BOOL(__stdcall*)(IDeviceControl** object);
using ReleaseInstanceFn = void(__stdcall*)(IDeviceControl** object);

}  // namespace device
