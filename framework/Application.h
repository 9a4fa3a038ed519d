#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CommandTarget.h"
#include "DocTemplate.h"

namespace fw {

class MdiFrame;

// The process's application object: start-up, the message loop, shutdown.
// It is the last link of the command route.
class Application : public CommandTarget {
public:
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* Instance() { return instance_; }

    // Runs the whole life: InitInstance, the loop, ExitInstance; returns the exit code.
    int Run(int showCommand);

    HWND mainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND hwnd, HACCEL accelerators, MdiFrame* mdiFrame);
    MdiFrame* mdiFrame() const { return mdiFrame_; }
    int showCommand() const { return showCommand_; }

    // The caption of the framework's message boxes (string 57344).
    const std::wstring& appName() const { return appName_; }
    // A message box owned by the main window with the application's caption.
    int MessageBox(const std::wstring& text, UINT type);

    void AddDocTemplate(std::unique_ptr<DocTemplate> docTemplate);
    const std::vector<std::unique_ptr<DocTemplate>>& docTemplates() const { return templates_; }

    const std::wstring& helpFilePath() const { return helpFilePath_; }
    void SetHelpFilePath(std::wstring path) { helpFilePath_ = std::move(path); }

protected:
    virtual bool InitInstance() = 0;
    virtual int ExitInstance() { return exitCode_; }
    // Runs once each time the message queue has run empty after new input;
    // by default the main frame refreshes its toolbar.
    virtual void OnIdle();

private:
    static Application* instance_;
    HWND mainWindow_ = nullptr;
    HACCEL accelerators_ = nullptr;
    MdiFrame* mdiFrame_ = nullptr;
    int showCommand_ = SW_SHOWNORMAL;
    int exitCode_ = 0;
    std::wstring appName_;
    std::wstring helpFilePath_;
    std::vector<std::unique_ptr<DocTemplate>> templates_;
};

// The framework's message box: the application's caption, owned by its main
// window; usable before the application object exists (tests, start-up).
int AppMessageBox(const std::wstring& text, UINT type);

}  // namespace fw
