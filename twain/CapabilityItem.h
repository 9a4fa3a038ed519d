#pragma once
// One value of a capability as a container holds it: the item type and its
// bytes (a TW_FRAME, the largest item the source answers with, is 16 bytes).
#include <array>
#include <cstddef>
#include <vector>

#include "Twain.h"

struct CapItem {
    TW_UINT16 type = TWTY_UINT16;
    std::array<TW_UINT8, 16> bytes{};

    bool operator==(const CapItem& other) const;
    bool operator!=(const CapItem& other) const { return !(*this == other); }
};

// Bytes of one item of `type` in a container.
size_t ItemSize(TW_UINT16 type);
bool IsIntegral(TW_UINT16 type);

CapItem IntItem(TW_UINT16 type, TW_INT32 value);
CapItem Fix32Item(double value);
CapItem FrameItem(double right, double bottom);  // from the top left corner

// The number of an integral item (signed where its type is), or of a TW_FIX32.
double ItemNumber(const CapItem& item);

TW_FIX32 ToFix32(double value);
double FromFix32(const TW_FIX32& value);
