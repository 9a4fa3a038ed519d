#pragma once
// The data source's hold on the camera: the device-control library and its
// object, the mutex that keeps the image application away while the source
// has the camera, and the hidden window that receives the camera's notices.
#include <windows.h>

#include "DeviceControl.h"
#include "Handles.h"
#include "Window.h"

class CDeviceLink {
public:
    enum Result {
        kLinked,
        kLibraryMissing,  // message 2064
        kNoInstance,
        kAlreadyLaunched,  // message 2068
        kUsedByOther,      // message 2065
        kMutexFailed,      // message 2062
        kNotConnected,
        kOpenFailed,
    };
    static constexpr const wchar_t* kLibraryName = L"KorvoDocCameraIM.dll";
    static constexpr const wchar_t* kWindowClass = L"Pictavo DS Window";

    explicit CDeviceLink(HINSTANCE module) : module_(module), window_(*this) {}
    ~CDeviceLink() { Release(); }
    CDeviceLink(const CDeviceLink&) = delete;
    CDeviceLink& operator=(const CDeviceLink&) = delete;

    Result Load();
    Result Connect();
    // Closes the camera, ends the object, frees the library and the mutex.
    void Release();

    device::IDeviceControl* device() const { return device_; }
    // The camera is attached (CAP_DEVICEONLINE).
    bool Online() const { return device_ && device_->IsConnect(); }
    HWND window() const { return window_.hwnd(); }
    // Camera arrival and removal reach `target` as WM_COMMAND 2068 and 2063.
    void SetNotifyTarget(HWND target) { target_ = target; }

    // A JPEG picture of the camera in `block`: up to three requests, 100 ms
    // apart, while the camera is attached. Requests never overlap.
    bool RequestJpeg(fw::GlobalMemory& block, DWORD& size);
    // Opens the camera again after it came back.
    bool Reopen();
    // Held around every request, so the dialog's camera keys and the preview never overlap.
    fw::CriticalSection& requestLock() { return requestLock_; }

private:
    class HiddenWindow : public fw::Window {
    public:
        explicit HiddenWindow(CDeviceLink& link) : link_(link) {}
        bool Create(HINSTANCE module);

    protected:
        LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        CDeviceLink& link_;
    };

    HINSTANCE module_;
    fw::Module library_;
    device::IDeviceControl* device_ = nullptr;
    fw::Handle mutex_;
    HiddenWindow window_;
    HWND target_ = nullptr;
    bool open_ = false;
    fw::CriticalSection requestLock_;
};
