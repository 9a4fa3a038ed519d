#include "AppProcess.h"

#include "Strings.h"

namespace testing_support {

Installation::Installation(bool withCameraLibrary) {
    std::wstring bin = TestProgramFolder();
    ::CopyFileW((bin + L"KorvoDocumentCamera.exe").c_str(), (temp_ / L"KorvoDocumentCamera.exe").c_str(), FALSE);
    if (withCameraLibrary)
        ::CopyFileW((bin + L"KorvoDocCameraIM.dll").c_str(), (temp_ / L"KorvoDocCameraIM.dll").c_str(), FALSE);
    ::CreateDirectoryW((temp_ / L"logs").c_str(), nullptr);
    installPath_.SetString(temp_.path());
}

std::string Installation::TraceLog() const { return ReadFileBytes(temp_ / L"logs\\PictavoPreTrc.log"); }

AppProcess::AppProcess(const Installation& installation, const std::wstring& currentFolder) {
    std::wstring exe = installation.folder() + L"KorvoDocumentCamera.exe";
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                         (currentFolder.empty() ? installation.folder() : currentFolder).c_str(), &si, &pi)) {
        ::CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        id_ = pi.dwProcessId;
        ::WaitForInputIdle(process_, kWaitLimitMs);
    }
}

AppProcess::~AppProcess() {
    if (!process_) return;
    if (Running()) {
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, kWaitLimitMs);
    }
    ::CloseHandle(process_);
}

bool AppProcess::Running() const { return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool AppProcess::WaitForExit(DWORD ms) const { return process_ && ::WaitForSingleObject(process_, ms) == WAIT_OBJECT_0; }

namespace {
struct FindRequest {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lParam) {
    auto* req = reinterpret_cast<FindRequest*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[256] = {};
    ::GetClassNameW(hwnd, cls, 256);
    if (pid == req->pid && wcscmp(cls, req->className) == 0 && ::IsWindowVisible(hwnd)) {
        req->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectStatic(HWND hwnd, LPARAM lParam) {
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    if (_wcsicmp(cls, L"Static") == 0) {
        std::wstring text = WindowText(hwnd);
        if (!text.empty()) {
            auto* out = reinterpret_cast<std::wstring*>(lParam);
            if (!out->empty()) *out += L"\n";
            *out += text;
        }
    }
    return TRUE;
}
}  // namespace

HWND AppProcess::WaitForWindow(const wchar_t* className, DWORD ms) const {
    FindRequest req{id_, className, nullptr};
    WaitUntil([&] {
        ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&req));
        return req.found || !Running();
    }, ms);
    return req.found;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[2048] = {};
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kWaitLimitMs, nullptr);
    return text;
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    ::EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

void PressButton(HWND box, int id) { ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

}  // namespace testing_support
