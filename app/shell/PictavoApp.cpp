#include "shell/PictavoApp.h"

#include <commctrl.h>
#include <ole2.h>

#include <new>
#include <string>

#include "live/AnimeDoc.h"
#include "live/AnimeFrame.h"
#include "live/AnimeView.h"
#include "base/ControlDialog.h"
#include "Dialog.h"
#include "InstalledLibrary.h"
#include "still/ImageDoc.h"
#include "still/ImageFrame.h"
#include "still/ImageView.h"
#include "shell/MainFrame.h"
#include "MessageBox.h"
#include "Strings.h"
#include "base/TraceLog.h"
#include "SharedNames.h"
#include "base/Utilities.h"
#include "resource.h"

namespace {

// Held from start-up to exit; the TWAIN data source takes the same name, so
// only one of the two ever uses the camera.
HANDLE g_singleInstanceMutex = nullptr;
constexpr const wchar_t* kDeviceLibrary = L"KorvoDocCameraIM.dll";

class CAboutDlg : public fw::Dialog {
public:
    CAboutDlg() : fw::Dialog(IDD_ABOUTBOX) {}
};

// A bare name from the program's own folder and the system folder only: a
// copy planted in the current folder or on PATH is never loaded. A full path
// (the tests' own camera) is taken as it is.
HMODULE LoadOwnLibrary(const wchar_t* name) {
    const std::wstring path = name;
    const size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) return device::LoadLibraryFrom({path.substr(0, slash)}, name + slash + 1);
    return device::LoadLibraryFrom({device::ModuleFolder(nullptr), device::SystemFolder()}, name);
}

}  // namespace

CPictavoApp* PictavoApp() { return static_cast<CPictavoApp*>(fw::Application::Instance()); }

CPictavoApp::CPictavoApp() = default;
CPictavoApp::~CPictavoApp() = default;

void CPictavoApp::Fail(UINT messageId) { fw::AppMessageBox(fw::LoadResString(messageId), MB_OK | MB_ICONERROR); }

bool CPictavoApp::InitInstance() {
    const wchar_t* src = L"CPictavoApp::InitInstance";
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    if (FAILED(::OleInitialize(nullptr))) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [AfxOleInit()] function.");
        Fail(IDS_INIT_FAILED);
        return false;
    }
    oleInitialized_ = true;

    if (!CreateSingleInstanceMutex()) return false;

    if (!StartCore(kDeviceLibrary)) return false;
    // The command line is parsed by convention only: no document is created
    // or opened at start, whatever it says.
    ::ShowWindow(mainWindow(), showCommand());
    ::UpdateWindow(mainWindow());
    return true;
}

bool CPictavoApp::StartCore(const wchar_t* deviceLibrary) {
    const wchar_t* src = L"CPictavoApp::InitInstance";
    try {
        controlDialog_ = std::make_unique<CControlDialog>();
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, src, L"CControlDialog");
        Fail(IDS_INIT_FAILED);
        return false;
    }
    if (!CreateDocTemplates()) return false;

    if (deviceLibrary && !LoadDll(deviceLibrary)) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [LoadDll] function.");
        return false;
    }
    LoadJpegDll();
    SetHelpFilePath(GetHelpFilePath());
    return CreateMainFrame();
}

bool CPictavoApp::CreateSingleInstanceMutex() {
    switch (CreateGlobalMutex(device::kGlobalMutexNameW, true, &g_singleInstanceMutex)) {
    case kMutexCreated:
        return true;
    case kMutexExists:
        Fail(IDS_ALREADY_LAUNCHED);
        return false;
    case kMutexAccessDenied:
        Fail(IDS_ALREADY_USED);
        return false;
    default:
        Fail(IDS_INIT_FAILED);
        return false;
    }
}

bool CPictavoApp::CreateDocTemplates() {
    try {
        fw::DocTemplate::Factories image;
        image.document = [] { return std::make_unique<CImageDoc>(); };
        // Windows are made once the main frame exists; it is their host.
        image.frame = [this] { return std::make_unique<CImageFrame>(mainFrame_); };
        image.view = [this] { return std::make_unique<CImageView>(mainFrame_); };
        AddDocTemplate(
            std::make_unique<fw::DocTemplate>(IDR_IMAGETYPE, fw::LoadResString(IDR_IMAGETYPE), std::move(image)));
        fw::DocTemplate::Factories anime;
        anime.document = [] { return std::make_unique<CAnimeDoc>(); };
        anime.frame = [this] { return std::make_unique<CAnimeFrame>(mainFrame_); };
        anime.view = [this] { return std::make_unique<CAnimeView>(mainFrame_); };
        AddDocTemplate(
            std::make_unique<fw::DocTemplate>(IDR_ANIMETYPE, fw::LoadResString(IDR_ANIMETYPE), std::move(anime)));
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, L"CPictavoApp::InitInstance", L"CMultiDocTemplate");
        Fail(IDS_INIT_FAILED);
        return false;
    }
    return true;
}

bool CPictavoApp::CreateMainFrame() {
    const wchar_t* src = L"CPictavoApp::InitInstance";
    std::unique_ptr<CMainFrame> frame;
    try {
        frame = std::make_unique<CMainFrame>();
    } catch (const std::bad_alloc&) {
        WriteTraceLogNoMemory(kTraceApp, src, L"new CMainFrame");
        Fail(IDS_INIT_FAILED);
        return false;
    }
    // Until its window exists the frame is ours; a creation that fails part
    // way has already run the final hook, which must not delete it.
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | fw::MdiFrame::kAddToTitle)) {
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [LoadFrame] function.");
        Fail(IDS_INIT_FAILED);
        return false;
    }
    frame->SetAutoDelete(true);
    mainFrame_ = frame.release();
    return true;
}

int CPictavoApp::LoadDll(const wchar_t* fileName) {
    const wchar_t* src = L"CPictavoApp::LoadDll";
    deviceLibrary_ = LoadOwnLibrary(fileName);
    if (!deviceLibrary_) {
        WriteTraceLogLastError(kTraceApp, src, L"LoadLibrary");
        fw::AppMessageBox(fw::Format(fw::LoadResString(IDS_LOAD_LIBRARY).c_str(), fileName), MB_OK | MB_ICONERROR);
        return 0;
    }
    createInstance_ = reinterpret_cast<device::CreateInstanceFn>(::GetProcAddress(deviceLibrary_, "CreateInstance"));
    releaseInstance_ =
        createInstance_ ? reinterpret_cast<device::ReleaseInstanceFn>(::GetProcAddress(deviceLibrary_, "ReleaseInstance"))
                        : nullptr;
    if (!createInstance_ || !releaseInstance_) {
        WriteTraceLogLastError(kTraceApp, src, L"GetProcAddress");
    } else if (!createInstance_(&device_) || !device_) {
        device_ = nullptr;
        WriteTraceLog(kTraceApp, src, L"The error occurred with the [fncCreateInstance] function.");
    } else {
        return 1;
    }
    ::FreeLibrary(deviceLibrary_);
    deviceLibrary_ = nullptr;
    createInstance_ = nullptr;
    releaseInstance_ = nullptr;
    Fail(IDS_INIT_FAILED);
    return 0;
}

int CPictavoApp::UnloadDll() {
    if (device_ && releaseInstance_) releaseInstance_(&device_);
    device_ = nullptr;
    if (!deviceLibrary_) return 1;
    if (!::FreeLibrary(deviceLibrary_)) {
        WriteTraceLogLastError(kTraceApp, L"CPictavoApp::UnloadDll", L"FreeLibrary");
        return 0;
    }
    deviceLibrary_ = nullptr;
    return 1;
}

int CPictavoApp::LoadJpegDll() {
    const wchar_t* src = L"CPictavoApp::LoadJpegDll";
    const wchar_t* name = nullptr;
    switch (GetJpegLibSetting()) {
    case 1: name = L"PictavoSIMD.dll"; break;
    case 2: name = L"PictavoIJG.dll"; break;
    default:
        WriteTraceLog(kTraceApp, src, L"The library is not used.");
        jpegLibrary_ = nullptr;
        return 0;
    }
    WriteTraceLog(kTraceApp, src, L"%s library used.", name);
    jpegLibrary_ = LoadOwnLibrary(name);
    if (!jpegLibrary_) {
        WriteTraceLogLastError(kTraceApp, src, L"LoadLibrary");
        return 0;
    }
    fncLoadJpegW_ = reinterpret_cast<device::FncLoadJpegWFn>(::GetProcAddress(jpegLibrary_, "FncLoadJpegW"));
    fncSaveJpegW_ =
        fncLoadJpegW_ ? reinterpret_cast<device::FncSaveJpegWFn>(::GetProcAddress(jpegLibrary_, "FncSaveJpegW")) : nullptr;
    if (!fncLoadJpegW_ || !fncSaveJpegW_) {
        WriteTraceLogLastError(kTraceApp, src, L"GetProcAddress");
        ::FreeLibrary(jpegLibrary_);
        jpegLibrary_ = nullptr;
        fncLoadJpegW_ = nullptr;
        fncSaveJpegW_ = nullptr;
        return 0;
    }
    return 1;
}

int CPictavoApp::UnloadJpegDll() {
    if (!jpegLibrary_) return 1;
    if (!::FreeLibrary(jpegLibrary_)) {
        WriteTraceLogLastError(kTraceApp, L"CPictavoApp::UnloadJpegDll", L"FreeLibrary");
        return 0;
    }
    jpegLibrary_ = nullptr;
    fncLoadJpegW_ = nullptr;
    fncSaveJpegW_ = nullptr;
    return 1;
}

void CPictavoApp::ReleaseCore() {
    // The main frame is gone by now, and with it the camera connection.
    mainFrame_ = nullptr;
    UnloadDll();
    UnloadJpegDll();
}

int CPictavoApp::ExitInstance() {
    ReleaseCore();
    if (g_singleInstanceMutex) {
        ::CloseHandle(g_singleInstanceMutex);
        g_singleInstanceMutex = nullptr;
    }
    controlDialog_.reset();
    if (oleInitialized_) ::OleUninitialize();
    return fw::Application::ExitInstance();
}

void CPictavoApp::OnAppAbout() {
    CAboutDlg dlg;
    dlg.DoModal(mainWindow());
}

bool CPictavoApp::OnCommand(UINT id) {
    switch (id) {
    case ID_APP_ABOUT: OnAppAbout(); return true;
    case ID_HELP_FINDER: OnHelp(); return true;
    default: return false;
    }
}

bool CPictavoApp::OnUpdateCommand(UINT id, fw::CommandState&) { return id == ID_APP_ABOUT || id == ID_HELP_FINDER; }

void CPictavoApp::OnHelp() {
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    constexpr UINT kDisplayTopic = 0;
    static HMODULE hhctrl = ::LoadLibraryW(L"hhctrl.ocx");
    auto htmlHelp = hhctrl ? reinterpret_cast<HtmlHelpFn>(::GetProcAddress(hhctrl, "HtmlHelpW")) : nullptr;
    const std::wstring& path = helpFilePath();
    if (path.empty() || !PathExists(path) || !htmlHelp || !htmlHelp(mainWindow(), path.c_str(), kDisplayTopic, 0))
        fw::AppMessageBox(fw::LoadResString(IDS_OPEN_FAILED), MB_OK | MB_ICONERROR);
}
