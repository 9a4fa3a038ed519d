#pragma once
// The capabilities the source answers, with their allowed, default and
// current values; CAP_SUPPORTEDCAPS lists exactly these. Every operation but
// SET is answered for each of them (a fixed value resets to itself); SET only
// where a value can be chosen. Every other capability is unsupported.
#include <windows.h>

#include <vector>

#include "CapabilityItem.h"
#include "PictureGeometry.h"

// What some capabilities report and only the source knows.
struct SourceFacts {
    bool online = false;
    SIZE picture = picture_geometry::kCameraPicture;
};

class CCapabilityTable {
public:
    CCapabilityTable();

    // DG_CONTROL / DAT_CAPABILITY. `oldHost`: the application speaks a protocol
    // before 1.6, which knows only TWCC_BADCAP for unsupported capabilities.
    // `canSet`: SET and RESET are allowed now (state 4).
    TW_UINT16 Handle(TW_UINT16 msg, TW_CAPABILITY& cap, bool oldHost, bool canSet, TW_UINT16& condition);
    void Update(const SourceFacts& facts);

    TW_UINT16 PixelType() const { return CurrentNumber(ICAP_PIXELTYPE); }
    TW_UINT16 BitDepth() const { return CurrentNumber(ICAP_BITDEPTH); }
    TW_UINT16 Units() const { return CurrentNumber(ICAP_UNITS); }
    double Resolution() const { return picture_geometry::kDotsPerInch; }
    // The whole picture, in the current units.
    TW_FRAME Frame() const;

private:
    struct Entry {
        TW_UINT16 id;
        TW_UINT16 listContainer;  // what MSG_GET answers with
        bool settable;
        std::vector<CapItem> allowed;
        TW_UINT32 defaultIndex = 0;
        TW_UINT32 current = 0;
    };

    Entry* Find(TW_UINT16 id);
    const Entry* Find(TW_UINT16 id) const;
    TW_UINT16 CurrentNumber(TW_UINT16 id) const;
    // The entries that follow the facts and the units.
    void Derive();
    void DeriveOne(TW_UINT16 id, const CapItem& value);
    TW_UINT16 Dispatch(TW_UINT16 msg, Entry& entry, TW_CAPABILITY& cap, bool canSet, TW_UINT16& condition);
    TW_UINT16 Reply(const Entry& entry, TW_UINT16 msg, TW_CAPABILITY& cap, TW_UINT16& condition) const;
    TW_UINT16 Set(Entry& entry, const TW_CAPABILITY& cap, TW_UINT16& condition);

    std::vector<Entry> entries_;
    SourceFacts facts_;
};
