#include "convert/ConvertJob.h"

#include <memory>

#include "Handles.h"
#include "Strings.h"
#include "base/AppServices.h"
#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "base/Utilities.h"
#include "convert/CameraCanvas.h"
#include "convert/ExifHdrAdd.h"
#include "convert/ImageNumbering.h"
#include "picture/BitmapFile.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kConvertFile = L"CPptDlg::ConvertFile";

enum class Kind { None, Jpeg, Bitmap, Slides };

bool EndsWithNoCase(const std::wstring& text, const wchar_t* ending) {
    const size_t n = wcslen(ending);
    return text.size() >= n && ::lstrcmpiW(text.c_str() + text.size() - n, ending) == 0;
}

Kind KindOf(const std::wstring& file) {
    if (EndsWithNoCase(file, L".PPT") || EndsWithNoCase(file, L".PPTX")) return Kind::Slides;
    if (EndsWithNoCase(file, L".JPG")) return Kind::Jpeg;
    if (EndsWithNoCase(file, L".BMP")) return Kind::Bitmap;
    return Kind::None;
}

using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, decltype(&::DeleteObject)>;
Bitmap OwnBitmap(HBITMAP bitmap) { return Bitmap(bitmap, &::DeleteObject); }

}  // namespace

CConvertJob::CConvertJob(HWND window) : createServer(&CConvertJob::CreatePresentationServer), window_(window) {}

void CConvertJob::Reset() {
    errors_.FreeErrorList();
    files_.clear();
    numberKnown_ = false;
    lastNumber_ = 0;
    converted_ = 0;
    stop_ = false;
    stopMessage_ = 0;
    abort_ = false;
    focus_ = 0;
}

void CConvertJob::Report(int converted, int total) {
    if (progress) progress(converted, total);
}

void CConvertJob::DoConvert(const Source& source) {
    Reset();
    if (source.fileMode)
        ConvertSingle(source);
    else
        FilePluralConvert(source);
}

void CConvertJob::ConvertSingle(const Source& source) {
    Report(0, 1);
    // ".jpeg" and the like are refused: the camera's own names end in ".jpg".
    if (KindOf(source.file) == Kind::None) {
        ShowAppMessage(IDS_INVALID_FILE_TYPE, MB_OK | MB_ICONEXCLAMATION);
        focus_ = IDC_CNV_SOURCE_FILE;
        return;
    }
    ExportFile(source.file, source.destination);
    Report(1, 1);
    ::Sleep(100);  // lets the full bar be seen before the dialog goes
}

void CConvertJob::FilePluralConvert(const Source& source) {
    files_.clear();
    std::wstring folder = source.folder;
    AddBackslash(folder);
    for (const wchar_t* extension : {L"JPG", L"BMP", L"PPT", L"PPTX"}) CollectFiles(folder, extension);
    if (files_.empty()) {
        ShowAppMessage(IDS_NOTHING_TO_CONVERT, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    converted_ = 0;
    Report(0, static_cast<int>(files_.size()));
    if (!ConvertFile(source.destination))
        WriteTraceLogStep(kTraceApp, L"CPptDlg::FilePluralConvert", L"ConvertFile()[PPT]");
    files_.clear();
}

void CConvertJob::CollectFiles(const std::wstring& folder, const wchar_t* extension) {
    WIN32_FIND_DATAW found{};
    fw::FindHandle find(::FindFirstFileW(fw::Format(L"%s*.%s", folder.c_str(), extension).c_str(), &found));
    if (!find) return;
    const std::wstring wanted = std::wstring(L".") + extension;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring path = folder + found.cFileName;
        // "*.PPT" also lists short-name matches of ".pptx" files: keep exact ones.
        const wchar_t* dot = wcsrchr(found.cFileName, L'.');
        if (dot && ::lstrcmpiW(dot, wanted.c_str()) == 0 && path.size() < MAX_PATH) files_.push_back(path);
    } while (::FindNextFileW(find.get(), &found));
}

bool CConvertJob::ConvertFile(const std::wstring& destination) {
    const int total = static_cast<int>(files_.size());
    for (const std::wstring& file : files_) {
        Report(converted_, total);
        if (!ExportFile(file, destination)) {
            const wchar_t* step = KindOf(file) == Kind::Slides ? L"ExportPPT()"
                                  : KindOf(file) == Kind::Jpeg ? L"ExportJPEG()"
                                                               : L"ExportBMP()";
            WriteTraceLogStep(kTraceApp, kConvertFile, step);
        }
        ++converted_;
        Report(converted_, total);
        if (abort_) return false;
        if (keepGoing && !keepGoing() && !stop_) {
            stop_ = true;
            stopMessage_ = IDS_OPERATION_CANCELED;
        }
    }
    return true;
}

bool CConvertJob::ExportFile(const std::wstring& file, const std::wstring& destination) {
    switch (KindOf(file)) {
    case Kind::Slides: return ExportPPT(file, destination);
    case Kind::Jpeg: return ExportPicture(file, destination, false);
    case Kind::Bitmap: return ExportPicture(file, destination, true);
    case Kind::None: break;
    }
    return false;
}

bool CConvertJob::SkipStopped(const std::wstring& file) {
    if (!stop_ || !stopMessage_) return false;
    errors_.AddError(stopMessage_, file);
    return true;
}

bool CConvertJob::CreateConvFileName(const std::wstring& folder, std::wstring& name) {
    std::wstring base = folder;
    AddBackslash(base);
    if (!numberKnown_) {
        lastNumber_ = FindMaxImageNumber(base);
        numberKnown_ = true;
    }
    if (lastNumber_ >= kLastImageNumber) {
        stop_ = true;
        stopMessage_ = IDS_OUTPUT_FILE_EXISTS;
        return false;
    }
    name = ImageFileName(base, lastNumber_ + 1);
    if (name.size() > MAX_PATH) {
        stop_ = true;
        stopMessage_ = IDS_OUTPUT_FOLDER_UNAVAILABLE;
        return false;
    }
    ++lastNumber_;
    return true;
}

bool CConvertJob::ExportPicture(const std::wstring& file, const std::wstring& destination, bool bitmap) {
    if (SkipStopped(file)) return true;
    const wchar_t* origin = bitmap ? L"CPptDlg::ExportBMP" : L"CPptDlg::ExportJPEG";
    std::wstring name;
    bool named = CreateConvFileName(destination, name);
    if (!named) WriteTraceLogStep(kTraceApp, origin, L"CreateConvFileName()");
    if (named && (bitmap ? BmpToExif(file, name) : JpegToExif(file, name))) return true;
    if (named) WriteTraceLogStep(kTraceApp, origin, bitmap ? L"BmpToExif()" : L"JpegToExif()");
    if (stop_) errors_.AddError(stopMessage_, file);
    return false;
}

bool CConvertJob::JpegToExif(const std::wstring& file, const std::wstring& name) {
    HBITMAP loaded = nullptr;
    {
        fw::WindowDC dc(window_);
        AppJpegCoder().LoadJpegFile(&loaded, file.c_str(), dc.get(), 0, 0);
    }
    if (!loaded) {
        WriteTraceLogStep(kTraceApp, L"CPptDlg::JpegToExif", L"Load()");
        errors_.AddError(IDS_CONVERT_FAILED, file);
        return false;
    }
    return SaveWithExif(loaded, file, name, L"CPptDlg::JpegToExif");
}

bool CConvertJob::BmpToExif(const std::wstring& file, const std::wstring& name) {
    const wchar_t* origin = L"CPptDlg::BmpToExif";
    PictureRecord record;
    CBitmapFile bitmaps;
    if (!bitmaps.Load(file.c_str(), &record)) {
        WriteTraceLogStep(kTraceApp, origin, L"Load()");
        errors_.AddError(IDS_CONVERT_FAILED, file);
        return false;
    }
    Bitmap loaded = OwnBitmap(record.bitmap);
    DIBSECTION dib{};
    if (::GetObjectW(loaded.get(), sizeof dib, &dib) == static_cast<int>(sizeof dib) && dib.dsBm.bmBitsPixel != 24) {
        HBITMAP copy = nullptr;
        if (!bitmaps.CopyDib(loaded.get(), &copy)) {
            WriteTraceLogStep(kTraceApp, origin, L"Convert24Bmp()");
            errors_.AddError(IDS_CONVERT_FAILED, file);
            return false;
        }
        loaded = OwnBitmap(copy);
    }
    return SaveWithExif(loaded.release(), file, name, origin);
}

// Takes `picture` over: fits it to the canvas, saves it as `name` and adds the EXIF segment.
bool CConvertJob::SaveWithExif(HBITMAP picture, const std::wstring& file, const std::wstring& name,
                               const wchar_t* origin) {
    Bitmap owned = OwnBitmap(picture);
    int width = 0, height = 0;
    BITMAP info{};
    if (::GetObjectW(picture, sizeof info, &info)) width = info.bmWidth, height = info.bmHeight;
    if (!IsCameraSize(width, height)) {
        fw::WindowDC dc(window_);
        HBITMAP canvas = ConvertBmpSize(dc.get(), picture, L"CPptDlg::ConvertBmpSize");
        if (!canvas) {
            WriteTraceLogStep(kTraceApp, origin, L"ConvertBmpSize()");
            errors_.AddError(IDS_CONVERT_FAILED, file);
            return false;
        }
        owned = OwnBitmap(canvas);
    }
    if (!AppJpegCoder().SaveJpeg(name.c_str(), owned.get(), 75)) {
        WriteTraceLogStep(kTraceApp, origin, L"Save()");
        errors_.AddError(IDS_CONVERT_FAILED, file);
        return false;
    }
    owned.reset();
    CExifHdrAdd exif{fw::WindowDC(window_)};
    if (exif.AddExifHeader(name.c_str(), name.c_str())) return true;
    WriteTraceLogStep(kTraceApp, origin, L"AddExifHeader()");
    // Without its EXIF segment the camera would refuse the file without a word.
    ::DeleteFileW(name.c_str());
    errors_.AddError(IDS_CONVERT_FAILED, file);
    return false;
}
