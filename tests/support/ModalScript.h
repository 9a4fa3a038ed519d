#pragma once
// Drives modal dialogs that the code under test opens on this thread: while
// this thread sits in a dialog's own message loop, a thread timer runs the
// script's steps one after another. A step returns true when it is done (a
// window it waits for may not be there yet); actions post their clicks, so no
// step runs inside another.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

class ModalScript {
public:
    using Step = std::function<bool()>;
    explicit ModalScript(std::vector<Step> steps);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    bool finished() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunStep();

    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    bool running_ = false;
};

// A visible dialog of this thread that has a control `controlId`, or null.
HWND FindDialogWith(UINT controlId);
// Posts the click of button `id` to `dialog`.
void Click(HWND dialog, UINT id);
std::wstring ControlText(HWND dialog, UINT id);

}  // namespace testing_support
