#pragma once
// One decoded picture on its way to a TWAIN host: the 24-bit bitmap section,
// its header, and the packed DIB (header, then bottom-up rows) that native,
// memory and file transfers hand out.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Handles.h"
#include "JpegCodecLibrary.h"
#include "Twain.h"

class CTransferImage {
public:
    static constexpr size_t kPackedHeaderSize = 44;  // a 24-bit packed DIB's header block

    explicit CTransferImage(device::FncLoadJpegAFn codec = nullptr) : codec_(codec) {}

    // Decodes a JPEG file held in memory, reduced towards `wantedWidth` (0: full size).
    bool Decode(const void* jpeg, size_t size, int wantedWidth);
    // Decodes at full size and builds the packed DIB; false when either fails.
    bool Prepare(const std::vector<BYTE>& jpeg);
    void Clear();            // bitmap and packed DIB
    void ReleaseBitmap();    // the decoded bitmap only
    void ReleasePackedDib();

    bool HasPackedDib() const { return static_cast<bool>(dib_); }
    HBITMAP bitmap() const { return static_cast<HBITMAP>(bitmap_.get()); }
    const BITMAPINFOHEADER& header() const { return header_; }
    DWORD rowLength() const;

    // Native transfer: the packed DIB changes hands; the source forgets it.
    HGLOBAL TakePackedDib() { return dib_.release(); }

    // Memory transfer: whole rows from `firstRow` (0 = top) into `buffer`, in
    // red-green-blue order when `rgb`. Returns the rows written.
    DWORD CopyRows(DWORD firstRow, BYTE* buffer, DWORD length, bool rgb) const;

    // The packed DIB as a BMP file, replacing `path` only once it is whole.
    bool WriteBmpFile(const std::string& path) const;

private:
    bool BuildPackedDib();

    device::FncLoadJpegAFn codec_;
    fw::GdiObject bitmap_;
    BITMAPINFOHEADER header_{};
    DWORD pictureWidth_ = 0, pictureHeight_ = 0, components_ = 0;
    fw::GlobalMemory dib_;
};

// Size of the BMP file holding a packed DIB with this header.
DWORD BmpFileSize(const BITMAPINFOHEADER& header);
