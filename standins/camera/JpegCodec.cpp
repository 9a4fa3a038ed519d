#include "JpegCodec.h"

#include <windows.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "Bitmap24.h"

namespace standin {

namespace {
// libjpeg reports fatal errors through error_exit, which must not return.
struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf escape;
};

void JumpOut(j_common_ptr info) { longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1); }

void Quiet(j_common_ptr, int) {}

void InstallErrors(ErrorManager& errors) {
    jpeg_std_error(&errors.base);
    errors.base.error_exit = JumpOut;
    errors.base.emit_message = Quiet;
}

// Runs the compressor into `out`; false on a libjpeg error. Kept free of
// C++ objects with destructors because of the longjmp.
bool Compress(const Bitmap24& picture, int quality, unsigned char** out, unsigned long* size) {
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = &errors.base;
    InstallErrors(errors);
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, size);
    info.image_width = static_cast<JDIMENSION>(picture.width());
    info.image_height = static_cast<JDIMENSION>(picture.height());
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = picture.row(static_cast<int>(info.next_scanline));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

// Decodes into `pixels` (allocated with malloc, width * 3 per row).
bool Decompress(const std::vector<uint8_t>& file, unsigned char** pixels, int* width, int* height) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = &errors.base;
    InstallErrors(errors);
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    size_t stride = static_cast<size_t>(info.output_width) * 3;
    *pixels = static_cast<unsigned char*>(std::malloc(stride * info.output_height));
    if (!*pixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = *pixels + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    *width = static_cast<int>(info.output_width);
    *height = static_cast<int>(info.output_height);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// Where the 16-bit height and width of the first SOF segment are, or 0.
size_t FrameSizeOffset(const std::vector<uint8_t>& file) {
    size_t at = 2;
    while (at + 4 <= file.size() && file[at] == 0xFF) {
        uint8_t marker = file[at + 1];
        size_t length = (static_cast<size_t>(file[at + 2]) << 8) | file[at + 3];
        if (marker >= 0xC0 && marker <= 0xC2) return at + 5 + 4 <= file.size() ? at + 5 : 0;
        at += 2 + length;
    }
    return 0;
}
}  // namespace

std::vector<uint8_t> EncodeJpeg(const Bitmap24& picture, int quality) {
    unsigned char* out = nullptr;
    unsigned long size = 0;
    std::vector<uint8_t> file;
    if (Compress(picture, quality, &out, &size)) file.assign(out, out + size);
    std::free(out);
    return file;
}

bool DecodeJpegInto(const std::vector<uint8_t>& file, Bitmap24& out) {
    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    bool ok = !file.empty() && Decompress(file, &pixels, &width, &height);
    if (ok) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        // DIB rows are padded to 4 bytes; the decoded rows are not.
        std::vector<uint8_t> padded(static_cast<size_t>((width * 3 + 3) & ~3) * height);
        for (int y = 0; y < height; ++y)
            std::copy_n(pixels + static_cast<size_t>(y) * width * 3, width * 3,
                        padded.data() + static_cast<size_t>(y) * ((width * 3 + 3) & ~3));
        ::SetStretchBltMode(out.dc(), HALFTONE);
        ok = ::StretchDIBits(out.dc(), 0, 0, out.width(), out.height(), 0, 0, width, height, padded.data(), &info,
                             DIB_RGB_COLORS, SRCCOPY) != 0;
    }
    std::free(pixels);
    return ok;
}

std::vector<uint8_t> DamageJpeg(std::vector<uint8_t> file) {
    size_t at = FrameSizeOffset(file);
    if (at == 0) return std::vector<uint8_t>(file.size(), 0);
    std::fill_n(file.begin() + static_cast<std::ptrdiff_t>(at), 4, 0);
    return file;
}

}  // namespace standin
