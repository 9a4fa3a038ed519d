#pragma once
// Records exchanged with the device-control library besides the request
// header: the asynchronous response record and the SD command packet. Both
// sides are built for the same architecture; the offsets on x86 are the
// documented ones, x64 keeps the order with natural alignment.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "DeviceControl.h"

namespace device {

// Handed to the receiver with WM_DEVICE_REQUEST_COMPLETE (lParam) or attached
// to a packet; the receiver frees `data` (kind 1) and posts the record back
// to the library thread with WM_DEVICE_RESPONSE_RELEASE.
struct ResponseRecord {
    uint32_t kind;         // 1 = carries data
    uint8_t reserved[6];
    uint16_t code;         // the command answered
    int32_t status;        // 0 = success
    uint32_t size;         // bytes of data
    HGLOBAL data;          // movable global block, or null
};
constexpr uint32_t kResponseWithData = 1;

// What every receiver of a completion does at once when it keeps nothing of
// it: free the data, then give the record back to the library thread.
inline void ReleaseResponse(WPARAM libraryThread, LPARAM response) {
    auto* record = reinterpret_cast<ResponseRecord*>(response);
    if (!record) return;
    if (record->kind == kResponseWithData && record->data) ::GlobalFree(record->data);
    ::PostThreadMessageW(static_cast<DWORD>(libraryThread), WM_DEVICE_RESPONSE_RELEASE, 0, response);
}

// One entry of a card listing: a zero-terminated ANSI path on the card
// ("C:\DCIM\100KORVO\IMAG0001.JPG"); nothing after the terminator is used.
constexpr size_t kListingEntrySize = 36;
struct ListingEntry {
    char path[kListingEntrySize];
};
static_assert(sizeof(ListingEntry) == kListingEntrySize, "listing entries are 36 bytes");

constexpr size_t kPacketNameSize = 36;  // at most 32 ANSI bytes, bytes 32-35 zero

// SD command packet, filled by the application, read and answered by the library.
struct CommandPacket {
    int32_t command;              // code; after a response, the response's code
    RequestHeader* request;       // R
    ResponseRecord* response;     // W
    char* name;                   // R: kPacketNameSize bytes, or null
    uint32_t sendSize;            // R
    const void* sendData;         // R
    int32_t status;
    uint32_t receivedSize;
    HGLOBAL received;
    void* entries;                // the application's list of entries
    uint32_t entryCount;
    uint8_t entriesReserved[20];
    DWORD threadId;               // W: the library thread owning the response
};
#if !defined(_WIN64)
static_assert(offsetof(CommandPacket, name) == 12, "packet layout");
static_assert(offsetof(CommandPacket, status) == 24, "packet layout");
static_assert(offsetof(CommandPacket, entries) == 36, "packet layout");
static_assert(offsetof(CommandPacket, threadId) == 64, "packet layout");
static_assert(offsetof(ResponseRecord, code) == 10, "response layout");
static_assert(offsetof(ResponseRecord, data) == 20, "response layout");
#endif

// SD command codes.
enum SdCommand : uint16_t {
    kSdGetStatus = 0x8101,
    kSdGetFolderList = 0x8102,
    kSdGetJpegFile = 0x8104,
    kSdGetFileList = 0x8105,
    kSdGetPlayList = 0x8107,
    kSdSetJpegFile = 0x0104,
    kSdDeleteFolder = 0x0105,
    kSdCreateFolder = 0x0106,
    kSdSetPlayList = 0x0107,
    kSdEndWrite = 0x0108,
};

// Card status codes the application reacts to.
constexpr int32_t kSdNoCard = 1;
constexpr int32_t kSdLockedImage = 8;
constexpr int32_t kSdCardFull = 512;

}  // namespace device
