#pragma once
// One conversion run, the work behind the conversion dialog: presentations
// (every slide), JPEG and BMP files become IMAG????.jpg files on the camera's
// canvas with its EXIF layout. It runs on the progress dialog's worker thread
// and knows no window but the one it borrows a device context from.
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>
#include <vector>

#include "convert/ErrorList.h"

class CConvertJob {
public:
    struct Source {
        bool fileMode = true;
        std::wstring file;       // file mode
        std::wstring folder;     // folder mode
        std::wstring destination;
    };
    // Makes the presentation server's application object.
    using ServerFactory = std::function<HRESULT(IDispatch** application)>;

    // `window`: the dialog whose device context the pictures are made with.
    explicit CConvertJob(HWND window = nullptr);
    void SetWindow(HWND window) { window_ = window; }

    // Asked between files and slides: false once the user has cancelled.
    std::function<bool()> keepGoing;
    // converted so far, out of total.
    std::function<void(int converted, int total)> progress;
    // "PowerPoint.Application" by default.
    ServerFactory createServer;

    // Runs the whole conversion; the error list holds what went wrong.
    void DoConvert(const Source& source);

    CErrorList& errors() { return errors_; }
    // A fatal failure: the run stopped and its error list is not to be shown.
    bool aborted() const { return abort_; }
    // The control to give the focus after a refused single source, or 0.
    UINT focusControl() const { return focus_; }

    static HRESULT CreatePresentationServer(IDispatch** application);

private:
    void Reset();
    void ConvertSingle(const Source& source);
    void FilePluralConvert(const Source& source);
    void CollectFiles(const std::wstring& folder, const wchar_t* extension);
    bool ConvertFile(const std::wstring& destination);
    bool ExportFile(const std::wstring& file, const std::wstring& destination);
    void Report(int converted, int total);

    // Common start of every export: true when the file only gets the stop message.
    bool SkipStopped(const std::wstring& file);
    bool CreateConvFileName(const std::wstring& folder, std::wstring& name);
    bool ExportPicture(const std::wstring& file, const std::wstring& destination, bool bitmap);
    bool JpegToExif(const std::wstring& file, const std::wstring& name);
    bool BmpToExif(const std::wstring& file, const std::wstring& name);
    bool SaveWithExif(HBITMAP picture, const std::wstring& file, const std::wstring& name, const wchar_t* origin);

    // Presentations (SlideExport.cpp).
    bool ExportPPT(const std::wstring& file, const std::wstring& destination);
    bool ExportSlides(IDispatch* slides, const std::wstring& file, const std::wstring& destination);
    bool PptToExif(const std::wstring& file, IDispatch* slide, const std::wstring& name);
    HRESULT CreateServerWithRetries(IDispatch** application);

    HWND window_;
    CErrorList errors_;
    std::vector<std::wstring> files_;
    int lastNumber_ = 0;
    bool numberKnown_ = false;
    int converted_ = 0;
    bool stop_ = false;
    UINT stopMessage_ = 0;
    bool abort_ = false;
    UINT focus_ = 0;
};
