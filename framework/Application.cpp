#include "Application.h"

#include "MdiFrame.h"
#include "MessageBox.h"
#include "Strings.h"

namespace fw {

Application* Application::instance_ = nullptr;

namespace {
constexpr UINT kAppTitleString = 57344;

// Painting and the caret's timer change no command state; everything else
// may, so it earns another idle refresh.
bool IsInputMessage(const MSG& msg) {
    constexpr UINT kCaretBlinkTimer = 0x0118;
    return msg.message != WM_PAINT && msg.message != kCaretBlinkTimer;
}
}

Application::Application() : appName_(LoadResString(kAppTitleString)) { instance_ = this; }

Application::~Application() {
    if (instance_ == this) instance_ = nullptr;
}

void Application::SetMainWindow(HWND hwnd, HACCEL accelerators, MdiFrame* mdiFrame) {
    mainWindow_ = hwnd;
    accelerators_ = accelerators;
    mdiFrame_ = mdiFrame;
}

int Application::MessageBox(const std::wstring& text, UINT type) {
    HWND owner = mainWindow_ && ::IsWindow(mainWindow_) ? ::GetLastActivePopup(mainWindow_) : nullptr;
    return ShowMessageBox(owner, text, appName_, type);
}

void Application::AddDocTemplate(std::unique_ptr<DocTemplate> docTemplate) {
    templates_.push_back(std::move(docTemplate));
}

void Application::OnIdle() {
    if (mdiFrame_ && mainWindow_ && ::IsWindow(mainWindow_)) mdiFrame_->OnIdle();
}

int AppMessageBox(const std::wstring& text, UINT type) {
    if (Application* app = Application::Instance()) return app->MessageBox(text, type);
    return ShowMessageBox(nullptr, text, LoadResString(kAppTitleString), type);
}

int Application::Run(int showCommand) {
    showCommand_ = showCommand;
    if (!InitInstance()) return 0;
    MSG msg{};
    bool idlePending = true;
    for (;;) {
        // Idle work runs once per burst of input, never in a loop of its own:
        // GetMessage then blocks until something new arrives.
        if (idlePending && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            idlePending = false;
            OnIdle();
        }
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        if (IsInputMessage(msg)) idlePending = true;
        if (mainWindow_ && mdiFrame_ && mdiFrame_->TranslateMdiAccelerator(&msg)) continue;
        if (mainWindow_ && accelerators_ && ::TranslateAcceleratorW(mainWindow_, accelerators_, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    exitCode_ = static_cast<int>(msg.wParam);
    mainWindow_ = nullptr;
    return ExitInstance();
}

}  // namespace fw
