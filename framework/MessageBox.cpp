#include "MessageBox.h"

#include <mutex>
#include <utility>

namespace fw {
namespace {
std::mutex& HandlerLock() {
    static std::mutex m;
    return m;
}
MessageBoxHandler& Handler() {
    static MessageBoxHandler h;
    return h;
}
}  // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> guard(HandlerLock());
        handler = Handler();
    }
    if (handler) return handler(owner, text, caption, type);
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard<std::mutex> guard(HandlerLock());
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace fw
