#pragma once
// The Presentations collection: Open reads a .pptx file whole into a new
// presentation; a missing, binary (.ppt) or damaged file raises an error.
#include "DispatchObject.h"

namespace slides {

class PresentationList : public DispatchObject {
public:
    PresentationList();

protected:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) override;
};

}  // namespace slides
