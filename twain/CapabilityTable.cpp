#include "CapabilityTable.h"

#include <cstring>

#include "Handles.h"

namespace {

constexpr TW_UINT32 kAllOperations = TWQC_GET | TWQC_SET | TWQC_GETDEFAULT | TWQC_GETCURRENT | TWQC_RESET;

TW_UINT32 OperationFor(TW_UINT16 msg) {
    switch (msg) {
    case MSG_GET: return TWQC_GET;
    case MSG_GETCURRENT: return TWQC_GETCURRENT;
    case MSG_SET: return TWQC_SET;
    case MSG_GETDEFAULT: return TWQC_GETDEFAULT;
    case MSG_RESET: return TWQC_RESET;
    default: return 0;
    }
}

// A new movable block of `bytes` filled by `fill`, or null.
template <typename Fill>
HGLOBAL NewContainer(size_t bytes, Fill fill) {
    fw::GlobalMemory block(::GlobalAlloc(GHND, bytes));
    if (!block) return nullptr;
    {
        fw::GlobalLock lock(block.get());
        if (!lock.get()) return nullptr;
        fill(lock.get());
    }
    return block.release();
}

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

}  // namespace

TW_UINT32 IndexOf(const std::vector<TW_UINT16>& list, TW_UINT16 value) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == value) return static_cast<TW_UINT32>(i);
    return static_cast<TW_UINT32>(list.size());
}

CCapabilityTable::CCapabilityTable()
    : entries_{
          {ICAP_PIXELFLAVOR, {TWPF_CHOCOLATE, TWPF_VANILLA}, TWPF_CHOCOLATE, TWPF_CHOCOLATE, kAllOperations},
          {ICAP_XFERMECH, {TWSX_NATIVE, TWSX_FILE, TWSX_MEMORY}, TWSX_NATIVE, TWSX_NATIVE, kAllOperations},
          // Pixels are the default a host sees, but only inches may be set.
          {ICAP_UNITS, {TWUN_INCHES}, TWUN_PIXELS, TWUN_PIXELS, kAllOperations},
          // Pictures are always 24-bit colour, so colour is the one type offered.
          {ICAP_PIXELTYPE, {TWPT_RGB}, TWPT_RGB, TWPT_RGB, kAllOperations},
          {kBitDepthBase + TWPT_BW, {1}, 1, 1, kAllOperations},
          {kBitDepthBase + TWPT_GRAY, {8}, 8, 8, kAllOperations},
          {kBitDepthBase + TWPT_RGB, {24}, 24, 24, kAllOperations},
      } {}

CCapabilityTable::Entry* CCapabilityTable::Find(TW_UINT16 id) {
    for (Entry& e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

const CCapabilityTable::Entry* CCapabilityTable::Find(TW_UINT16 id) const {
    return const_cast<CCapabilityTable*>(this)->Find(id);
}

TW_UINT16 CCapabilityTable::Current(TW_UINT16 id) const {
    const Entry* e = Find(id);
    return e ? e->current : 0;
}

TW_UINT16 CCapabilityTable::Handle(TW_UINT16 msg, TW_CAPABILITY& cap, bool oldHost, TW_UINT16& condition) {
    condition = TWCC_CAPUNSUPPORTED;
    TW_UINT16 id = cap.Cap == ICAP_BITDEPTH ? static_cast<TW_UINT16>(kBitDepthBase + PixelType()) : cap.Cap;
    Entry* entry = Find(id);
    TW_UINT16 rc = entry ? Dispatch(msg, *entry, cap, condition) : TWRC_FAILURE;
    if (oldHost && (condition == TWCC_CAPUNSUPPORTED || condition == TWCC_CAPBADOPERATION)) condition = TWCC_BADCAP;
    return rc;
}

TW_UINT16 CCapabilityTable::Dispatch(TW_UINT16 msg, Entry& entry, TW_CAPABILITY& cap, TW_UINT16& condition) {
    TW_UINT32 operation = OperationFor(msg);
    // Defaults are not handed out and nothing is reset: both always fail.
    if (!operation || !(entry.operations & operation) || msg == MSG_GETDEFAULT || msg == MSG_RESET) {
        condition = TWCC_CAPBADOPERATION;
        return TWRC_FAILURE;
    }
    if (msg == MSG_GET) return Get(entry, cap, condition);
    if (msg == MSG_GETCURRENT) return GetCurrent(entry, cap, condition);
    return Set(entry, cap, condition);
}

TW_UINT16 CCapabilityTable::Get(const Entry& entry, TW_CAPABILITY& cap, TW_UINT16& condition) const {
    size_t count = entry.allowed.size();
    HGLOBAL block = NewContainer(offsetof(TW_ENUMERATION, ItemList) + count * sizeof(TW_UINT16), [&](void* p) {
        auto* e = static_cast<TW_ENUMERATION*>(p);
        e->ItemType = TWTY_UINT16;
        e->NumItems = static_cast<TW_UINT32>(count);
        e->CurrentIndex = IndexOf(entry.allowed, entry.current);
        e->DefaultIndex = IndexOf(entry.allowed, entry.defaultValue);
        std::memcpy(e->ItemList, entry.allowed.data(), count * sizeof(TW_UINT16));
    });
    return HandOver(block, TWON_ENUMERATION, cap, condition);
}

TW_UINT16 CCapabilityTable::GetCurrent(const Entry& entry, TW_CAPABILITY& cap, TW_UINT16& condition) const {
    HGLOBAL block = NewContainer(sizeof(TW_ONEVALUE), [&](void* p) {
        auto* one = static_cast<TW_ONEVALUE*>(p);
        one->ItemType = TWTY_UINT16;
        one->Item = entry.current;
    });
    return HandOver(block, TWON_ONEVALUE, cap, condition);
}

TW_UINT16 CCapabilityTable::Set(Entry& entry, const TW_CAPABILITY& cap, TW_UINT16& condition) {
    // Only a single value can be set; other containers are refused and left as they came.
    condition = TWCC_BADVALUE;
    if (cap.ConType != TWON_ONEVALUE || !cap.hContainer || ::GlobalSize(cap.hContainer) < sizeof(TW_ONEVALUE))
        return TWRC_FAILURE;
    fw::GlobalLock lock(cap.hContainer);
    const auto* one = static_cast<const TW_ONEVALUE*>(lock.get());
    if (!one || one->ItemType != TWTY_UINT16) return TWRC_FAILURE;
    auto value = static_cast<TW_UINT16>(one->Item & 0xFFFF);
    if (IndexOf(entry.allowed, value) == entry.allowed.size()) return TWRC_FAILURE;
    entry.current = value;
    condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}
