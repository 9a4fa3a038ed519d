#pragma once
// An object of an opened presentation (the presentation, its slide list, a
// slide): each keeps the slides read at Open alive for as long as it lives.
#include <memory>
#include <utility>

#include "DispatchObject.h"

namespace slides {

class SlideDeck;

class DeckObject : public DispatchObject {
protected:
    template <size_t N>
    DeckObject(const Member (&members)[N], std::shared_ptr<const SlideDeck> deck)
        : DispatchObject(members), deck_(std::move(deck)) {}

    const std::shared_ptr<const SlideDeck>& deck() const { return deck_; }

private:
    std::shared_ptr<const SlideDeck> deck_;
};

}  // namespace slides
