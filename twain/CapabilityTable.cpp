#include "CapabilityTable.h"

#include "CapabilityContainer.h"

namespace {

constexpr TW_INT32 kReadOnly = TWQC_GET | TWQC_GETCURRENT | TWQC_GETDEFAULT | TWQC_RESET;

CapItem U16(TW_UINT16 value) { return IntItem(TWTY_UINT16, value); }
CapItem Bool(bool value) { return IntItem(TWTY_BOOL, value ? 1 : 0); }

// Gives the application a new container, or reports that none could be made.
TW_UINT16 HandOver(HGLOBAL block, TW_UINT16 conType, TW_CAPABILITY& cap, TW_UINT16& condition) {
    if (!block) {
        condition = TWCC_LOWMEMORY;
        return TWRC_FAILURE;
    }
    cap.ConType = conType;
    cap.hContainer = block;
    condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

// Position of the host's value among `allowed`, or allowed.size(). Hosts give
// integral values in whichever integral type they like: read in the entry's.
size_t Match(const std::vector<CapItem>& allowed, const CapItem& value) {
    for (size_t i = 0; i < allowed.size(); ++i) {
        const CapItem& a = allowed[i];
        if (a.type == TWTY_FRAME) continue;
        CapItem asEntry = value;
        if (IsIntegral(a.type) && IsIntegral(value.type)) asEntry.type = a.type;
        if (asEntry.type == a.type && ItemNumber(a) == ItemNumber(asEntry)) return i;
    }
    return allowed.size();
}

}  // namespace

CCapabilityTable::CCapabilityTable()
    : entries_{
          {CAP_XFERCOUNT, TWON_ONEVALUE, true, {IntItem(TWTY_INT16, -1), IntItem(TWTY_INT16, 1)}},
          {CAP_SUPPORTEDCAPS, TWON_ARRAY, false, {}},
          {CAP_UICONTROLLABLE, TWON_ONEVALUE, false, {Bool(true)}},
          // The source shows no progress indicators, with or without its dialog.
          {CAP_INDICATORS, TWON_ONEVALUE, true, {Bool(false)}},
          {CAP_DEVICEONLINE, TWON_ONEVALUE, false, {}},
          {CAP_ENABLEDSUIONLY, TWON_ONEVALUE, false, {Bool(false)}},
          {ICAP_COMPRESSION, TWON_ENUMERATION, true, {U16(TWCP_NONE)}},
          {ICAP_PLANARCHUNKY, TWON_ENUMERATION, true, {U16(TWPC_CHUNKY)}},
          {ICAP_BITORDER, TWON_ENUMERATION, true, {U16(TWBO_MSBFIRST)}},
          {ICAP_XRESOLUTION, TWON_ENUMERATION, true, {Fix32Item(picture_geometry::kDotsPerInch)}},
          {ICAP_YRESOLUTION, TWON_ENUMERATION, true, {Fix32Item(picture_geometry::kDotsPerInch)}},
          {ICAP_PHYSICALWIDTH, TWON_ONEVALUE, false, {}},
          {ICAP_PHYSICALHEIGHT, TWON_ONEVALUE, false, {}},
          {ICAP_IMAGEFILEFORMAT, TWON_ENUMERATION, true, {U16(TWFF_BMP)}},
          {ICAP_FRAMES, TWON_ENUMERATION, false, {}},
          {ICAP_UNITS, TWON_ENUMERATION, true, {U16(TWUN_INCHES), U16(TWUN_PIXELS)}},
          // Pictures are always 24-bit colour, so colour is the one type offered.
          {ICAP_PIXELTYPE, TWON_ENUMERATION, true, {U16(TWPT_RGB)}},
          {ICAP_BITDEPTH, TWON_ENUMERATION, true, {U16(24)}},
          {ICAP_PIXELFLAVOR, TWON_ENUMERATION, true, {U16(TWPF_CHOCOLATE), U16(TWPF_VANILLA)}},
          {ICAP_XFERMECH, TWON_ENUMERATION, true, {U16(TWSX_NATIVE), U16(TWSX_FILE), U16(TWSX_MEMORY)}},
      } {
    std::vector<CapItem>& supported = Find(CAP_SUPPORTEDCAPS)->allowed;
    for (const Entry& e : entries_) supported.push_back(U16(e.id));
    Derive();
}

CCapabilityTable::Entry* CCapabilityTable::Find(TW_UINT16 id) {
    for (Entry& e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

const CCapabilityTable::Entry* CCapabilityTable::Find(TW_UINT16 id) const {
    return const_cast<CCapabilityTable*>(this)->Find(id);
}

TW_UINT16 CCapabilityTable::CurrentNumber(TW_UINT16 id) const {
    const Entry* e = Find(id);
    return e && e->current < e->allowed.size() ? static_cast<TW_UINT16>(ItemNumber(e->allowed[e->current])) : 0;
}

TW_FRAME CCapabilityTable::Frame() const {
    TW_UINT16 units = Units();
    return TW_FRAME{ToFix32(0), ToFix32(0), ToFix32(picture_geometry::InUnits(facts_.picture.cx, units)),
                    ToFix32(picture_geometry::InUnits(facts_.picture.cy, units))};
}

void CCapabilityTable::Update(const SourceFacts& facts) {
    facts_ = facts;
    Derive();
}

void CCapabilityTable::DeriveOne(TW_UINT16 id, const CapItem& value) {
    Entry* e = Find(id);
    e->allowed = {value};
    e->current = e->defaultIndex = 0;
}

void CCapabilityTable::Derive() {
    TW_UINT16 units = Units();
    TW_FRAME frame = Frame();
    DeriveOne(CAP_DEVICEONLINE, Bool(facts_.online));
    DeriveOne(ICAP_PHYSICALWIDTH, Fix32Item(picture_geometry::InUnits(facts_.picture.cx, units)));
    DeriveOne(ICAP_PHYSICALHEIGHT, Fix32Item(picture_geometry::InUnits(facts_.picture.cy, units)));
    DeriveOne(ICAP_FRAMES, FrameItem(FromFix32(frame.Right), FromFix32(frame.Bottom)));
}

TW_UINT16 CCapabilityTable::Handle(TW_UINT16 msg, TW_CAPABILITY& cap, bool oldHost, bool canSet,
                                   TW_UINT16& condition) {
    condition = TWCC_CAPUNSUPPORTED;
    Entry* entry = Find(cap.Cap);
    TW_UINT16 rc = entry ? Dispatch(msg, *entry, cap, canSet, condition) : TWRC_FAILURE;
    if (oldHost && (condition == TWCC_CAPUNSUPPORTED || condition == TWCC_CAPBADOPERATION)) condition = TWCC_BADCAP;
    return rc;
}

TW_UINT16 CCapabilityTable::Dispatch(TW_UINT16 msg, Entry& entry, TW_CAPABILITY& cap, bool canSet,
                                     TW_UINT16& condition) {
    TW_INT32 operations = kReadOnly | (entry.settable ? TWQC_SET : 0);
    switch (msg) {
    case MSG_QUERYSUPPORT: return HandOver(MakeOneValue(IntItem(TWTY_INT32, operations)), TWON_ONEVALUE, cap, condition);
    case MSG_GET:
    case MSG_GETCURRENT:
    case MSG_GETDEFAULT: return Reply(entry, msg, cap, condition);
    case MSG_SET:
    case MSG_RESET: break;
    default: condition = TWCC_BADPROTOCOL; return TWRC_FAILURE;
    }
    // A value chosen while a picture is on its way would not be the one it has.
    if (!canSet) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    if (msg == MSG_SET && !entry.settable) {
        condition = TWCC_CAPBADOPERATION;
        return TWRC_FAILURE;
    }
    TW_UINT16 rc = msg == MSG_SET ? Set(entry, cap, condition) : TWRC_SUCCESS;
    if (msg == MSG_RESET) entry.current = entry.defaultIndex;
    if (rc != TWRC_SUCCESS) return rc;
    Derive();
    return msg == MSG_RESET ? Reply(entry, MSG_GETCURRENT, cap, condition) : rc;
}

TW_UINT16 CCapabilityTable::Reply(const Entry& entry, TW_UINT16 msg, TW_CAPABILITY& cap,
                                  TW_UINT16& condition) const {
    if (entry.listContainer == TWON_ARRAY) return HandOver(MakeArray(entry.allowed), TWON_ARRAY, cap, condition);
    if (msg == MSG_GET && entry.listContainer == TWON_ENUMERATION)
        return HandOver(MakeEnumeration(entry.allowed, entry.current, entry.defaultIndex), TWON_ENUMERATION, cap,
                        condition);
    TW_UINT32 index = msg == MSG_GETDEFAULT ? entry.defaultIndex : entry.current;
    return HandOver(MakeOneValue(entry.allowed[index]), TWON_ONEVALUE, cap, condition);
}

TW_UINT16 CCapabilityTable::Set(Entry& entry, const TW_CAPABILITY& cap, TW_UINT16& condition) {
    // Only a single value can be set; other containers are refused and left as they came.
    condition = TWCC_BADVALUE;
    CapItem value;
    if (!ReadOneValue(cap, value)) return TWRC_FAILURE;
    size_t index = Match(entry.allowed, value);
    if (index == entry.allowed.size()) return TWRC_FAILURE;
    entry.current = static_cast<TW_UINT32>(index);
    condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}
