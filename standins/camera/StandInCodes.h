#pragma once
// Codes of the camera stand-in beyond the ones its callers react to
// (device/DeviceControl.h, device/DeviceProtocol.h).
#include <windows.h>

#include <cstdint>

#include "DeviceControl.h"

namespace standin {

// Detailed errors of a refused call.
constexpr DWORD kErrorNotOpen = 0x81010004;
constexpr DWORD kErrorNotSupported = 0x81010005;
constexpr DWORD kErrorBusy = 0x81010007;        // refused on purpose (fault injection)
constexpr DWORD kErrorTransfer = 0x81010008;    // a synchronous response failed
constexpr DWORD kErrorBadArgument = 0x81010009;

// Response statuses besides 0 (success) and the card's 1, 8 and 512.
constexpr int32_t kStatusNotFound = 2;
constexpr int32_t kStatusBadName = 3;
constexpr int32_t kStatusExists = 4;
constexpr int32_t kStatusIoError = 5;
constexpr int32_t kStatusDeviceFault = 0x100;  // failed on purpose, or the camera went away

using device::kCameraAutoFocus;
using device::kCameraFocus;
using device::kCameraIris;
using device::kCameraZoom;

constexpr int kFrameWidth = 1024;
constexpr int kFrameHeight = 768;

}  // namespace standin
