#include "PresentationList.h"

#include <memory>
#include <new>

#include "DispatchIds.h"
#include "Presentation.h"
#include "SlideDeck.h"

namespace slides {

namespace {
const DispatchObject::Member kMembers[] = {{L"Open", kDispOpen}};
}  // namespace

PresentationList::PresentationList() : DispatchObject(kMembers) {}

// Open(FileName, ReadOnly, Untitled, WithWindow): the flags are taken and
// checked but change nothing, as this server never shows or saves a file.
HRESULT PresentationList::Call(DISPID, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) {
    if (!IsMethod(flags)) return DISP_E_MEMBERNOTFOUND;
    std::wstring path;
    long readOnly = 0, untitled = 0, withWindow = 0;
    HRESULT hr = args.Check(1, 4);
    if (SUCCEEDED(hr)) hr = args.String(0, path);
    if (SUCCEEDED(hr)) hr = args.Int(1, 0, readOnly);
    if (SUCCEEDED(hr)) hr = args.Int(2, 0, untitled);
    if (SUCCEEDED(hr)) hr = args.Int(3, 0, withWindow);
    if (FAILED(hr)) return hr;
    auto deck = std::make_shared<SlideDeck>();
    switch (deck->Load(path)) {
    case SlideDeck::Status::Missing:
        return RaiseError(exception, E_FAIL, L"The presentation cannot be found: " + path);
    case SlideDeck::Status::Damaged:
        return RaiseError(exception, E_FAIL, L"The file is damaged or is no .pptx presentation: " + path);
    case SlideDeck::Status::Ok:
        break;
    }
    return ReturnObject(result, new (std::nothrow) Presentation(std::move(deck)));
}

}  // namespace slides
