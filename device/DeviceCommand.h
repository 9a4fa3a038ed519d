#pragma once
// One SD command packet for the device-control library: builds the request,
// reads the response the library attaches and hands that response back.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "DeviceProtocol.h"

class CDeviceCommand {
public:
    CDeviceCommand();
    ~CDeviceCommand();
    CDeviceCommand(const CDeviceCommand&) = delete;
    CDeviceCommand& operator=(const CDeviceCommand&) = delete;

    void SetCommand(uint16_t code);
    // The name in the ANSI code page, cut at 32 bytes; bytes 32-35 stay zero.
    void SetName(const std::wstring& name);
    void SetSendData(const void* data, uint32_t size);

    device::CommandPacket* packet() { return &packet_; }
    uint16_t code() const { return code_; }

    // Reads the attached response into the packet and `entries`. False when
    // there is none or it contradicts itself (sizes past the data received).
    bool ParseResponse();
    // Frees the response's data block and posts the record back to its thread.
    void ReleaseResponse();

    const std::vector<device::ListingEntry>& entries() const { return entries_; }
    // The response's data, valid until ReleaseResponse.
    const void* ResponseData() const { return responseData_; }

private:
    bool ParseListing(const uint8_t* data, uint32_t size);

    device::CommandPacket packet_{};
    device::RequestHeader header_{};
    char name_[device::kPacketNameSize] = {};
    uint16_t code_ = 0;
    std::vector<device::ListingEntry> entries_;
    HGLOBAL lockedData_ = nullptr;
    const void* responseData_ = nullptr;
};
