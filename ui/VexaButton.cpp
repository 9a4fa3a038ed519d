#include "VexaButton.h"

#include "DeviceProtocol.h"
#include "PendingRequests.h"

namespace {

device::RequestHeader Request(uint16_t command, int32_t parameter) {
    return device::MakeRequest(command, parameter == kRemoteNoParameter ? 0 : static_cast<uint32_t>(parameter));
}

bool IsIrisMovement(uint16_t command, int32_t parameter) {
    return command == device::kCameraIris && (parameter == 2 || parameter == 3);
}

}  // namespace

bool RemotePressRequest(uint16_t command, int32_t parameter, device::RequestHeader& request) {
    if (command == device::kCameraAutoFocus) return false;  // focuses on the release
    request = Request(command, parameter);
    return true;
}

bool RemoteReleaseRequest(uint16_t command, int32_t parameter, device::RequestHeader& request) {
    switch (command) {
    case device::kCameraZoom:
    case device::kCameraFocus: request = Request(command, 0); return true;
    case device::kCameraIris:
        if (!IsIrisMovement(command, parameter)) return false;  // normal is a single request
        request = Request(command, 4);
        return true;
    case device::kCameraAutoFocus: request = Request(command, parameter); return true;
    default: return false;
    }
}

bool RemoteKeyMoves(uint16_t command, int32_t parameter) {
    return command == device::kCameraZoom || command == device::kCameraFocus || IsIrisMovement(command, parameter);
}

bool CVexaButton::Setup(HWND dialog, int id, device::IDeviceControl* device, int x, int y, int width, int height,
                        int32_t parameter, uint16_t command) {
    if (!hwnd() && !SubclassDlgItem(dialog, id)) return false;
    device_ = device;
    parameter_ = parameter;
    command_ = command;
    ::MoveWindow(hwnd(), x, y, width, height, TRUE);
    return true;
}

LRESULT CVexaButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN: OnPress(); break;
    case WM_LBUTTONDBLCLK:
        // The system button turns a double click on an owner-drawn button into
        // a notification only; here a fast second click is a second press.
        return ::SendMessageW(hwnd(), WM_LBUTTONDOWN, wParam, lParam);
    case WM_LBUTTONUP: OnRelease(); break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd()) OnCaptureLost();
        break;
    case device::WM_DEVICE_REQUEST_COMPLETE:
        // Only a record answering one of this key's requests is ours to hand back.
        if (device::PendingRequests::Shared().Claim(hwnd(), wParam, lParam)) device::ReleaseResponse(wParam, lParam);
        return 0;
    case WM_NCDESTROY: device::PendingRequests::Shared().Forget(hwnd()); break;
    }
    return BitmapButton::WindowProc(msg, wParam, lParam);
}

void CVexaButton::Send(const device::RequestHeader& request) {
    if (!device_ || !hwnd()) return;
    DWORD value = 0, detail = 0;
    // Fire and forget: a refused request is neither reported nor retried.
    device::PendingRequests::Shared().Send(*device_, hwnd(), request, &value, &detail);
}

void CVexaButton::OnPress() {
    held_ = true;
    device::RequestHeader request;
    if (RemotePressRequest(command_, parameter_, request)) Send(request);
}

void CVexaButton::OnRelease() {
    // A release without a press here (pressed elsewhere, let go over this key) does nothing.
    if (!held_) return;
    held_ = false;
    device::RequestHeader request;
    if (RemoteReleaseRequest(command_, parameter_, request)) Send(request);
}

void CVexaButton::OnCaptureLost() {
    // The release will never come (a box popped up, the panel was disabled or
    // hidden): a running movement is stopped now rather than left to the lens's end.
    if (!held_) return;
    held_ = false;
    device::RequestHeader request;
    if (RemoteKeyMoves(command_, parameter_) && RemoteReleaseRequest(command_, parameter_, request)) Send(request);
}
