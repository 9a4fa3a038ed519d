#include "Slide.h"

#include "DispatchIds.h"
#include "SlideDeck.h"
#include "SlideRenderer.h"

namespace slides {

namespace {

const DispatchObject::Member kMembers[] = {{L"Export", kDispExport}};

// Only the JPEG filter: the one format the conversion asks for.
bool IsJpegFilter(const std::wstring& filter) {
    return ::lstrcmpiW(filter.c_str(), L"jpg") == 0 || ::lstrcmpiW(filter.c_str(), L"jpeg") == 0;
}

}  // namespace

Slide::Slide(std::shared_ptr<const SlideDeck> deck, size_t index)
    : DeckObject(kMembers, std::move(deck)), index_(index) {}

// Export(FileName, FilterName, ScaleWidth, ScaleHeight).
HRESULT Slide::Call(DISPID, WORD flags, const DispatchArgs& args, VARIANT*, EXCEPINFO* exception) {
    if (!IsMethod(flags)) return DISP_E_MEMBERNOTFOUND;
    std::wstring path, filter;
    long width = 0, height = 0;
    HRESULT hr = args.Check(2, 4);
    if (SUCCEEDED(hr)) hr = args.String(0, path);
    if (SUCCEEDED(hr)) hr = args.String(1, filter);
    if (SUCCEEDED(hr)) hr = args.Int(2, 0, width);
    if (SUCCEEDED(hr)) hr = args.Int(3, 0, height);
    if (FAILED(hr)) return hr;
    if (!IsJpegFilter(filter)) return RaiseError(exception, E_INVALIDARG, L"The export filter is not supported: " + filter);
    if (width == 0) width = kDefaultWidth;
    if (height == 0) height = kDefaultHeight;
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return RaiseError(exception, E_INVALIDARG, L"The picture size is out of range.");
    SlideSize layout{deck()->width(), deck()->height()};
    if (path.empty() || !ExportSlideAsJpeg(deck()->slide(index_), layout, SIZE{width, height}, path.c_str()))
        return RaiseError(exception, E_FAIL, L"The slide could not be written to " + path);
    return S_OK;
}

}  // namespace slides
