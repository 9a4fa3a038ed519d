#pragma once
// A message-only window that keeps the messages posted to it (WM_USER and
// up) until a test takes them: a wait may then pump this thread's messages
// without a completion or notification going to a window that ignores it.
#include <windows.h>

#include <deque>
#include <optional>

#include "Window.h"

namespace camera_test {

class MessageCatcher : public fw::Window {
public:
    MessageCatcher();
    ~MessageCatcher() override;

    // The earliest kept message of that kind, taken; nothing while none came.
    std::optional<MSG> Take(UINT message);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::deque<MSG> kept_;
};

}  // namespace camera_test
