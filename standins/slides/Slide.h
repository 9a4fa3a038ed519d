#pragma once
// One slide: Export renders it to a JPEG file.
#include "DeckObject.h"

namespace slides {

class Slide : public DeckObject {
public:
    Slide(std::shared_ptr<const SlideDeck> deck, size_t index);

    // The picture size when Export is given none (0 or left out).
    static constexpr long kDefaultWidth = 1024, kDefaultHeight = 768;
    // Larger sizes are refused rather than tried.
    static constexpr long kMaxSide = 8192;

protected:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) override;

private:
    size_t index_;
};

}  // namespace slides
