#pragma once
// Capability containers in movable global memory: built for the host, or read
// from what the host passed with MSG_SET.
#include <windows.h>

#include <vector>

#include "CapabilityItem.h"

// A new container, or null when no memory was left. `items` are all of one type.
HGLOBAL MakeOneValue(const CapItem& item);
HGLOBAL MakeEnumeration(const std::vector<CapItem>& items, TW_UINT32 current, TW_UINT32 defaultIndex);
HGLOBAL MakeArray(const std::vector<CapItem>& items);

// The single value of the host's one-value container; false when it is not one
// or is too small for its own item type.
bool ReadOneValue(const TW_CAPABILITY& cap, CapItem& item);
