#include "SDControl.h"

#include <cstring>

#include "DeviceCommand.h"

namespace {
const std::wstring kPlayListPath = L"C:\\PLAYLIST.TXT";
const std::wstring kNoName;
constexpr int kMaxNameBytes = static_cast<int>(device::kPacketNameSize) - 4;

// A cut name could name another file or folder (a listed path's own prefix),
// so one that does not fit the packet whole is never sent.
bool FitsPacket(const std::wstring& name) {
    if (name.empty()) return true;
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0, nullptr,
                                      nullptr);
    return bytes > 0 && bytes <= kMaxNameBytes;
}
}  // namespace

void CSDControl::Clear() {
    if (received_) {
        auto* copy = static_cast<SdReceivedFile*>(::GlobalLock(received_));
        if (copy) {
            if (copy->data) ::GlobalFree(copy->data);
            ::GlobalUnlock(received_);
        }
        ::GlobalFree(received_);
        received_ = nullptr;
    }
    entries_.clear();
    hasList_ = false;
}

bool CSDControl::KeepFileCopy(const void* data, uint32_t size) {
    HGLOBAL record = ::GlobalAlloc(GHND, sizeof(SdReceivedFile));
    HGLOBAL bytes = ::GlobalAlloc(GHND, size);
    void* target = bytes ? ::GlobalLock(bytes) : nullptr;
    auto* copy = record ? static_cast<SdReceivedFile*>(::GlobalLock(record)) : nullptr;
    if (!target || !copy) {
        if (target) ::GlobalUnlock(bytes);
        if (bytes) ::GlobalFree(bytes);
        if (copy) ::GlobalUnlock(record);
        if (record) ::GlobalFree(record);
        return false;
    }
    std::memcpy(target, data, size);
    ::GlobalUnlock(bytes);
    copy->data = bytes;
    copy->size = size;
    ::GlobalUnlock(record);
    received_ = record;
    return true;
}

bool CSDControl::Receive(CDeviceCommand& command) {
    if (!command.ParseResponse()) return Fail();
    device::CommandPacket* packet = command.packet();
    status_ = packet->status;
    uint16_t code = command.code();
    if (code == device::kSdGetFolderList || code == device::kSdGetFileList) {
        entries_ = command.entries();
        hasList_ = status_ == 0;
    } else if ((code == device::kSdGetJpegFile || code == device::kSdGetPlayList) && status_ == 0) {
        if (!packet->received || !KeepFileCopy(command.ResponseData(), packet->receivedSize)) return Fail();
    }
    return true;
}

bool CSDControl::Fail() {
    status_ = kFailed;
    return false;
}

bool CSDControl::Execute(uint16_t code, const std::wstring* name, const void* data, uint32_t size) {
    Clear();
    outValue_ = 0;
    if (name && !FitsPacket(*name)) return Fail();
    CDeviceCommand command;
    command.SetCommand(code);
    if (name) command.SetName(*name);
    if (data) command.SetSendData(data, size);
    if (!device_ || !device_->bRequestPacket(command.packet(), &outValue_)) return Fail();
    bool ok = Receive(command);
    command.ReleaseResponse();
    return ok;
}

bool CSDControl::SD_GetStatus() { return Execute(device::kSdGetStatus, nullptr) && status_ == 0; }

const std::vector<device::ListingEntry>* CSDControl::SD_GetFolderList() {
    Execute(device::kSdGetFolderList, &kNoName);
    return entryList();
}

HGLOBAL CSDControl::SD_GetJpegFile(const std::wstring& path) {
    Execute(device::kSdGetJpegFile, &path);
    return received_;
}

bool CSDControl::SD_GetJpegFile(HWND target, const std::wstring& path) {
    Clear();
    outValue_ = 0;
    target_ = target;
    if (!device_ || !FitsPacket(path)) return Fail();
    CDeviceCommand command;
    command.SetCommand(device::kSdGetJpegFile);
    command.SetName(path);
    // The library copies what it needs before it returns.
    DWORD detail = 0;
    if (!device_->bRequestPacketAsync(target, command.packet(), &outValue_, &detail)) return Fail();
    status_ = 0;
    return true;
}

const std::vector<device::ListingEntry>* CSDControl::SD_GetFileList(const std::wstring& folder) {
    Execute(device::kSdGetFileList, &folder);
    return entryList();
}

HGLOBAL CSDControl::SD_GetPlayList() {
    Execute(device::kSdGetPlayList, &kPlayListPath);
    return received_;
}

int32_t CSDControl::SD_SetJpegFile(const std::wstring& path, const void* data, uint32_t size) {
    // A refused name is a failure: 0 would tell the caller the file is on the card.
    if (path.empty()) {
        Clear();
        outValue_ = 0;
        Fail();
    } else {
        Execute(device::kSdSetJpegFile, &path, data, size);
    }
    return status_;
}

bool CSDControl::SD_DeleteFolder(const std::wstring& folder) {
    return Execute(device::kSdDeleteFolder, &folder) && status_ == 0;
}

bool CSDControl::SD_CreateFolder(const std::wstring& parentAndName) {
    return Execute(device::kSdCreateFolder, &parentAndName) && status_ == 0;
}

bool CSDControl::SD_SetPlayList(const void* data, uint32_t size) {
    return Execute(device::kSdSetPlayList, &kPlayListPath, data, size) && status_ == 0;
}

bool CSDControl::SD_EndWrite() {
    Execute(device::kSdEndWrite, nullptr);
    return device_ != nullptr;
}

void CSDControl::FindDcimFolder(std::wstring& out) {
    if (const auto* list = SD_GetFolderList()) {
        for (const device::ListingEntry& entry : *list) {
            std::string path(entry.path);
            if (path.size() > 6 && _strnicmp(path.c_str() + 3, "DCIM", 4) == 0) {
                out = std::wstring(path.begin(), path.begin() + 7);
                break;
            }
        }
    }
    Clear();
}
