#include "convert/ExifHdrAdd.h"

#include <ctime>
#include <new>

#include "SafeFileWriter.h"
#include "base/AppServices.h"
#include "base/ControlDialog.h"
#include "base/TraceLog.h"
#include "base/Utilities.h"
#include "convert/ExifLayout.h"
#include "DibSection.h"
#include "resource.h"

namespace {

constexpr const wchar_t* kRead = L"CExifHdrAdd::ReadJpegData";
constexpr const wchar_t* kWrite = L"CExifHdrAdd::WriteExifData";
constexpr int kThumbWidth = 160;
constexpr int kThumbHeight = 120;

void NoMemory(const wchar_t* origin) {
    WriteTraceLogNoMemory(kTraceApp, origin, L"new");
    ShowAppMessage(IDS_NO_RESOURCES, MB_OK | MB_ICONERROR);
}

}  // namespace

std::wstring ConversionCacheFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = temp;
    AddBackslash(folder);
    return folder + L"PictavoQZT_Cache";
}

bool EnsureCacheFolder(const std::wstring& folder, const wchar_t* origin, bool* created) {
    if (created) *created = false;
    if (PathExists(folder)) return true;
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) {
        WriteTraceLogLastError(kTraceApp, origin, L"CreateDirectory");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return false;
    }
    if (created) *created = true;
    return true;
}

CExifHdrAdd::CExifHdrAdd(fw::WindowDC dc)
    : dc_(std::move(dc)), cacheFolder_(ConversionCacheFolder()), thumbnailFile_(cacheFolder_ + L"\\EHA_THUMB.tmp") {}

CExifHdrAdd::~CExifHdrAdd() {
    if (!createdCacheFolder_) return;
    try {
        DeleteFolderTree(cacheFolder_);
    } catch (const FileException&) {
        // Left for the main frame, which clears the folder when it closes.
    }
}

bool CExifHdrAdd::AddExifHeader(const wchar_t* source, const wchar_t* destination) {
    SetDateTime();
    if (!ReadJpegData(source)) {
        WriteTraceLogStep(kTraceApp, L"CExifHdrAdd::AddExifHeader", L"ReadJpegData()");
        return false;
    }
    if (!WriteExifData(destination)) {
        WriteTraceLogStep(kTraceApp, L"CExifHdrAdd::AddExifHeader", L"WriteExifData()");
        return false;
    }
    return true;
}

void CExifHdrAdd::SetDateTime() {
    dateTime_.clear();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_s(&local, &now) != 0) return;
    wchar_t text[128] = {};
    if (std::wcsftime(text, 128, L"%Y:%m:%d %H:%M:%S", &local) > 0) dateTime_ = text;
}

bool CExifHdrAdd::GetJpegData(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    // Existing files only: a missing source must not come into being empty.
    fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart == 0 || size.QuadPart > 0x7FFFFFFF)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (::ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size())
        return true;
    bytes.clear();
    return false;
}

bool CExifHdrAdd::ReadJpegData(const wchar_t* source) {
    bool created = false;
    if (!EnsureCacheFolder(cacheFolder_, kRead, &created)) return false;
    createdCacheFolder_ = createdCacheFolder_ || created;
    try {
        if (!GetJpegData(source, source_)) {
            WriteTraceLogStep(kTraceApp, kRead, L"GetJpegData()[1]");
            return false;
        }
    } catch (const std::bad_alloc&) {
        NoMemory(L"CExifHdrAdd::GetJpegData");
        return false;
    }
    CJpegCoder coder = AppJpegCoder();
    HBITMAP full = nullptr;
    if (!coder.LoadJpegFile(&full, source, dc_.get(), 0, 0)) {
        WriteTraceLogStep(kTraceApp, kRead, L"Load()[1]");
        return false;
    }
    device::GetBitmapSize(full, &width_, &height_);
    ::DeleteObject(full);
    return MakeThumbnail(source);
}

bool CExifHdrAdd::MakeThumbnail(const wchar_t* source) {
    CJpegCoder coder = AppJpegCoder();
    HBITMAP small = nullptr;
    if (!coder.LoadJpegFile(&small, source, dc_.get(), kThumbWidth, kThumbHeight)) {
        WriteTraceLogStep(kTraceApp, kRead, L"Load()[2]");
        return false;
    }
    device::GetBitmapSize(small, &thumbWidth_, &thumbHeight_);
    const int saved = coder.SaveJpeg(thumbnailFile_.c_str(), small, 75);
    ::DeleteObject(small);
    if (!saved) {
        WriteTraceLogStep(kTraceApp, kRead, L"Save()");
        return false;
    }
    bool read = false;
    try {
        read = GetJpegData(thumbnailFile_, thumbnail_);
    } catch (const std::bad_alloc&) {
        NoMemory(L"CExifHdrAdd::GetJpegData");
    }
    ::DeleteFileW(thumbnailFile_.c_str());
    if (!read) WriteTraceLogStep(kTraceApp, kRead, L"GetJpegData()[2]");
    return read;
}

bool CExifHdrAdd::WriteExifData(const wchar_t* destination) {
    std::string file;
    try {
        exif::ExifFields fields;
        fields.width = static_cast<uint32_t>(width_);
        fields.height = static_cast<uint32_t>(height_);
        fields.dateTime = dateTime_;
        fields.thumbnail = thumbnail_;
        file = exif::InsertAfterSoi(source_, exif::BuildApp1(fields));
    } catch (const std::bad_alloc&) {
        NoMemory(kWrite);
        WriteTraceLogStep(kTraceApp, kWrite, L"CreateIFD0()");
        ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
        return false;
    }
    if (device::WriteFileSafely(destination, file.data(), file.size())) return true;
    WriteTraceLogStep(kTraceApp, kWrite, L"Open()");
    ShowAppMessage(IDS_INTERNAL_ERROR, MB_OK | MB_ICONERROR);
    return false;
}
