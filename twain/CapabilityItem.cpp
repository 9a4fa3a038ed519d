#include "CapabilityItem.h"

#include <algorithm>
#include <cmath>
#include <cstring>

bool CapItem::operator==(const CapItem& other) const {
    return type == other.type && std::memcmp(bytes.data(), other.bytes.data(), ItemSize(type)) == 0;
}

size_t ItemSize(TW_UINT16 type) {
    switch (type) {
    case TWTY_INT8:
    case TWTY_UINT8: return 1;
    case TWTY_INT32:
    case TWTY_UINT32:
    case TWTY_FIX32: return 4;
    case TWTY_FRAME: return sizeof(TW_FRAME);
    default: return 2;
    }
}

bool IsIntegral(TW_UINT16 type) { return type <= TWTY_BOOL; }

CapItem IntItem(TW_UINT16 type, TW_INT32 value) {
    CapItem item;
    item.type = type;
    std::memcpy(item.bytes.data(), &value, ItemSize(type));  // little-endian: the low bytes
    return item;
}

CapItem Fix32Item(double value) {
    CapItem item;
    item.type = TWTY_FIX32;
    TW_FIX32 fix = ToFix32(value);
    std::memcpy(item.bytes.data(), &fix, sizeof(fix));
    return item;
}

CapItem FrameItem(double right, double bottom) {
    CapItem item;
    item.type = TWTY_FRAME;
    TW_FRAME frame{ToFix32(0), ToFix32(0), ToFix32(right), ToFix32(bottom)};
    std::memcpy(item.bytes.data(), &frame, sizeof(frame));
    return item;
}

double ItemNumber(const CapItem& item) {
    if (item.type == TWTY_FIX32) {
        TW_FIX32 fix;
        std::memcpy(&fix, item.bytes.data(), sizeof(fix));
        return FromFix32(fix);
    }
    if (!IsIntegral(item.type)) return 0;
    TW_UINT32 raw = 0;
    std::memcpy(&raw, item.bytes.data(), std::min(ItemSize(item.type), sizeof(raw)));
    switch (item.type) {
    case TWTY_INT8: return static_cast<TW_INT8>(raw);
    case TWTY_INT16: return static_cast<TW_INT16>(raw);
    case TWTY_INT32: return static_cast<TW_INT32>(raw);
    default: return raw;
    }
}

TW_FIX32 ToFix32(double value) {
    auto whole = static_cast<TW_INT32>(std::lround(value * 65536.0));
    return TW_FIX32{static_cast<TW_INT16>(whole >> 16), static_cast<TW_UINT16>(whole & 0xFFFF)};
}

double FromFix32(const TW_FIX32& value) { return value.Whole + value.Frac / 65536.0; }
