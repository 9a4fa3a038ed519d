#include "LatencyProbe.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "DeviceProtocol.h"
#include "HandOverStamp.h"
#include "Handles.h"
#include "base/AppMessages.h"
#include "live/LivePicture.h"

namespace bench {

namespace {

LatencyProbe* active = nullptr;

// Frame number -> hand-over stamp, written on the decode thread and read on
// the user-interface thread; the number is published after the stamp.
struct Slot {
    std::atomic<long> frame{0};
    int64_t stamp = 0;
};
constexpr long kSlots = 256;
Slot slots[kSlots];

int64_t StampOf(LPARAM response) {
    const auto* record = reinterpret_cast<const device::ResponseRecord*>(response);
    if (!record || record->kind != device::kResponseWithData || !record->data) return 0;
    fw::GlobalLock bytes(record->data);
    const auto* jpeg = static_cast<const uint8_t*>(bytes.get());
    return jpeg ? standin::ReadHandOver(jpeg, record->size) : 0;
}

double MsSince(int64_t stamp) {
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - stamp) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

bool LatencyProbe::Attach(HWND completionWindow, HWND view, const CLivePicture* picture) {
    Detach();
    if (!completionWindow || !view || !picture) return false;
    active = this;
    completion_ = completionWindow;
    view_ = view;
    picture_ = picture;
    lastShown_ = picture->frameOnScreen();
    viewProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LatencyProbe::ViewProc)));
    completionProc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        completionWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LatencyProbe::CompletionProc)));
    return true;
}

void LatencyProbe::Detach() {
    if (completion_ && ::IsWindow(completion_))
        ::SetWindowLongPtrW(completion_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(completionProc_));
    if (view_ && ::IsWindow(view_)) ::SetWindowLongPtrW(view_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(viewProc_));
    completion_ = view_ = nullptr;
    if (active == this) active = nullptr;
}

void LatencyProbe::OnCompletion(LPARAM record, WNDPROC original, HWND hwnd, UINT msg, WPARAM wParam) {
    const int64_t stamp = StampOf(record);
    const long before = picture_->framesDrawn();
    ::CallWindowProcW(original, hwnd, msg, wParam, record);
    const long drawn = picture_->framesDrawn();
    if (!stamp || drawn == before) return;
    Slot& slot = slots[drawn % kSlots];
    slot.stamp = stamp;
    slot.frame.store(drawn, std::memory_order_release);
}

void LatencyProbe::OnShown() {
    const long shown = picture_->frameOnScreen();
    if (shown == lastShown_) return;
    lastShown_ = shown;
    const Slot& slot = slots[shown % kSlots];
    if (slot.frame.load(std::memory_order_acquire) == shown) samplesMs_.push_back(MsSince(slot.stamp));
}

LRESULT CALLBACK LatencyProbe::CompletionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LatencyProbe* probe = active;
    if (!probe) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg != device::WM_DEVICE_REQUEST_COMPLETE)
        return ::CallWindowProcW(probe->completionProc_, hwnd, msg, wParam, lParam);
    probe->OnCompletion(lParam, probe->completionProc_, hwnd, msg, wParam);
    return 0;
}

LRESULT CALLBACK LatencyProbe::ViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LatencyProbe* probe = active;
    if (!probe) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    const LRESULT result = ::CallWindowProcW(probe->viewProc_, hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT || msg == WM_DRAW_FULL_SCREEN) probe->OnShown();
    return result;
}

double Percentile(std::vector<double> values, double percent) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t at = static_cast<size_t>(percent / 100.0 * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

}  // namespace bench
