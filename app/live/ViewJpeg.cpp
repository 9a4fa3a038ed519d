#include "live/ViewJpeg.h"

#include <mutex>

#include "base/AppMessages.h"
#include "live/LiveFrameSink.h"
#include "PendingRequests.h"
#include "base/TraceLog.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kCompSource = L"CViewJpeg::OnRequestComp";

// The record's bytes, locked; null when the block cannot be read or is
// smaller than the size the record claims.
class FrameBytes {
public:
    explicit FrameBytes(const device::ResponseRecord& record)
        : lock_(record.data && ::GlobalSize(record.data) >= record.size ? record.data : nullptr) {}
    const void* get() const { return lock_.get(); }

private:
    fw::GlobalLock lock_;
};

}  // namespace

bool IsFrameResponse(const device::ResponseRecord& record) {
    return record.kind == device::kResponseWithData && record.status == 0;
}

bool HandBackRecord(DWORD threadId, device::ResponseRecord* record) {
    if (!record) return true;
    if (record->kind == device::kResponseWithData && record->data) {
        ::GlobalFree(record->data);
        record->data = nullptr;
    }
    if (::PostThreadMessageW(threadId, device::WM_DEVICE_RESPONSE_RELEASE, 0, reinterpret_cast<LPARAM>(record)))
        return true;
    WriteTraceLogLastError(kTraceApp, L"CViewJpeg::ReleaseKeptRecord", L"PostThreadMessage()");
    return false;
}

CViewJpeg::~CViewJpeg() { ReleaseKeptRecord(); }

bool CViewJpeg::CreateHidden() {
    WNDCLASSEXW wc{};
    wc.lpszClassName = kClassName;
    if (!RegisterClass(wc)) return false;
    // Message-only: the camera library posts to it by handle, and no broadcast reaches it.
    return Create(kClassName, L"ViewAnime", 0, 0, 1, 1, 1, 1, HWND_MESSAGE, nullptr) != nullptr;
}

void CViewJpeg::Destroy() {
    if (IsWindow()) ::DestroyWindow(hwnd());
}

LRESULT CViewJpeg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case device::WM_DEVICE_REQUEST_COMPLETE:
        // A record no request of ours is waiting for is not touched.
        if (device::PendingRequests::Shared().Claim(hwnd(), wParam, lParam)) return OnRequestComp(wParam, lParam);
        return 0;
    case WM_NCDESTROY: device::PendingRequests::Shared().Forget(hwnd()); break;
    }
    return Window::WindowProc(msg, wParam, lParam);
}

void CViewJpeg::SetFrameReady() {
    if (frameReady_) ::SetEvent(frameReady_);
}

void CViewJpeg::PostToFrame(UINT msg, WPARAM wParam) {
    if (frameWindow_) ::PostMessageW(frameWindow_, msg, wParam, 0);
}

LRESULT CViewJpeg::OnRequestComp(WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<device::ResponseRecord*>(lParam);
    const DWORD threadId = static_cast<DWORD>(wParam);
    if (decoding_.exchange(false)) {
        if (frameWindow_) ::SendMessageW(frameWindow_, WM_PAUSE_LIVE, 0, 0);
        SetFrameReady();
    }
    if (!record) {
        SetFrameReady();
        return 0;
    }
    if (stopped_) {
        SetFrameReady();
        Keep(threadId, record);
        return 0;
    }
    if (!IsFrameResponse(*record)) {
        OnFailedResponse(*record);
        SetFrameReady();
        HandBackRecord(threadId, record);
        return 0;
    }
    // The next request goes out now, so the camera's transfer overlaps this decode.
    SetFrameReady();
    responseErrors_ = 0;
    if (record->size == 0) {
        stopped_ = true;
        PostToFrame(WM_CLOSE, 0);
    } else {
        DecodeFrame(*record);
    }
    Keep(threadId, record);
    return 0;
}

void CViewJpeg::DecodeFrame(const device::ResponseRecord& record) {
    FrameBytes bytes(record);
    if (!sink_ || stopped_) return;
    int ok = 0;
    int outcome = ILiveFrameSink::kNotDecodable;
    if (bytes.get()) {
        decoding_ = true;
        ok = sink_->LoadPicture(bytes.get(), record.size, &outcome);
        decoding_ = false;
    }
    if (ok) {
        decodeErrors_ = 0;
        return;
    }
    WriteTraceLog(kTraceApp, kCompSource, L"The error occurred with the [LoadPicture()] function.");
    if (outcome == ILiveFrameSink::kNotDrawn) {
        stopped_ = true;  // the view has reported it where it had a message to give
        return;
    }
    if (decodeErrors_ >= kFailureLimit - 1) {
        stopped_ = true;
        PostToFrame(WM_LIVE_FAILED, IDS_LIVE_FAILED);
    }
    ++decodeErrors_;
    WriteTraceLog(kTraceApp, kCompSource, L"The error occurred by the decoding JPEG data. ErrorCount = %d",
                  decodeErrors_);
}

void CViewJpeg::OnFailedResponse(const device::ResponseRecord& record) {
    ++responseErrors_;
    WriteTraceLog(kTraceApp, kCompSource,
                  L"The error occurred with the [bRequest-Response] Device control. Detailed Error Code[0x%08X] "
                  L"ErrorCount = %d",
                  static_cast<unsigned>(record.status), responseErrors_);
    if (responseErrors_ >= kFailureLimit) {
        stopped_ = true;
        PostToFrame(WM_LIVE_FAILED, IDS_LIVE_FAILED);
    }
}

void CViewJpeg::Keep(DWORD threadId, device::ResponseRecord* record) {
    std::lock_guard<fw::CriticalSection> guard(keptLock_);
    if (kept_) HandBackRecord(keptThreadId_, kept_);
    kept_ = record;
    keptThreadId_ = threadId;
}

void CViewJpeg::ReleaseKeptRecord() {
    std::lock_guard<fw::CriticalSection> guard(keptLock_);
    if (!kept_) return;
    HandBackRecord(keptThreadId_, kept_);
    kept_ = nullptr;
}

void CViewJpeg::HandBackQueued() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, device::WM_DEVICE_REQUEST_COMPLETE, device::WM_DEVICE_REQUEST_COMPLETE,
                          PM_REMOVE)) {
        if (!msg.lParam || !device::PendingRequests::Shared().Claim(msg.hwnd, msg.wParam, msg.lParam)) continue;
        WriteTraceLog(kTraceApp, L"CViewJpeg::HandBackQueued",
                      L"A frame that arrived after the stop was handed back undecoded.");
        HandBackRecord(static_cast<DWORD>(msg.wParam), reinterpret_cast<device::ResponseRecord*>(msg.lParam));
    }
}

int CViewJpeg::DrawView() {
    std::lock_guard<fw::CriticalSection> guard(keptLock_);
    if (!kept_ || !IsFrameResponse(*kept_) || kept_->size == 0) return 0;
    FrameBytes bytes(*kept_);
    if (sink_) {
        int outcome = ILiveFrameSink::kNotDecodable;
        int ok = bytes.get() ? sink_->LoadPicture(bytes.get(), kept_->size, &outcome) : 0;
        if (!ok) {
            WriteTraceLog(kTraceApp, L"CViewJpeg::DrawView", L"The error occurred with the [LoadPicture()] function.");
            if (outcome == ILiveFrameSink::kNotDecodable) PostToFrame(WM_LIVE_FAILED, IDS_LIVE_DISPLAY_FAILED);
        }
    }
    return 1;
}
