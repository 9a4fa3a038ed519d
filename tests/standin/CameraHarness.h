#pragma once
// A camera stand-in loaded by LoadLibrary from its own copy in a fresh
// folder (so its settings file and card folder belong to one test), with a
// message-only window that keeps its completions and notifications.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CameraControlClient.h"
#include "DeviceControl.h"
#include "DeviceProtocol.h"
#include "MessageCatcher.h"
#include "TestSupport.h"
#include "Wait.h"

namespace camera_test {

struct Completion {
    DWORD threadId;
    uint16_t code;
    int32_t status;
    uint32_t kind;
    std::string data;  // copy of the data block, which is freed and the record handed back
};

struct Decoded {
    int width = 0, height = 0;
    std::vector<uint8_t> bgr;  // rows of width * 3 bytes
};

class LoadedCamera {
public:
    // `settings` is the text of KorvoDocCameraIM.ini; the card is the default folder "SDCard" beside the DLL.
    explicit LoadedCamera(const std::string& settings = "");
    ~LoadedCamera();
    LoadedCamera(const LoadedCamera&) = delete;
    LoadedCamera& operator=(const LoadedCamera&) = delete;

    device::IDeviceControl* operator->() const { return camera_; }
    device::IDeviceControl* get() const { return camera_; }
    HWND window() const { return window_.hwnd(); }
    std::wstring cardFolder() const { return folder_ / L"SDCard"; }
    const std::wstring& folder() const { return folder_.path(); }
    standin::CameraControlClient& control() { return *control_; }

    // The next message of that kind at the window, or nothing within `ms`.
    std::optional<MSG> WaitForMessage(UINT message, DWORD ms = testing_support::kWaitLimitMs);
    // Waits for a completion, copies it and hands the record back as a receiver must.
    std::optional<Completion> WaitForCompletion(DWORD ms = testing_support::kWaitLimitMs);
    // True once no response record is outstanding (waits up to `ms`).
    bool AllRecordsBack(DWORD ms = testing_support::kWaitLimitMs);

    void Release();  // ReleaseInstance now

private:
    testing_support::TempFolder folder_;
    HMODULE library_ = nullptr;
    device::IDeviceControl* camera_ = nullptr;
    device::ReleaseInstanceFn release_ = nullptr;
    MessageCatcher window_;
    std::optional<standin::CameraControlClient> control_;
};

// Frees the data block and posts the record back to the library thread.
void HandBack(DWORD threadId, device::ResponseRecord* record);
std::string CopyBlock(HGLOBAL block, size_t size);
// Decodes a JPEG file with libjpeg; nothing when it does not decode.
std::optional<Decoded> DecodeJpeg(const std::string& file);
// The frame of a synchronous GetJpegImage, decoded.
std::optional<Decoded> StillFrame(device::IDeviceControl* camera);

}  // namespace camera_test
