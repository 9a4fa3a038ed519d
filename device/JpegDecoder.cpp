#include "JpegDecoder.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "DibSection.h"
#include "JpegAbort.h"

namespace device {

namespace {

class Decompression {
public:
    // screenLayout: 32-bit pixels of blue, green, red and a spare byte, as a
    // 24-bit screen keeps them; else 24-bit. Bottom-up either way.
    explicit Decompression(bool screenLayout = false) : screenLayout_(screenLayout) {
        cinfo_.err = InitJpegAbort(abort_);
    }
    ~Decompression();
    Decompression(const Decompression&) = delete;
    Decompression& operator=(const Decompression&) = delete;

    // reuse: a bitmap to decode into when it has the output's size, or null.
    bool Run(const JpegInput& input, int wantedWidth, int scaleDenominator, DWORD* info, HBITMAP reuse = nullptr);
    // The new bitmap, or null when the reused one holds the picture.
    HBITMAP TakeBitmap();

private:
    bool OpenInput(const JpegInput& input);
    void AttachSource(const JpegInput& input);
    bool ConfigureOutput(int wantedWidth, int scaleDenominator);
    bool ReadRows();
    bool TakeTarget(HBITMAP reuse);

    JpegAbort abort_{};
    jpeg_decompress_struct cinfo_{};  // zeroed: destroying it before creation is harmless
    FILE* file_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    BYTE* bits_ = nullptr;
    bool screenLayout_;
};

Decompression::~Decompression() {
    jpeg_destroy_decompress(&cinfo_);
    if (file_) std::fclose(file_);
    if (bitmap_) ::DeleteObject(bitmap_);
}

HBITMAP Decompression::TakeBitmap() {
    HBITMAP bitmap = bitmap_;
    bitmap_ = nullptr;
    return bitmap;
}

bool Decompression::OpenInput(const JpegInput& input) {
    if (input.widePath) {
        if (*input.widePath) file_ = ::_wfopen(input.widePath, L"rb");
        return file_ != nullptr;
    }
    if (input.ansiPath) {
        if (*input.ansiPath) file_ = std::fopen(input.ansiPath, "rb");
        return file_ != nullptr;
    }
    // libjpeg takes the block's size as an unsigned long, 32 bits on Windows.
    return input.data && input.size > 0 && input.size <= ULONG_MAX;
}

void Decompression::AttachSource(const JpegInput& input) {
    if (file_)
        jpeg_stdio_src(&cinfo_, file_);
    else
        jpeg_mem_src(&cinfo_, static_cast<const unsigned char*>(input.data), static_cast<unsigned long>(input.size));
}

bool Decompression::ConfigureOutput(int wantedWidth, int scaleDenominator) {
    bool grey = cinfo_.num_components == 1 && cinfo_.jpeg_color_space == JCS_GRAYSCALE;
    bool colour = cinfo_.num_components == 3 && (cinfo_.jpeg_color_space == JCS_YCbCr || cinfo_.jpeg_color_space == JCS_RGB);
    if (!grey && !colour) return false;
    // libjpeg-turbo expands grey into all three bytes itself.
    cinfo_.out_color_space = screenLayout_ ? JCS_EXT_BGRX : JCS_EXT_BGR;
    cinfo_.scale_num = 1;
    cinfo_.scale_denom = static_cast<unsigned int>(
        ScaleDenominator(static_cast<int>(cinfo_.image_width), wantedWidth, scaleDenominator));
    cinfo_.dct_method = JDCT_IFAST;
    cinfo_.do_fancy_upsampling = FALSE;
    jpeg_calc_output_dimensions(&cinfo_);
    return IsSaneDibSize(cinfo_.output_width, cinfo_.output_height);
}

bool Decompression::ReadRows() {
    const JDIMENSION height = cinfo_.output_height;
    const size_t stride = screenLayout_ ? static_cast<size_t>(cinfo_.output_width) * 4
                                        : static_cast<size_t>(DibStride(cinfo_.output_width));
    auto rows = static_cast<JSAMPARRAY>((*cinfo_.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&cinfo_),
                                                                    JPOOL_IMAGE, height * sizeof(JSAMPROW)));
    // The first line of the picture is the last row of a bottom-up bitmap.
    for (JDIMENSION line = 0; line < height; ++line) rows[line] = bits_ + (height - 1 - line) * stride;
    while (cinfo_.output_scanline < height) {
        if (jpeg_read_scanlines(&cinfo_, rows + cinfo_.output_scanline, height - cinfo_.output_scanline) == 0)
            return false;
    }
    return true;
}

// The output goes into `reuse` when it is a DIB section of the output's
// size and layout, else into a new bitmap.
bool Decompression::TakeTarget(HBITMAP reuse) {
    const int width = static_cast<int>(cinfo_.output_width), height = static_cast<int>(cinfo_.output_height);
    DIBSECTION dib{};
    if (reuse && ::GetObjectW(reuse, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBits &&
        dib.dsBm.bmBitsPixel == (screenLayout_ ? 32 : 24) && dib.dsBm.bmWidth == width &&
        dib.dsBm.bmHeight == height) {
        bits_ = static_cast<BYTE*>(dib.dsBm.bmBits);
        return true;
    }
    bitmap_ = screenLayout_ ? CreateScreenDib(width, height, &bits_) : CreateDib24(width, height, &bits_);
    return bitmap_ != nullptr;
}

bool Decompression::Run(const JpegInput& input, int wantedWidth, int scaleDenominator, DWORD* info, HBITMAP reuse) {
    if (!OpenInput(input)) return false;
    if (setjmp(abort_.jump)) return false;
    jpeg_create_decompress(&cinfo_);
    // Without backing store this caps what a hostile header can make libjpeg allocate.
    cinfo_.mem->max_memory_to_use = static_cast<long>(std::min<std::uint64_t>(kMaxDibBytes, LONG_MAX));
    AttachSource(input);
    jpeg_read_header(&cinfo_, TRUE);
    if (info) {
        info[0] = cinfo_.image_width;
        info[1] = cinfo_.image_height;
        info[2] = static_cast<DWORD>(cinfo_.num_components);
    }
    if (!ConfigureOutput(wantedWidth, scaleDenominator)) return false;
    jpeg_start_decompress(&cinfo_);
    if (!TakeTarget(reuse) || !ReadRows()) return false;
    jpeg_finish_decompress(&cinfo_);
    return true;
}

}  // namespace

int ScaleDenominator(int pictureWidth, int wantedWidth, int requested) {
    if (requested > 0) return requested;
    if (requested == 0 && wantedWidth > 0 && pictureWidth / wantedWidth > 1) return pictureWidth / wantedWidth;
    return 1;
}

bool DecodeJpegToDib(const JpegInput& input, int wantedWidth, int scaleDenominator, HBITMAP* bitmap, DWORD* info) {
    if (!bitmap) return false;
    *bitmap = nullptr;
    Decompression decompression;
    if (!decompression.Run(input, wantedWidth, scaleDenominator, info)) return false;
    *bitmap = decompression.TakeBitmap();
    return true;
}

bool DecodeJpegInto(const JpegInput& input, int scaleDenominator, HBITMAP* bitmap) {
    if (!bitmap) return false;
    Decompression decompression(true);
    if (!decompression.Run(input, 0, scaleDenominator, nullptr, *bitmap)) return false;
    if (HBITMAP made = decompression.TakeBitmap()) {
        if (*bitmap) ::DeleteObject(*bitmap);
        *bitmap = made;
    }
    return true;
}

}  // namespace device
