#include "JpegEncoder.h"

#include <cstdlib>
#include <vector>

#include "DibSection.h"
#include "JpegAbort.h"
#include "SafeFileWriter.h"

namespace device {

namespace {

// Encodes into memory, so nothing touches the disk until the picture is whole.
class Compression {
public:
    Compression() { cinfo_.err = InitJpegAbort(abort_); }
    ~Compression();
    Compression(const Compression&) = delete;
    Compression& operator=(const Compression&) = delete;

    // pixels: bottom-up 24-bit rows with padding, as ReadDib24 gives them.
    bool Run(BYTE* pixels, int width, int height, int quality);
    const unsigned char* data() const { return output_; }
    size_t size() const { return outputSize_; }

private:
    void Configure(int width, int height, int quality);
    void WriteRows(BYTE* pixels, int width, int height);

    JpegAbort abort_{};
    jpeg_compress_struct cinfo_{};  // zeroed: destroying it before creation is harmless
    unsigned char* output_ = nullptr;  // grown by libjpeg with malloc
    unsigned long outputSize_ = 0;
};

Compression::~Compression() {
    jpeg_destroy_compress(&cinfo_);
    std::free(output_);
}

void Compression::Configure(int width, int height, int quality) {
    cinfo_.image_width = static_cast<JDIMENSION>(width);
    cinfo_.image_height = static_cast<JDIMENSION>(height);
    cinfo_.input_components = 3;
    cinfo_.in_color_space = JCS_EXT_BGR;  // the byte order of DIB rows
    jpeg_set_defaults(&cinfo_);
    jpeg_set_quality(&cinfo_, quality, TRUE);
    cinfo_.comp_info[0].h_samp_factor = 2;
    cinfo_.comp_info[0].v_samp_factor = 1;
    for (int c = 1; c < 3; ++c) cinfo_.comp_info[c].h_samp_factor = cinfo_.comp_info[c].v_samp_factor = 1;
}

void Compression::WriteRows(BYTE* pixels, int width, int height) {
    const size_t stride = static_cast<size_t>(DibStride(width));
    auto rows = static_cast<JSAMPARRAY>((*cinfo_.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&cinfo_),
                                                                    JPOOL_IMAGE, height * sizeof(JSAMPROW)));
    for (int line = 0; line < height; ++line) rows[line] = pixels + (height - 1 - line) * stride;
    while (cinfo_.next_scanline < cinfo_.image_height)
        jpeg_write_scanlines(&cinfo_, rows + cinfo_.next_scanline, cinfo_.image_height - cinfo_.next_scanline);
}

bool Compression::Run(BYTE* pixels, int width, int height, int quality) {
    if (setjmp(abort_.jump)) return false;
    jpeg_create_compress(&cinfo_);
    jpeg_mem_dest(&cinfo_, &output_, &outputSize_);
    Configure(width, height, quality);
    jpeg_start_compress(&cinfo_, TRUE);
    WriteRows(pixels, width, height);
    jpeg_finish_compress(&cinfo_);
    return true;
}

}  // namespace

bool SaveDibAsJpeg(const wchar_t* path, HBITMAP bitmap, int quality) {
    if (!path || !*path) return false;
    std::vector<BYTE> pixels;
    int width = 0, height = 0;
    if (!ReadDib24(bitmap, pixels, &width, &height)) return false;
    Compression compression;
    return compression.Run(pixels.data(), width, height, quality) &&
           WriteFileSafely(path, compression.data(), compression.size());
}

}  // namespace device
