#pragma once
// The Slides collection of a presentation: Count, and Item(i) for i from 1.
#include "DeckObject.h"

namespace slides {

class SlideList : public DeckObject {
public:
    explicit SlideList(std::shared_ptr<const SlideDeck> deck);

protected:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) override;

private:
    HRESULT Item(const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception);
};

}  // namespace slides
