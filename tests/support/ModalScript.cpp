#include "ModalScript.h"

namespace testing_support {

namespace {

ModalScript* g_active = nullptr;  // one script at a time, on the test's thread

struct Search {
    UINT controlId;
    HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (::IsWindowVisible(window) && ::GetDlgItem(window, static_cast<int>(search->controlId))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ModalScript::ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    g_active = this;
    timer_ = ::SetTimer(nullptr, 0, 30, &ModalScript::Tick);
}

ModalScript::~ModalScript() {
    ::KillTimer(nullptr, timer_);
    g_active = nullptr;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_active) g_active->RunStep();
}

void ModalScript::RunStep() {
    if (running_ || finished()) return;
    running_ = true;
    if (steps_[next_]()) ++next_;
    running_ = false;
}

HWND FindDialogWith(UINT controlId) {
    Search search{controlId, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND dialog, UINT id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, static_cast<int>(id))));
}

std::wstring ControlText(HWND dialog, UINT id) {
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(dialog, static_cast<int>(id), text, 1024);
    return text;
}

}  // namespace testing_support
