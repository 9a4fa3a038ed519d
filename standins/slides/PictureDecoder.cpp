#include "PictureDecoder.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstring>

#include "DibSection.h"
#include "JpegDecoder.h"

namespace slides {

namespace {

using Microsoft::WRL::ComPtr;

bool IsJpeg(const std::string& data) {
    return data.size() > 2 && static_cast<unsigned char>(data[0]) == 0xFF && static_cast<unsigned char>(data[1]) == 0xD8;
}

fw::GdiObject DecodeJpeg(const std::string& data) {
    device::JpegInput input;
    input.data = data.data();
    input.size = data.size();
    HBITMAP bitmap = nullptr;
    device::DecodeJpegToDib(input, 0, 1, &bitmap, nullptr);
    return fw::GdiObject(bitmap);
}

// The first frame of the picture, converted to blue-green-red bytes.
ComPtr<IWICBitmapSource> WicSource(const std::string& data) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    auto bytes = reinterpret_cast<BYTE*>(const_cast<char*>(data.data()));
    bool ok = SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_PPV_ARGS(&factory))) &&
              SUCCEEDED(factory->CreateStream(&stream)) &&
              SUCCEEDED(stream->InitializeFromMemory(bytes, static_cast<DWORD>(data.size()))) &&
              SUCCEEDED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                         &decoder)) &&
              SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
              SUCCEEDED(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                                              nullptr, 0, WICBitmapPaletteTypeCustom));
    return ok ? ComPtr<IWICBitmapSource>(converter) : nullptr;
}

fw::GdiObject DecodeWithWic(const std::string& data) {
    ComPtr<IWICBitmapSource> source = WicSource(data);
    UINT width = 0, height = 0;
    if (!source || FAILED(source->GetSize(&width, &height)) || !device::IsSaneDibSize(width, height)) return {};
    BYTE* bits = nullptr;
    fw::GdiObject bitmap(device::CreateDib24(static_cast<int>(width), static_cast<int>(height), &bits));
    if (!bitmap) return {};
    const UINT stride = static_cast<UINT>(device::DibStride(width));
    std::string rows(static_cast<size_t>(stride) * height, '\0');
    if (FAILED(source->CopyPixels(nullptr, stride, static_cast<UINT>(rows.size()), reinterpret_cast<BYTE*>(&rows[0]))))
        return {};
    // The section is bottom-up, the decoder's rows top-down.
    for (UINT y = 0; y < height; ++y)
        std::memcpy(bits + static_cast<size_t>(height - 1 - y) * stride, &rows[static_cast<size_t>(y) * stride], stride);
    return bitmap;
}

}  // namespace

fw::GdiObject DecodePicture(const std::string& data) {
    if (data.empty() || data.size() > 0xFFFFFFFFu) return {};
    return IsJpeg(data) ? DecodeJpeg(data) : DecodeWithWic(data);
}

}  // namespace slides
