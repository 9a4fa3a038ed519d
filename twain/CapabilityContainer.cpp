#include "CapabilityContainer.h"

#include <algorithm>
#include <cstring>

#include "Handles.h"

namespace {

// A new movable block of `bytes` filled by `fill`, or null.
template <typename Fill>
HGLOBAL NewContainer(size_t bytes, Fill fill) {
    fw::GlobalMemory block(::GlobalAlloc(GHND, bytes));
    if (!block) return nullptr;
    {
        fw::GlobalLock lock(block.get());
        if (!lock.get()) return nullptr;
        fill(static_cast<TW_UINT8*>(lock.get()));
    }
    return block.release();
}

void CopyItems(const std::vector<CapItem>& items, TW_UINT8* list) {
    for (const CapItem& item : items) {
        size_t size = ItemSize(item.type);
        std::memcpy(list, item.bytes.data(), size);
        list += size;
    }
}

size_t ListBytes(const std::vector<CapItem>& items) {
    return items.empty() ? 0 : items.size() * ItemSize(items.front().type);
}

}  // namespace

HGLOBAL MakeOneValue(const CapItem& item) {
    // The item sits where Item is; a frame runs on past it.
    size_t bytes = offsetof(TW_ONEVALUE, Item) + std::max(ItemSize(item.type), sizeof(TW_UINT32));
    return NewContainer(bytes, [&](TW_UINT8* p) {
        reinterpret_cast<TW_ONEVALUE*>(p)->ItemType = item.type;
        std::memcpy(p + offsetof(TW_ONEVALUE, Item), item.bytes.data(), ItemSize(item.type));
    });
}

HGLOBAL MakeEnumeration(const std::vector<CapItem>& items, TW_UINT32 current, TW_UINT32 defaultIndex) {
    return NewContainer(offsetof(TW_ENUMERATION, ItemList) + ListBytes(items), [&](TW_UINT8* p) {
        auto* e = reinterpret_cast<TW_ENUMERATION*>(p);
        e->ItemType = items.empty() ? TWTY_UINT16 : items.front().type;
        e->NumItems = static_cast<TW_UINT32>(items.size());
        e->CurrentIndex = current;
        e->DefaultIndex = defaultIndex;
        CopyItems(items, p + offsetof(TW_ENUMERATION, ItemList));
    });
}

HGLOBAL MakeArray(const std::vector<CapItem>& items) {
    return NewContainer(offsetof(TW_ARRAY, ItemList) + ListBytes(items), [&](TW_UINT8* p) {
        auto* a = reinterpret_cast<TW_ARRAY*>(p);
        a->ItemType = items.empty() ? TWTY_UINT16 : items.front().type;
        a->NumItems = static_cast<TW_UINT32>(items.size());
        CopyItems(items, p + offsetof(TW_ARRAY, ItemList));
    });
}

bool ReadOneValue(const TW_CAPABILITY& cap, CapItem& item) {
    if (cap.ConType != TWON_ONEVALUE || !cap.hContainer) return false;
    SIZE_T available = ::GlobalSize(cap.hContainer);
    if (available < sizeof(TW_ONEVALUE)) return false;
    fw::GlobalLock lock(cap.hContainer);
    const auto* p = static_cast<const TW_UINT8*>(lock.get());
    if (!p) return false;
    item = CapItem{};
    item.type = reinterpret_cast<const TW_ONEVALUE*>(p)->ItemType;
    size_t size = ItemSize(item.type);
    if (item.type > TWTY_FRAME || available < offsetof(TW_ONEVALUE, Item) + size) return false;
    std::memcpy(item.bytes.data(), p + offsetof(TW_ONEVALUE, Item), size);
    return true;
}
