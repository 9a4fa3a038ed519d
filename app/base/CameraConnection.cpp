#include "base/CameraConnection.h"

#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "resource.h"

namespace {

constexpr int kStillTries = 3;
constexpr DWORD kStillRetryDelayMs = 100;

}  // namespace

int CCameraConnection::Open(HWND owner) {
    if (!device_ || !device_->IsConnect()) return 0;
    DWORD detail = 0;
    if (BOOL result = device_->bOpen(owner, &detail)) {
        open_ = true;
        return result;
    }
    if (detail == device::kErrorAlreadyOpen) {
        open_ = true;
        return 1;
    }
    open_ = false;
    if (detail == device::kErrorNotAvailable || detail == device::kErrorNotAvailable2) return 0;
    WriteTraceLog(kTraceApp, L"CMainFrame::bDeviceOpen",
                  L"The error occurred with the [bOpen] function of Device control. Detailed Error Code[0x%08X]", detail);
    ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    return 0;
}

int CCameraConnection::Close() {
    if (!device_ || !open_) return 0;
    DWORD detail = 0;
    BOOL result = device_->bClose(&detail);
    if (result) {
        open_ = false;
    } else {
        WriteTraceLog(kTraceApp, L"CMainFrame::bDeviceClose",
                      L"The error occurred with the [bClose] function of Device control. Detailed Error Code[0x%08X]",
                      detail);
    }
    return result;
}

CCameraConnection::Change CCameraConnection::OnNotify(WPARAM event, HWND owner) {
    if (event == device::kNotifyArrival) return !open_ && Open(owner) ? Change::Arrived : Change::None;
    if (event != device::kNotifyRemoval || !open_) return Change::None;
    open_ = false;
    return Change::Removed;
}

void CCameraConnection::AddCameraWindow(HWND window) {
    if (window) cameraWindows_.push_back(window);
}

std::vector<HWND> CCameraConnection::TakeCameraWindows() {
    std::vector<HWND> windows;
    windows.swap(cameraWindows_);
    return windows;
}

CCameraConnection::Still CCameraConnection::FetchStill() {
    const wchar_t* src = L"CMainFrame::GetJpegData";
    Still still;
    if (!device_) return still;
    const device::RequestHeader request = device::MakeRequest(device::kGetJpegImage);
    for (int attempt = 1;; ++attempt) {
        DWORD detail = 0;
        HGLOBAL block = nullptr;
        still.size = 0;
        if (device_->bRequest(&request, &block, &still.size, &detail)) {
            still.answered = true;
            still.block.reset(block);
            return still;
        }
        WriteTraceLog(kTraceApp, src,
                      L"The error occurred with the [bRequest] function of Device control. Detailed Error Code[0x%08X] "
                      L"ErrorCount = %d",
                      detail, attempt);
        const bool retry = attempt < kStillTries && device_->IsConnect();
        if (attempt < kStillTries && !retry)
            WriteTraceLog(kTraceApp, src, L"Because the device was a unconnection, retrying was discontinued.");
        if (!retry) return still;
        ::Sleep(kStillRetryDelayMs);
    }
}
