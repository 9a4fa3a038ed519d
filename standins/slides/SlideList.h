#pragma once
// The Slides collection of a presentation: Count, and Item(i) for i from 1.
#include <memory>

#include "DispatchObject.h"

namespace slides {

class SlideDeck;

class SlideList : public DispatchObject {
public:
    explicit SlideList(std::shared_ptr<const SlideDeck> deck);

protected:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) override;

private:
    HRESULT Item(const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception);

    std::shared_ptr<const SlideDeck> deck_;
};

}  // namespace slides
