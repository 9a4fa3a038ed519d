#include "Presentation.h"

#include <new>

#include "DispatchIds.h"
#include "SlideList.h"

namespace slides {

namespace {
const DispatchObject::Member kMembers[] = {{L"Slides", kDispSlides}};
}  // namespace

Presentation::Presentation(std::shared_ptr<const SlideDeck> deck) : DeckObject(kMembers, std::move(deck)) {}

HRESULT Presentation::Call(DISPID, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO*) {
    if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
    HRESULT hr = args.Check(0, 0);
    return FAILED(hr) ? hr : ReturnObject(result, new (std::nothrow) SlideList(deck()));
}

}  // namespace slides
