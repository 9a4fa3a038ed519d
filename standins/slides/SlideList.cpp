#include "SlideList.h"

#include <new>

#include "DispatchIds.h"
#include "Slide.h"
#include "SlideDeck.h"

namespace slides {

namespace {
const DispatchObject::Member kMembers[] = {{L"Count", kDispCount}, {L"Item", kDispItem}};
}  // namespace

SlideList::SlideList(std::shared_ptr<const SlideDeck> deck) : DeckObject(kMembers, std::move(deck)) {}

HRESULT SlideList::Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) {
    if (id == kDispItem) {
        // The default member: called as a method or read as an indexed property.
        return IsMethod(flags) || IsGet(flags) ? Item(args, result, exception) : DISP_E_MEMBERNOTFOUND;
    }
    if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
    HRESULT hr = args.Check(0, 0);
    if (FAILED(hr) || !result) return hr;
    V_VT(result) = VT_I4;
    V_I4(result) = static_cast<LONG>(deck()->count());
    return S_OK;
}

HRESULT SlideList::Item(const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) {
    long index = 0;
    HRESULT hr = args.Check(1, 1);
    if (SUCCEEDED(hr)) hr = args.Int(0, 0, index);
    if (FAILED(hr)) return hr;
    if (index < 1 || static_cast<unsigned long>(index) > deck()->count())
        return RaiseError(exception, E_INVALIDARG, L"The index into the slide collection is out of bounds.");
    return ReturnObject(result, new (std::nothrow) Slide(deck(), static_cast<size_t>(index - 1)));
}

}  // namespace slides
