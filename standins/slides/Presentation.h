#pragma once
// One opened presentation: its Slides collection.
#include <memory>

#include "DispatchObject.h"

namespace slides {

class SlideDeck;

class Presentation : public DispatchObject {
public:
    explicit Presentation(std::shared_ptr<const SlideDeck> deck);

protected:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) override;

private:
    std::shared_ptr<const SlideDeck> deck_;
};

}  // namespace slides
