#pragma once
// The application's own objects (templates, main frame, picture windows) in
// the test process, with the trace log in a temporary installation folder and
// message boxes and file dialogs answered by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/PictavoApp.h"
#include "TestSupport.h"

class CImageFrame;
class CImageView;
class CMainFrame;

namespace testing_support {

class TestPictavoApp : public CPictavoApp {
public:
    // The main frame, with the camera stand-in when asked.
    bool Start(bool withCamera, const std::wstring& cameraLibrary);
    void Stop();

protected:
    bool InitInstance() override { return true; }
};

// Answers file dialogs while it lives: each answer is a path and a filter
// index, or nullopt for Cancel; what each dialog was shown with is kept.
class FileDialogScript {
public:
    struct Shown {
        bool save;
        std::wstring initialFolder, fileName;
        DWORD filterIndex;
    };
    struct Answer {
        std::wstring path;
        DWORD filterIndex = 1;
    };
    explicit FileDialogScript(std::vector<std::optional<Answer>> answers);
    ~FileDialogScript();
    const std::vector<Shown>& shown() const { return shown_; }

private:
    std::vector<std::optional<Answer>> answers_;
    std::vector<Shown> shown_;
};

// The window's caption.
std::wstring Caption(HWND window);
// Whether the main frame's command `id` is enabled, and its check mark.
bool Enabled(CMainFrame* frame, UINT id, bool* checked = nullptr);

// The full-screen picture window among this thread's windows, or null.
HWND FindFullScreenWindow();

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual bool WithCamera() const { return false; }
    // The camera stand-in's settings file, for fixtures WithCamera.
    virtual std::string CameraSettings() const { return ""; }
    void PumpMessages();
    // Starts a new recording whose boxes all get `answer`.
    void AnswerBoxesWith(int answer);
    // Starts a new recording whose boxes get `answers` in turn, then IDOK.
    void AnswerBoxesWith(std::vector<int> answers);

    CMainFrame* mainFrame() const;
    // The active picture window, or null.
    CImageFrame* ActiveImageFrame() const;
    CImageView* ActiveImageView() const;
    int PictureWindowCount() const;
    // Opens a file through the main frame; the new window or null.
    CImageFrame* Open(const std::wstring& path);
    // A w x h JPEG or BMP of the test pattern in the temporary folder.
    std::wstring WriteJpeg(const std::wstring& name, int width, int height);
    std::wstring WriteBmp(const std::wstring& name, int width, int height);
    void Command(UINT id);  // as the menu sends it
    std::vector<std::string> LogLines() const;
    // The recorded message box texts so far.
    std::vector<std::wstring> BoxTexts() const;

    TempFolder folder;
    std::unique_ptr<MessageBoxRecorder> boxes;

private:
    std::unique_ptr<RegistryValue> installPath_, jpegLib_;
    std::unique_ptr<TestPictavoApp> app_;
};

}  // namespace testing_support
