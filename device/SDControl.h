#pragma once
// The SD memory card inside the camera: one method per card command, the
// last received file and listing kept until the next call or Clear.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "DeviceControl.h"
#include "DeviceProtocol.h"

class CDeviceCommand;

// The received copy: a global block holding this record.
struct SdReceivedFile {
    HGLOBAL data;   // zero-filled global block with the file's bytes
    DWORD size;
};

class CSDControl {
public:
    static constexpr int32_t kFailed = static_cast<int32_t>(0x80000000);

    explicit CSDControl(device::IDeviceControl* device) : device_(device) {}
    ~CSDControl() { Clear(); }
    CSDControl(const CSDControl&) = delete;
    CSDControl& operator=(const CSDControl&) = delete;

    bool SD_GetStatus();
    const std::vector<device::ListingEntry>* SD_GetFolderList();
    // The received copy (an SdReceivedFile block), or null.
    HGLOBAL SD_GetJpegFile(const std::wstring& path);
    // The result arrives as WM_DEVICE_REQUEST_COMPLETE at `target`.
    bool SD_GetJpegFile(HWND target, const std::wstring& path);
    const std::vector<device::ListingEntry>* SD_GetFileList(const std::wstring& folder);
    HGLOBAL SD_GetPlayList();
    // The card's status (0: the file is on the card); kFailed for an empty
    // name or one over 32 bytes, which is never sent.
    int32_t SD_SetJpegFile(const std::wstring& path, const void* data, uint32_t size);
    bool SD_DeleteFolder(const std::wstring& folder);
    bool SD_CreateFolder(const std::wstring& parentAndName);
    bool SD_SetPlayList(const void* data, uint32_t size);
    bool SD_EndWrite();

    // The card's "C:\DCIM" folder as listed by the card, into `out` (unchanged without one).
    void FindDcimFolder(std::wstring& out);
    void Clear();

    int32_t status() const { return status_; }
    DWORD outValue() const { return outValue_; }
    HGLOBAL receivedCopy() const { return received_; }
    const std::vector<device::ListingEntry>* entryList() const { return hasList_ ? &entries_ : nullptr; }

private:
    // Runs one command synchronously; false when it could not be carried out,
    // or when the name does not fit the packet's 32 bytes (then without a call).
    bool Execute(uint16_t code, const std::wstring* name, const void* data = nullptr, uint32_t size = 0);
    bool Fail();
    bool Receive(CDeviceCommand& command);
    bool KeepFileCopy(const void* data, uint32_t size);

    device::IDeviceControl* device_;
    DWORD outValue_ = 0;
    int32_t status_ = 0;
    HGLOBAL received_ = nullptr;
    std::vector<device::ListingEntry> entries_;
    bool hasList_ = false;
    HWND target_ = nullptr;
};
