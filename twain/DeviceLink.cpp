#include "DeviceLink.h"

#include <mutex>

#include "DeviceProtocol.h"
#include "SharedNames.h"
#include "SourceResource.h"
#include "SourceUtilities.h"

namespace {

constexpr int kRequestTries = 3;
constexpr DWORD kRetryPauseMs = 100;

// Camera messages that carry a response record in lParam.
constexpr UINT kStrayRecord1 = 0x464;
constexpr UINT kStrayRecord2 = 0x52C;

bool OpenCounts(BOOL opened, DWORD detail) { return opened || detail == device::kErrorAlreadyOpen; }

}  // namespace

bool CDeviceLink::HiddenWindow::Create(HINSTANCE module) {
    WNDCLASSEXW wc{};
    wc.style = CS_DBLCLKS;
    wc.hInstance = module;
    wc.hIcon = ::LoadIconW(module, MAKEINTRESOURCEW(IDI_SOURCE));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    if (!RegisterClass(wc)) return false;
    // Message-only: the camera library posts to it by handle, and no broadcast reaches it.
    return fw::Window::Create(kWindowClass, kWindowClass, 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module) !=
           nullptr;
}

LRESULT CDeviceLink::HiddenWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case device::WM_DEVICE_NOTIFY:
        if (link_.target_ && (wParam == device::kNotifyArrival || wParam == device::kNotifyRemoval))
            ::PostMessageW(link_.target_, WM_COMMAND, wParam == device::kNotifyArrival ? IDC_CAMERA_BACK : IDC_CAMERA_GONE,
                           0);
        return 0;
    case device::WM_DEVICE_REQUEST_COMPLETE:
    case kStrayRecord1:
    case kStrayRecord2:
        // Nothing is ever asked of the camera for this window, so no record
        // arriving here is one of ours: freeing it would free what a sender made up.
        return 0;
    }
    return fw::Window::WindowProc(msg, wParam, lParam);
}

CDeviceLink::Result CDeviceLink::Load() {
    library_.reset(twain::LoadInstalledLibrary(module_, kLibraryName));
    if (!library_) return kLibraryMissing;
    auto create = reinterpret_cast<device::CreateInstanceFn>(::GetProcAddress(library_.get(), "CreateInstance"));
    if (!create || !create(&device_) || !device_) {
        device_ = nullptr;
        library_.reset();
        return kNoInstance;
    }
    return kLinked;
}

CDeviceLink::Result CDeviceLink::Connect() {
    switch (twain::CreateGlobalMutex(device::kGlobalMutexNameA, true, mutex_.receive())) {
    case 1: break;
    case 2: return kAlreadyLaunched;
    case 3: return kUsedByOther;
    default: return kMutexFailed;
    }
    if (!window_.Create(module_)) return kOpenFailed;
    device_->SetNotifyWindow(window_.hwnd());
    if (!device_->IsConnect()) return kNotConnected;
    DWORD detail = 0;
    // The detailed error is not examined here: any refusal means no camera.
    if (!device_->bOpen(window_.hwnd(), &detail)) return kOpenFailed;
    open_ = true;
    return kLinked;
}

void CDeviceLink::Release() {
    target_ = nullptr;
    if (window_.hwnd()) ::DestroyWindow(window_.hwnd());
    // The class points into this library, which the manager may unload and load elsewhere.
    ::UnregisterClassW(kWindowClass, module_);
    if (device_) {
        DWORD detail = 0;
        if (open_) device_->bClose(&detail);
        // No notices may reach a window that is gone.
        device_->SetNotifyWindow(nullptr);
        auto release =
            reinterpret_cast<device::ReleaseInstanceFn>(::GetProcAddress(library_.get(), "ReleaseInstance"));
        if (release) release(&device_);
        device_ = nullptr;
    }
    open_ = false;
    library_.reset();
    // Released whatever happened above: a mutex kept would lock the image application out.
    mutex_.reset();
}

bool CDeviceLink::RequestJpeg(fw::GlobalMemory& block, DWORD& size) {
    std::lock_guard<fw::CriticalSection> guard(requestLock_);
    block.reset();
    size = 0;
    if (!device_) return false;
    const device::RequestHeader request = device::MakeRequest(device::kGetJpegImage);
    for (int attempt = 1;; ++attempt) {
        HGLOBAL data = nullptr;
        DWORD got = 0, detail = 0;
        BOOL done = device_->bRequest(&request, &data, &got, &detail);
        fw::GlobalMemory received(data);
        // An answer without data or with a size its block does not hold is no picture.
        if (done && received && got && ::GlobalSize(received.get()) >= got) {
            block = std::move(received);
            size = got;
            return true;
        }
        if (attempt >= kRequestTries || !device_->IsConnect()) return false;
        ::Sleep(kRetryPauseMs);
    }
}

bool CDeviceLink::Reopen() {
    if (!device_) return false;
    DWORD detail = 0;
    BOOL opened = device_->bOpen(window_.hwnd(), &detail);
    open_ = OpenCounts(opened, detail);
    return open_;
}
