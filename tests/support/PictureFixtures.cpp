#include "PictureFixtures.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "TestSupport.h"

namespace picture_fixtures {

namespace {

template <typename T>
class Com {
public:
    ~Com() { if (p_) p_->Release(); }
    T** out() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

std::vector<BYTE> CmykPattern(int width, int height) {
    std::vector<BYTE> cmyk(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < cmyk.size(); ++i) cmyk[i] = static_cast<BYTE>(i * 7);
    return cmyk;
}

}  // namespace

Pixels Pattern(int width, int height) {
    Pixels p{width, height, std::vector<BYTE>(static_cast<size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* px = &p.bgr[(static_cast<size_t>(y) * width + x) * 3];
            px[0] = static_cast<BYTE>(64 + 160 * x / width);
            px[1] = static_cast<BYTE>(64 + 160 * y / height);
            px[2] = static_cast<BYTE>(224 - 96 * x / width);
        }
    return p;
}

std::string MakeJpeg(int width, int height, Colour colour, bool progressive) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    const bool cmyk = colour == Colour::Cmyk;
    cinfo.input_components = cmyk ? 4 : 3;
    cinfo.in_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    if (colour != Colour::Rgb) jpeg_set_colorspace(&cinfo, cmyk ? JCS_CMYK : JCS_GRAYSCALE);
    jpeg_set_quality(&cinfo, 92, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<BYTE> pixels = cmyk ? CmykPattern(width, height) : Pattern(width, height).bgr;
    const size_t row = static_cast<size_t>(width) * cinfo.input_components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW line = &pixels[cinfo.next_scanline * row];
        jpeg_write_scanlines(&cinfo, &line, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string jpeg(reinterpret_cast<char*>(out), size);
    std::free(out);
    return jpeg;
}

std::string WithClaimedSize(std::string jpeg, int width, int height) {
    // The frame header (SOF0 or SOF2): length, precision, height, width.
    for (size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (static_cast<BYTE>(jpeg[i]) != 0xFF) continue;
        BYTE marker = static_cast<BYTE>(jpeg[i + 1]);
        if (marker != 0xC0 && marker != 0xC2) continue;
        jpeg[i + 5] = static_cast<char>(height >> 8), jpeg[i + 6] = static_cast<char>(height);
        jpeg[i + 7] = static_cast<char>(width >> 8), jpeg[i + 8] = static_cast<char>(width);
        break;
    }
    return jpeg;
}

HBITMAP MakePatternDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    Pixels p = Pattern(width, height);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < height; ++y)
        memcpy(static_cast<BYTE*>(bits) + (height - 1 - y) * stride, p.at(0, y), static_cast<size_t>(width) * 3);
    return bitmap;
}

Pixels DibPixels(HBITMAP bitmap) {
    DIBSECTION dib{};
    Pixels p;
    if (::GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 24) return p;
    p.width = dib.dsBm.bmWidth;
    p.height = dib.dsBm.bmHeight;
    p.bgr.resize(static_cast<size_t>(p.width) * p.height * 3);
    const bool bottomUp = dib.dsBmih.biHeight > 0;
    for (int y = 0; y < p.height; ++y) {
        const BYTE* row = static_cast<const BYTE*>(dib.dsBm.bmBits) +
                          static_cast<size_t>(bottomUp ? p.height - 1 - y : y) * dib.dsBm.bmWidthBytes;
        memcpy(&p.bgr[static_cast<size_t>(y) * p.width * 3], row, static_cast<size_t>(p.width) * 3);
    }
    return p;
}

bool ReadWithWic(const std::wstring& path, Pixels& pixels) {
    HRESULT co = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool ok = false;
    {
        Com<IWICImagingFactory> factory;
        Com<IWICBitmapDecoder> decoder;
        Com<IWICBitmapFrameDecode> frame;
        Com<IWICFormatConverter> converter;
        UINT w = 0, h = 0;
        ok = SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))) &&
             SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                          WICDecodeMetadataCacheOnDemand, decoder.out())) &&
             SUCCEEDED(decoder->GetFrame(0, frame.out())) && SUCCEEDED(factory->CreateFormatConverter(converter.out())) &&
             SUCCEEDED(converter->Initialize(frame.get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr,
                                             0, WICBitmapPaletteTypeCustom)) &&
             SUCCEEDED(converter->GetSize(&w, &h));
        if (ok) {
            pixels = Pixels{static_cast<int>(w), static_cast<int>(h), std::vector<BYTE>(static_cast<size_t>(w) * h * 3)};
            ok = SUCCEEDED(converter->CopyPixels(nullptr, w * 3, static_cast<UINT>(pixels.bgr.size()), pixels.bgr.data()));
        }
    }
    if (SUCCEEDED(co)) ::CoUninitialize();
    return ok;
}

double RowDifference(const Pixels& a, const Pixels& b, int y) {
    double sum = 0;
    for (int x = 0; x < a.width; ++x)
        for (int c = 0; c < 3; ++c) sum += std::abs(a.at(x, y)[c] - b.at(x, y)[c]);
    return sum / (a.width * 3.0);
}

double MeanDifference(const Pixels& a, const Pixels& b) {
    if (a.width != b.width || a.height != b.height || a.bgr.empty()) return 1e9;
    double sum = 0;
    for (int y = 0; y < a.height; ++y) sum += RowDifference(a, b, y);
    return sum / a.height;
}

namespace {
bool IsBlack(const BYTE* px) { return px[0] < 16 && px[1] < 16 && px[2] < 16; }
}  // namespace

std::string MakeBmp(int width, int height, int bitsPerPixel) {
    const Pixels p = Pattern(width, height);
    const int bytesPerPixel = bitsPerPixel / 8;
    const int stride = (width * bytesPerPixel + 3) & ~3;
    const DWORD paletteSize = bitsPerPixel == 8 ? 256 * sizeof(RGBQUAD) : 0;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info) + paletteSize;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int grey = 0; paletteSize && grey < 256; ++grey) bytes.append({char(grey), char(grey), char(grey), 0});
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; bitsPerPixel == 8 && x < width; ++x) bytes.push_back(static_cast<char>(p.at(x, y)[1]));
        if (bitsPerPixel == 24) bytes.append(reinterpret_cast<const char*>(p.at(0, y)), width * 3);
        bytes.append(stride - width * bytesPerPixel, '\0');
    }
    return bytes;
}

bool IsBlackRow(const Pixels& p, int y) {
    for (int x = 0; x < p.width; ++x)
        if (!IsBlack(p.at(x, y))) return false;
    return true;
}

bool IsBlackColumn(const Pixels& p, int x) {
    for (int y = 0; y < p.height; ++y)
        if (!IsBlack(p.at(x, y))) return false;
    return true;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return names;
}

CodecLibrary::CodecLibrary(const wchar_t* fileName)
    : module(::LoadLibraryW((testing_support::TestProgramFolder() + fileName).c_str())) {
    if (!module) return;
    loadW = reinterpret_cast<device::FncLoadJpegWFn>(::GetProcAddress(module, "FncLoadJpegW"));
    loadA = reinterpret_cast<device::FncLoadJpegAFn>(::GetProcAddress(module, "FncLoadJpegA"));
    saveW = reinterpret_cast<device::FncSaveJpegWFn>(::GetProcAddress(module, "FncSaveJpegW"));
}

CodecLibrary::~CodecLibrary() {
    if (module) ::FreeLibrary(module);
}

}  // namespace picture_fixtures
