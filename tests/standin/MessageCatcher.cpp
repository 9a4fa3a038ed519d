#include "MessageCatcher.h"

#include <algorithm>

namespace camera_test {

namespace {
constexpr const wchar_t* kClassName = L"PictavoTestMessageCatcher";
}

MessageCatcher::MessageCatcher() {
    WNDCLASSEXW wc{};
    wc.lpszClassName = kClassName;
    if (RegisterClass(wc)) Create(kClassName, L"camera test", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
}

MessageCatcher::~MessageCatcher() {
    if (IsWindow()) ::DestroyWindow(hwnd());
}

std::optional<MSG> MessageCatcher::Take(UINT message) {
    auto found = std::find_if(kept_.begin(), kept_.end(), [&](const MSG& m) { return m.message == message; });
    if (found == kept_.end()) return std::nullopt;
    MSG msg = *found;
    kept_.erase(found);
    return msg;
}

LRESULT MessageCatcher::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg < WM_USER) return Window::WindowProc(msg, wParam, lParam);
    kept_.push_back(MSG{hwnd(), msg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}});
    return 0;
}

}  // namespace camera_test
