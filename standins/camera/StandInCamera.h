#pragma once
// A simulated document camera behind the device-control object, so the
// programs run and are tested without the hardware: live JPEG frames of a
// test card or a picture folder, a lens that zooms, focuses and opens its
// iris, an SD card in a host folder, plug and unplug, and fault injection
// through its control channel.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>

#include "CameraOptics.h"
#include "CameraSettings.h"
#include "ControlChannel.h"
#include "DeviceControl.h"
#include "DeviceProtocol.h"
#include "FrameMaker.h"
#include "LibraryThread.h"
#include "ResponseRegistry.h"
#include "SdCard.h"
#include "StandInCodes.h"

namespace standin {

class StandInCamera final : public device::IDeviceControl, private LibraryThreadOwner {
public:
    StandInCamera();
    ~StandInCamera();
    StandInCamera(const StandInCamera&) = delete;
    StandInCamera& operator=(const StandInCamera&) = delete;

    // Starts the library thread; the object is unusable when this fails.
    bool Start();

    void __stdcall SetNotifyWindow(HWND window) override;
    BOOL __stdcall IsConnect() override;
    BOOL __stdcall bOpen(HWND owner, DWORD* detail) override;
    BOOL __stdcall bClose(DWORD* detail) override;
    BOOL __stdcall bRequestPacketAsync(HWND target, void* packet, DWORD* value, DWORD* detail) override;
    BOOL __stdcall bRequestAsync(HWND target, const device::RequestHeader* request, DWORD* value,
                                 DWORD* detail) override;
    BOOL __stdcall bRequestPacket(void* packet, DWORD* detail) override;
    BOOL __stdcall bRequest(const device::RequestHeader* request, HGLOBAL* data, DWORD* size, DWORD* detail) override;

    // Settings file beside the DLL: "KorvoDocCameraIM.ini".
    static std::wstring SettingsPath();

private:
    // One request as the camera works on it, copied from the caller's records.
    struct Work {
        uint16_t code = 0;
        uint32_t parameter = 0;
        CardRequest card;
    };
    struct Answer {
        int32_t status = 0;
        HGLOBAL data = nullptr;  // owned until handed on
        uint32_t size = 0;
        bool carriesData = false;
    };

    void OnRecordReturned(device::ResponseRecord* record) override;
    void OnControlSignal() override;

    // Into the control block's request log, before anything can refuse it.
    void Log(const device::RequestHeader* request);
    static bool Refuse(DWORD* detail, DWORD code);
    bool Admit(bool valid, DWORD* detail);
    static bool IsRequestCommand(const Work& work);
    static bool ReadPacket(const device::CommandPacket* packet, Work& work);
    ULONGLONG DueTime(const Work& work);
    void WaitUntil(ULONGLONG dueMs);

    Answer Serve(const Work& work);
    Answer ServeFrame();
    Answer ServeLens(const Work& work);
    Answer ServeCard(const Work& work);

    BOOL Submit(HWND target, Work work, DWORD* value, DWORD* detail);
    void Complete(HWND target, uint16_t code, const Answer& answer);
    void Notify(WPARAM event);

    CameraSettings settings_;
    ControlChannel channel_;
    ControlBlock& block_;
    ResponseRegistry records_;
    SdCard card_;

    std::mutex frameLock_;  // frames are made on the caller's thread and on the library thread
    FrameMaker frames_;
    CameraOptics optics_;
    ULONGLONG nextFrameDue_ = 0;

    std::mutex lock_;
    HWND notifyWindow_ = nullptr;
    bool open_ = false;

    LibraryThread thread_;  // last: it stops before everything it uses goes
};

}  // namespace standin
