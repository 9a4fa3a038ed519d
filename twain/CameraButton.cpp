#include "CameraButton.h"

LRESULT CCameraButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_LBUTTONDOWN) focusBefore_ = ::GetFocus();
    LRESULT result = CVexaButton::WindowProc(msg, wParam, lParam);
    if (msg == WM_LBUTTONUP && focusBefore_) {
        if (::IsWindow(focusBefore_)) ::SetFocus(focusBefore_);
        focusBefore_ = nullptr;
    }
    return result;
}

void CCameraButton::Send(const device::RequestHeader& request) {
    if (!lock_) return SendNow(request);
    std::lock_guard<fw::CriticalSection> guard(*lock_);
    SendNow(request);
}

void CCameraButton::SendNow(const device::RequestHeader& request) {
    if (request.command != device::kCameraAutoFocus) return CVexaButton::Send(request);
    if (!device()) return;
    HGLOBAL data = nullptr;
    DWORD size = 0, detail = 0;
    device()->bRequest(&request, &data, &size, &detail);
    if (data) ::GlobalFree(data);  // the focus result carries nothing we use
}
