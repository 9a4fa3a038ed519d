#include "picture/BitmapFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "DibSection.h"
#include "Handles.h"
#include "SafeFileWriter.h"

namespace {

constexpr WORD kBmpSignature = 0x4D42;  // "BM"
constexpr DWORD kHeadersSize = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

struct BmpShape {
    long long width = 0, height = 0;
    WORD planes = 0, bitCount = 0;
    DWORD compression = BI_RGB;
};

// info holds a core header (12 bytes) or at least an information header.
BmpShape ReadShape(const BYTE* info, DWORD infoSize) {
    if (infoSize == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, info, sizeof(core));
        return {core.bcWidth, core.bcHeight, core.bcPlanes, core.bcBitCount, BI_RGB};
    }
    BITMAPINFOHEADER header;
    std::memcpy(&header, info, sizeof(header));
    long long height = header.biHeight;
    return {header.biWidth, height < 0 ? -height : height, header.biPlanes, header.biBitCount, header.biCompression};
}

bool IsSupportedDepth(WORD bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// The headers come from a file and are not trusted: the system's loader would
// otherwise be asked for whatever size they claim.
bool IsPlausibleBmp(const wchar_t* path) {
    fw::FileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER fileSize{};
    BYTE head[kHeadersSize] = {};
    DWORD got = 0;
    if (!file || !::GetFileSizeEx(file.get(), &fileSize) || !::ReadFile(file.get(), head, sizeof(head), &got, nullptr))
        return false;
    BITMAPFILEHEADER fileHeader{};
    DWORD infoSize = 0;
    if (got >= sizeof(fileHeader) + sizeof(infoSize)) {
        std::memcpy(&fileHeader, head, sizeof(fileHeader));
        std::memcpy(&infoSize, head + sizeof(fileHeader), sizeof(infoSize));
    }
    const bool core = infoSize == sizeof(BITMAPCOREHEADER) && got >= sizeof(fileHeader) + infoSize;
    const bool full = infoSize >= sizeof(BITMAPINFOHEADER) && got == kHeadersSize;
    if (fileHeader.bfType != kBmpSignature || !(core || full)) return false;
    const BmpShape shape = ReadShape(head + sizeof(fileHeader), infoSize);
    if (shape.planes != 1 || !IsSupportedDepth(shape.bitCount) || !device::IsSaneDibSize(shape.width, shape.height))
        return false;
    if (shape.compression != BI_RGB && shape.compression != BI_BITFIELDS) return true;  // run-length: no fixed size
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(shape.width) * shape.bitCount + 31) / 32 * 4;
    return fileHeader.bfOffBits + rowBytes * static_cast<std::uint64_t>(shape.height) <=
           static_cast<std::uint64_t>(fileSize.QuadPart);
}

}  // namespace

int CBitmapFile::Load(const wchar_t* path, PictureRecord* picture) {
    if (!path || !*path || !picture || !IsPlausibleBmp(path)) return 0;
    auto bitmap = static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    int width = 0, height = 0;
    if (!bitmap || !device::GetBitmapSize(bitmap, &width, &height)) {
        if (bitmap) ::DeleteObject(bitmap);
        return 0;
    }
    picture->bitmap = bitmap;
    picture->width = width;
    picture->height = height;
    return 1;
}

int CBitmapFile::Save(const wchar_t* path, HBITMAP bitmap) {
    if (!path || !*path || !bitmap) return 0;
    std::vector<BYTE> pixels;
    int width = 0, height = 0;
    if (!device::ReadDib24(bitmap, pixels, &width, &height)) return 0;
    const DWORD imageSize = static_cast<DWORD>(pixels.size());

    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = kBmpSignature;
    fileHeader.bfSize = kHeadersSize + imageSize;
    fileHeader.bfOffBits = kHeadersSize;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // positive: bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageSize;

    device::SafeFileWriter writer(path);
    return writer.Open() && writer.Write(&fileHeader, sizeof(fileHeader)) && writer.Write(&info, sizeof(info)) &&
                   writer.Write(pixels.data(), pixels.size()) && writer.Commit()
               ? 1
               : 0;
}

HBITMAP CBitmapFile::CreateDib(int width, int height) { return device::CreateDib24(width, height); }

int CBitmapFile::CopyDib(HBITMAP source, HBITMAP* out) {
    if (!out) return 0;
    *out = nullptr;
    std::vector<BYTE> pixels;
    int width = 0, height = 0;
    BYTE* bits = nullptr;
    if (!device::ReadDib24(source, pixels, &width, &height)) return 0;
    HBITMAP copy = device::CreateDib24(width, height, &bits);
    if (!copy) return 0;
    std::memcpy(bits, pixels.data(), pixels.size());
    *out = copy;
    return 1;
}
