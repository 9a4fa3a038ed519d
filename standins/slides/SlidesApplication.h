#pragma once
// The Application object a client creates: its Presentations collection.
#include "DispatchObject.h"

namespace slides {

class SlidesApplication : public DispatchObject {
public:
    SlidesApplication();

protected:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) override;
};

}  // namespace slides
