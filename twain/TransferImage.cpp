#include "TransferImage.h"

#include <algorithm>
#include <cstring>

#include "DibSection.h"
#include "JpegDecoder.h"
#include "PictureGeometry.h"
#include "SafeFileWriter.h"

namespace {

// The host names the file in its ANSI code page.
std::wstring WidePath(const std::string& path) {
    int length = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

}  // namespace

DWORD BmpFileSize(const BITMAPINFOHEADER& header) {
    DWORD colours = header.biClrUsed;
    DWORD wordsPerRow = (static_cast<DWORD>(header.biBitCount) * static_cast<DWORD>(header.biWidth) + 31) / 32;
    return 4 * (colours + wordsPerRow * static_cast<DWORD>(std::abs(header.biHeight))) + 54;
}

DWORD CTransferImage::rowLength() const {
    return static_cast<DWORD>(device::DibStride(static_cast<std::uint64_t>(header_.biWidth)));
}

void CTransferImage::ReleaseBitmap() { bitmap_.reset(); }

void CTransferImage::ReleasePackedDib() { dib_.reset(); }

void CTransferImage::Clear() {
    ReleaseBitmap();
    ReleasePackedDib();
}

bool CTransferImage::Decode(const void* jpeg, size_t size, int wantedWidth) {
    ReleaseBitmap();
    if (!jpeg || !size) return false;
    HBITMAP decoded = nullptr;
    DWORD info[3] = {};
    bool ok = codec_ ? codec_(nullptr, jpeg, static_cast<DWORD>(size), &decoded, wantedWidth, 0, info) != 0
                     : device::DecodeJpegToDib(device::JpegInput{nullptr, nullptr, jpeg, size}, wantedWidth, 0,
                                               &decoded, info);
    if (!ok || !decoded) return false;
    bitmap_.reset(decoded);
    DIBSECTION section{};
    // Only a 24-bit section is something the rows below can be copied from.
    if (::GetObjectW(decoded, sizeof(section), &section) != sizeof(section) || section.dsBmih.biBitCount != 24) {
        ReleaseBitmap();
        return false;
    }
    header_ = section.dsBmih;
    header_.biSize = sizeof(BITMAPINFOHEADER);
    header_.biHeight = std::abs(header_.biHeight);
    header_.biCompression = BI_RGB;
    header_.biSizeImage = rowLength() * static_cast<DWORD>(header_.biHeight);
    header_.biXPelsPerMeter = header_.biYPelsPerMeter = picture_geometry::kPelsPerMeter;
    pictureWidth_ = info[0];
    pictureHeight_ = info[1];
    components_ = info[2];
    return true;
}

bool CTransferImage::Prepare(const std::vector<BYTE>& jpeg) {
    Clear();
    if (!Decode(jpeg.data(), jpeg.size(), 0) || !BuildPackedDib()) {
        Clear();
        return false;
    }
    return true;
}

bool CTransferImage::BuildPackedDib() {
    int width = 0, height = 0;
    std::vector<BYTE> rows;
    if (!device::ReadDib24(bitmap(), rows, &width, &height)) return false;
    fw::GlobalMemory block(::GlobalAlloc(GHND, kPackedHeaderSize + rows.size()));
    if (!block) return false;
    {
        fw::GlobalLock lock(block.get());
        auto* p = static_cast<BYTE*>(lock.get());
        if (!p) return false;
        std::memcpy(p, &header_, sizeof(header_));
        std::memcpy(p + sizeof(header_), rows.data(), rows.size());
    }
    dib_ = std::move(block);
    return true;
}

DWORD CTransferImage::CopyRows(DWORD firstRow, BYTE* buffer, DWORD length, bool rgb) const {
    DWORD stride = rowLength();
    auto height = static_cast<DWORD>(header_.biHeight);
    if (!dib_ || !buffer || !stride || firstRow >= height) return 0;
    DWORD rows = std::min(length / stride, height - firstRow);
    fw::GlobalLock lock(dib_.get());
    const auto* pixels = static_cast<const BYTE*>(lock.get());
    if (!pixels) return 0;
    pixels += sizeof(BITMAPINFOHEADER);
    for (DWORD r = 0; r < rows; ++r) {
        // The block holds the picture bottom-up: its top row is the last one.
        const BYTE* src = pixels + static_cast<size_t>(height - 1 - (firstRow + r)) * stride;
        BYTE* dst = buffer + static_cast<size_t>(r) * stride;
        std::memcpy(dst, src, stride);
        if (!rgb) continue;
        for (LONG x = 0; x < header_.biWidth; ++x) std::swap(dst[x * 3], dst[x * 3 + 2]);
    }
    return rows;
}

bool CTransferImage::WriteBmpFile(const std::string& path) const {
    if (!dib_) return false;
    DWORD fileSize = BmpFileSize(header_);
    DWORD dibBytes = fileSize - sizeof(BITMAPFILEHEADER);
    if (::GlobalSize(dib_.get()) < dibBytes) return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = fileSize;
    file.bfOffBits = 4 * header_.biClrUsed + 54;
    fw::GlobalLock lock(dib_.get());
    if (!lock.get()) return false;
    // Written beside the target and put in place only when whole: a failed
    // transfer leaves the host's previous file as it was.
    device::SafeFileWriter writer(WidePath(path).c_str());
    return writer.Open() && writer.Write(&file, sizeof(file)) && writer.Write(lock.get(), dibBytes) &&
           writer.Commit();
}
