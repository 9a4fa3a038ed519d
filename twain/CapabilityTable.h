#pragma once
// The five capabilities the source answers, with their allowed, default and
// current values. Every other capability is unsupported.
#include <vector>

#include "Twain.h"

class CCapabilityTable {
public:
    // Bit depths are kept per pixel type; ICAP_BITDEPTH reads the one of the current type.
    static constexpr TW_UINT16 kBitDepthBase = 0x9000;

    CCapabilityTable();

    // DG_CONTROL / DAT_CAPABILITY. `oldHost`: the application speaks a protocol
    // before 1.6, which knows only TWCC_BADCAP for unsupported capabilities.
    TW_UINT16 Handle(TW_UINT16 msg, TW_CAPABILITY& cap, bool oldHost, TW_UINT16& condition);

    TW_UINT16 Current(TW_UINT16 id) const;
    TW_UINT16 PixelType() const { return Current(ICAP_PIXELTYPE); }
    TW_UINT16 BitDepth() const { return Current(kBitDepthBase + PixelType()); }
    double Resolution() const { return 100.0; }

private:
    struct Entry {
        TW_UINT16 id;
        std::vector<TW_UINT16> allowed;
        TW_UINT16 defaultValue;
        TW_UINT16 current;
        TW_UINT32 operations;
    };

    Entry* Find(TW_UINT16 id);
    const Entry* Find(TW_UINT16 id) const;
    TW_UINT16 Get(const Entry& entry, TW_CAPABILITY& cap, TW_UINT16& condition) const;
    TW_UINT16 GetCurrent(const Entry& entry, TW_CAPABILITY& cap, TW_UINT16& condition) const;
    TW_UINT16 Set(Entry& entry, const TW_CAPABILITY& cap, TW_UINT16& condition);
    TW_UINT16 Dispatch(TW_UINT16 msg, Entry& entry, TW_CAPABILITY& cap, TW_UINT16& condition);

    std::vector<Entry> entries_;
};

// Position of `value` in `list`, or the list's length when it is not there.
TW_UINT32 IndexOf(const std::vector<TW_UINT16>& list, TW_UINT16 value);
