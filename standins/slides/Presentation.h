#pragma once
// One opened presentation: its Slides collection.
#include "DeckObject.h"

namespace slides {

class Presentation : public DeckObject {
public:
    explicit Presentation(std::shared_ptr<const SlideDeck> deck);

protected:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) override;
};

}  // namespace slides
