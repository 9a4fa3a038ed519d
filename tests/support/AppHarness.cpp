#include "AppHarness.h"

#include "Document.h"
#include "FileDialog.h"
#include "picture/FullScreenWnd.h"
#include "still/ImageFrame.h"
#include "still/ImageView.h"
#include "shell/MainFrame.h"
#include "PictureFixtures.h"
#include "Strings.h"
#include "Wait.h"

namespace testing_support {

namespace {


BOOL CALLBACK MatchFullScreen(HWND hwnd, LPARAM out) {
    wchar_t text[64] = {};
    ::GetWindowTextW(hwnd, text, 64);
    if (std::wstring(text) != kFullScreenWindowName) return TRUE;
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
}

}  // namespace

std::wstring Caption(HWND window) {
    wchar_t text[300] = {};
    ::GetWindowTextW(window, text, 300);
    return text;
}

bool Enabled(CMainFrame* frame, UINT id, bool* checked) {
    fw::CommandState state;
    bool claimed = frame->RouteUpdate(id, state);
    if (checked) *checked = state.checked.value_or(false);
    return claimed && state.enabled;
}

HWND FindFullScreenWindow() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchFullScreen, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool TestPictavoApp::Start(bool withCamera, const std::wstring& cameraLibrary) {
    return StartCore(withCamera ? cameraLibrary.c_str() : nullptr);
}

void TestPictavoApp::Stop() {
    if (mainWindow() && ::IsWindow(mainWindow())) ::DestroyWindow(mainWindow());
    testing_support::PumpMessages();
    ReleaseCore();
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the frame's quit request
}

FileDialogScript::FileDialogScript(std::vector<std::optional<Answer>> answers) : answers_(std::move(answers)) {
    fw::SetFileDialogHandler([this](bool save, OPENFILENAMEW& ofn, DWORD& error) -> BOOL {
        shown_.push_back({save, ofn.lpstrInitialDir ? ofn.lpstrInitialDir : L"", ofn.lpstrFile ? ofn.lpstrFile : L"",
                          ofn.nFilterIndex});
        if (answers_.empty() || !answers_.front()) {
            if (!answers_.empty()) answers_.erase(answers_.begin());
            error = 0;
            return FALSE;
        }
        Answer answer = *answers_.front();
        answers_.erase(answers_.begin());
        if (answer.path.size() >= ofn.nMaxFile) {
            error = FNERR_BUFFERTOOSMALL;
            return FALSE;
        }
        answer.path.copy(ofn.lpstrFile, answer.path.size());
        ofn.lpstrFile[answer.path.size()] = L'\0';
        ofn.nFilterIndex = answer.filterIndex;
        return TRUE;
    });
}

FileDialogScript::~FileDialogScript() { fw::SetFileDialogHandler(nullptr); }

void AppTest::SetUp() {
    ::CreateDirectoryW((folder / L"logs").c_str(), nullptr);
    const wchar_t* key = L"SOFTWARE\\Vexa\\Utility Software (QZT)\\Parameters";
    installPath_ = std::make_unique<RegistryValue>(HKEY_LOCAL_MACHINE, key, L"InstallPath");
    installPath_->SetString(folder.path());
    jpegLib_ = std::make_unique<RegistryValue>(HKEY_LOCAL_MACHINE, key, L"JpegLib");
    jpegLib_->Delete();
    boxes = std::make_unique<MessageBoxRecorder>();
    std::wstring camera;
    if (WithCamera()) {
        camera = folder / L"KorvoDocCameraIM.dll";
        ::CopyFileW((TestProgramFolder() + L"KorvoDocCameraIM.dll").c_str(), camera.c_str(), FALSE);
        WriteFileBytes(folder / L"KorvoDocCameraIM.ini", CameraSettings());
        ::CreateDirectoryW((folder / L"SDCard").c_str(), nullptr);
    }
    app_ = std::make_unique<TestPictavoApp>();
    ASSERT_TRUE(app_->Start(WithCamera(), camera));
    ::ShowWindow(app_->mainWindow(), SW_SHOW);
    ::MoveWindow(app_->mainWindow(), 0, 0, 1000, 760, TRUE);
    testing_support::PumpMessages();
}

void AppTest::TearDown() {
    // Nothing may ask about unsaved pictures while the test ends (a test
    // may have ended the main frame itself).
    CMainFrame* main = mainFrame();
    HWND client = main ? main->mdiClient() : nullptr;
    for (HWND child = client ? ::GetWindow(client, GW_CHILD) : nullptr; child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (auto* frame = dynamic_cast<CImageFrame*>(fw::Window::FromHandle(child)))
            if (frame->document()) frame->document()->SetModifiedFlag(false);
    app_->Stop();
    app_.reset();
    boxes.reset();
}

void AppTest::PumpMessages() { testing_support::PumpMessages(); }

void AppTest::AnswerBoxesWith(int answer) {
    boxes.reset();  // the old recorder's end would remove the new one's handler
    boxes = std::make_unique<MessageBoxRecorder>(answer);
}

void AppTest::AnswerBoxesWith(std::vector<int> answers) {
    boxes.reset();
    boxes = std::make_unique<MessageBoxRecorder>(std::move(answers), IDOK);
}

CMainFrame* AppTest::mainFrame() const { return GetMainFrame(); }

CImageFrame* AppTest::ActiveImageFrame() const {
    return mainFrame() ? dynamic_cast<CImageFrame*>(fw::Window::FromHandle(mainFrame()->ActiveChild())) : nullptr;
}

CImageView* AppTest::ActiveImageView() const {
    CImageFrame* frame = ActiveImageFrame();
    return frame ? frame->imageView() : nullptr;
}

int AppTest::PictureWindowCount() const {
    int n = 0;
    for (HWND child = ::GetWindow(mainFrame()->mdiClient(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (dynamic_cast<CImageFrame*>(fw::Window::FromHandle(child))) ++n;
    return n;
}

CImageFrame* AppTest::Open(const std::wstring& path) {
    if (!mainFrame()->FileOpen(path.c_str())) return nullptr;
    testing_support::PumpMessages();
    return ActiveImageFrame();
}

std::wstring AppTest::WriteJpeg(const std::wstring& name, int width, int height) {
    std::wstring path = folder / name;
    WriteFileBytes(path, picture_fixtures::MakeJpeg(width, height));
    return path;
}

std::wstring AppTest::WriteBmp(const std::wstring& name, int width, int height) {
    std::wstring path = folder / name;
    WriteFileBytes(path, picture_fixtures::MakeBmp(width, height));
    return path;
}

void AppTest::Command(UINT id) {
    ::SendMessageW(mainFrame()->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    testing_support::PumpMessages();
}

std::vector<std::string> AppTest::LogLines() const {
    return SplitLines(ReadFileBytes(folder / L"logs\\PictavoPreTrc.log"));
}

std::vector<std::wstring> AppTest::BoxTexts() const {
    std::vector<std::wstring> texts;
    for (const RecordedBox& box : boxes->boxes()) texts.push_back(box.text);
    return texts;
}

}  // namespace testing_support
