#pragma once
// The application object: binds the platform, the camera library and the
// codec library for the whole run and releases them in reverse order.
#include <windows.h>

#include <memory>

#include "Application.h"
#include "DeviceControl.h"
#include "JpegCodecLibrary.h"
#include "base/AppServices.h"

class CControlDialog;
class CMainFrame;

class CPictavoApp : public fw::Application, public IAppServices {
public:
    CPictavoApp();
    ~CPictavoApp() override;

    device::IDeviceControl* deviceControl() const override { return device_; }
    CMainFrame* mainFrame() const { return mainFrame_; }
    CControlDialog* controlDialog() const override { return controlDialog_.get(); }
    device::FncLoadJpegWFn fncLoadJpegW() const override { return fncLoadJpegW_; }
    device::FncSaveJpegWFn fncSaveJpegW() const override { return fncSaveJpegW_; }

    int LoadDll(const wchar_t* fileName);
    int UnloadDll();
    int LoadJpegDll();
    int UnloadJpegDll();

    void OnAppAbout();
    void OnHelp();
    bool OnCommand(UINT id) override;
    bool OnUpdateCommand(UINT id, fw::CommandState& state) override;

protected:
    bool InitInstance() override;
    int ExitInstance() override;
    // Everything after the platform and the single-instance mutex: templates,
    // the camera library (none for null), the codec library, the main frame.
    bool StartCore(const wchar_t* deviceLibrary);
    // The libraries, once the main frame is gone.
    void ReleaseCore();

private:
    bool CreateSingleInstanceMutex();
    bool CreateDocTemplates();
    bool CreateMainFrame();
    void Fail(UINT messageId);

    HMODULE deviceLibrary_ = nullptr;
    device::CreateInstanceFn createInstance_ = nullptr;
    device::ReleaseInstanceFn releaseInstance_ = nullptr;
    device::IDeviceControl* device_ = nullptr;
    std::unique_ptr<CControlDialog> controlDialog_;
    HMODULE jpegLibrary_ = nullptr;
    device::FncLoadJpegWFn fncLoadJpegW_ = nullptr;
    device::FncSaveJpegWFn fncSaveJpegW_ = nullptr;
    CMainFrame* mainFrame_ = nullptr;  // owned by its window, deleted at WM_NCDESTROY
    bool oleInitialized_ = false;
};

// The one application object of the process.
CPictavoApp* PictavoApp();
