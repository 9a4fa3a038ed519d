#pragma once
// Turns a baseline JPEG file into one the camera plays: the source's SOI, a
// new EXIF APP1 segment (see ExifLayout.h), then every other byte of the
// source unchanged. One object per file.
#include <windows.h>

#include <string>

#include "Handles.h"

class CExifHdrAdd {
public:
    // `dc`: the reference context for the thumbnail's scaling, owned from now on.
    explicit CExifHdrAdd(fw::WindowDC dc);
    virtual ~CExifHdrAdd();
    CExifHdrAdd(const CExifHdrAdd&) = delete;
    CExifHdrAdd& operator=(const CExifHdrAdd&) = delete;

    // The destination may be the source. Nothing is written unless the whole
    // new file is ready, and the destination is replaced only once complete.
    bool AddExifHeader(const wchar_t* source, const wchar_t* destination);

    // The whole of an existing file; false for a missing or empty one.
    static bool GetJpegData(const std::wstring& path, std::string& bytes);

private:
    void SetDateTime();
    bool ReadJpegData(const wchar_t* source);
    bool MakeThumbnail(const wchar_t* source);
    bool WriteExifData(const wchar_t* destination);

    fw::WindowDC dc_;
    std::string source_;
    std::string thumbnail_;
    int width_ = 0;
    int height_ = 0;
    int thumbWidth_ = 0;
    int thumbHeight_ = 0;
    std::wstring dateTime_;
    std::wstring cacheFolder_;
    std::wstring thumbnailFile_;
    bool createdCacheFolder_ = false;
};

// "<temp folder>\PictavoQZT_Cache", where conversions keep their passing files.
std::wstring ConversionCacheFolder();
// Creates the cache folder when missing; `created` tells whether this call did.
bool EnsureCacheFolder(const std::wstring& folder, const wchar_t* origin, bool* created = nullptr);
