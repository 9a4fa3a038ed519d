#include "DeviceCommand.h"

#include <cstring>

CDeviceCommand::CDeviceCommand() {
    packet_.command = -1;
}

CDeviceCommand::~CDeviceCommand() {
    ReleaseResponse();
}

void CDeviceCommand::SetCommand(uint16_t code) {
    code_ = code;
    header_ = device::MakeRequest(code);
    packet_.command = code;
    packet_.request = &header_;
}

void CDeviceCommand::SetName(const std::wstring& name) {
    std::memset(name_, 0, sizeof(name_));
    // Convert whole characters only: a multi-byte character is never split.
    int written = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        char bytes[8];
        int n = ::WideCharToMultiByte(CP_ACP, 0, &name[i], 1, bytes, sizeof(bytes), nullptr, nullptr);
        if (n <= 0 || written + n > 32) break;
        std::memcpy(name_ + written, bytes, n);
        written += n;
    }
    packet_.name = name_;
}

void CDeviceCommand::SetSendData(const void* data, uint32_t size) {
    packet_.sendData = data;
    packet_.sendSize = size;
}

bool CDeviceCommand::ParseListing(const uint8_t* data, uint32_t size) {
    using device::kListingEntrySize;
    entries_.clear();
    const uint8_t* first = data;
    size_t count = size / kListingEntrySize;
    if (code_ == device::kSdGetFileList) {
        if (size < 8) return false;
        uint32_t claimed;
        std::memcpy(&claimed, data + 4, sizeof(claimed));
        // A count beyond the data received means the listing is damaged.
        if (claimed > (size - 8) / kListingEntrySize) return false;
        first = data + 8;
        count = claimed;
    }
    entries_.resize(count);
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(entries_[i].path, first + i * kListingEntrySize, kListingEntrySize);
        entries_[i].path[kListingEntrySize - 1] = '\0';
    }
    return true;
}

bool CDeviceCommand::ParseResponse() {
    device::ResponseRecord* response = packet_.response;
    if (!response) return false;
    packet_.command = response->code;
    packet_.status = response->status;
    bool hasData = response->kind == device::kResponseWithData && response->data && response->size > 0;
    if (hasData) {
        if (::GlobalSize(response->data) < response->size) return false;
        lockedData_ = response->data;
        responseData_ = ::GlobalLock(response->data);
        if (!responseData_) return false;
    }
    switch (code_) {
    case device::kSdGetJpegFile:
    case device::kSdGetPlayList:
    case device::kGetJpegImage:
        packet_.received = hasData ? response->data : nullptr;
        packet_.receivedSize = hasData ? response->size : 0;
        return true;
    case device::kSdGetFolderList:
    case device::kSdGetFileList:
        if (response->status != 0) return true;
        return ParseListing(static_cast<const uint8_t*>(responseData_), hasData ? response->size : 0);
    default:
        return true;
    }
}

void CDeviceCommand::ReleaseResponse() {
    device::ResponseRecord* response = packet_.response;
    if (!response) return;
    if (lockedData_) ::GlobalUnlock(lockedData_);
    lockedData_ = nullptr;
    responseData_ = nullptr;
    if (response->kind == device::kResponseWithData && response->data) {
        ::GlobalFree(response->data);
        response->data = nullptr;
    }
    packet_.received = nullptr;
    packet_.response = nullptr;
    ::PostThreadMessageW(packet_.threadId, device::WM_DEVICE_RESPONSE_RELEASE, 0, reinterpret_cast<LPARAM>(response));
}
