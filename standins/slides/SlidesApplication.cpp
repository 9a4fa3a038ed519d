#include "SlidesApplication.h"

#include <new>

#include "DispatchIds.h"
#include "PresentationList.h"

namespace slides {

namespace {
const DispatchObject::Member kMembers[] = {{L"Presentations", kDispPresentations}};
}  // namespace

SlidesApplication::SlidesApplication() : DispatchObject(kMembers) {}

HRESULT SlidesApplication::Call(DISPID, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO*) {
    if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
    HRESULT hr = args.Check(0, 0);
    return FAILED(hr) ? hr : ReturnObject(result, new (std::nothrow) PresentationList());
}

}  // namespace slides
