// Presentations: every slide through the presentation server's automation
// objects (Application, Presentations, Presentation, Slides, Slide).
#include "convert/ConvertJob.h"

#include "base/AppServices.h"
#include "base/TraceLog.h"
#include "convert/Automation.h"
#include "convert/ExifHdrAdd.h"
#include "resource.h"

namespace {

using automation::ComRef;

constexpr const wchar_t* kExportPpt = L"CPptDlg::ExportPPT";
constexpr const wchar_t* kPptToExif = L"CPptDlg::PptToExif";
// The server's dispatch ids.
constexpr DISPID kItem = 0;
constexpr DISPID kCount = 11;
constexpr DISPID kPresentations = 2001;
constexpr DISPID kOpen = 2004;
constexpr DISPID kSlides = 2011;
constexpr DISPID kExport = 2025;
constexpr int kTries = 3;

}  // namespace

HRESULT CConvertJob::CreatePresentationServer(IDispatch** application) {
    CLSID id{};
    HRESULT hr = ::CLSIDFromProgID(L"PowerPoint.Application", &id);
    if (FAILED(hr)) return hr;
    return ::CoCreateInstance(id, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(application));
}

HRESULT CConvertJob::CreateServerWithRetries(IDispatch** application) {
    HRESULT hr = E_FAIL;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        hr = createServer ? createServer(application) : E_NOTIMPL;
        if (SUCCEEDED(hr) && *application) return S_OK;
        WriteTraceLogStep(kTraceApp, kExportPpt, L"CreateDispatch()");
        // Only a server that could not be started yet is worth another try.
        if (hr != CO_E_SERVER_EXEC_FAILURE) break;
        if (attempt < kTries) ::Sleep(1000);
    }
    return FAILED(hr) ? hr : E_FAIL;
}

bool CConvertJob::ExportPPT(const std::wstring& file, const std::wstring& destination) {
    if (SkipStopped(file)) return true;
    ComRef<IDispatch> application;
    if (FAILED(CreateServerWithRetries(application.receive()))) {
        errors_.AddError(IDS_CONVERT_FAILED, file);
        return false;
    }
    ComRef<IDispatch> presentations, presentation, slides;
    HRESULT hr = automation::GetObject(application.get(), kPresentations, presentations);
    if (SUCCEEDED(hr))
        hr = automation::CallForObject(presentations.get(), kOpen, {file, 0L, 0L, 0L},
                                       presentation);
    if (SUCCEEDED(hr)) hr = automation::GetObject(presentation.get(), kSlides, slides);
    if (FAILED(hr)) {
        WriteTraceLogStep(kTraceApp, kExportPpt, L"Open()");
        errors_.AddError(IDS_CONVERT_FAILED, file);
        return false;
    }
    // The presentation stays open and the server running: the user may be working in it.
    return ExportSlides(slides.get(), file, destination);
}

bool CConvertJob::ExportSlides(IDispatch* slides, const std::wstring& file, const std::wstring& destination) {
    long count = 0;
    // The count is read again before every slide.
    for (long i = 1; SUCCEEDED(automation::GetLong(slides, kCount, count)) && i <= count; ++i) {
        if (abort_) return false;
        if (keepGoing && !keepGoing() && !stop_) {
            errors_.AddError(IDS_OPERATION_CANCELED, file);
            stop_ = true;
            stopMessage_ = IDS_OPERATION_CANCELED;
            return false;
        }
        std::wstring name;
        if (!CreateConvFileName(destination, name)) {
            WriteTraceLogStep(kTraceApp, kExportPpt, L"CreateConvFileName()");
            if (stop_) errors_.AddError(stopMessage_, file);
            return false;
        }
        ComRef<IDispatch> slide;
        automation::CallForObject(slides, kItem, {i}, slide);
        if (!PptToExif(file, slide.get(), name)) {
            WriteTraceLogStep(kTraceApp, kExportPpt, L"PptToExif()");
            if (stop_) errors_.AddError(stopMessage_, file);
            return false;
        }
    }
    return true;
}

bool CConvertJob::PptToExif(const std::wstring& file, IDispatch* slide, const std::wstring& name) {
    const std::wstring cache = ConversionCacheFolder();
    const std::wstring temp = cache + L"\\PTJ_TEMP.tmp";
    if (!EnsureCacheFolder(cache, kPptToExif)) {
        abort_ = true;
        return false;
    }
    HBITMAP loaded = nullptr;
    if (SUCCEEDED(automation::Call(slide, kExport, {temp, std::wstring(L"jpg"), 1024L, 768L}))) {
        fw::WindowDC dc(window_);
        AppJpegCoder().LoadJpegFile(&loaded, temp.c_str(), dc.get(), 0, 0);
    }
    ::DeleteFileW(temp.c_str());
    if (!loaded) {
        WriteTraceLogStep(kTraceApp, kPptToExif, L"Load()");
        errors_.AddError(IDS_CONVERT_FAILED, file);
        return false;
    }
    return SaveWithExif(loaded, file, name, kPptToExif);
}
