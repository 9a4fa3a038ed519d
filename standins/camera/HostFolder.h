#pragma once
// Host folder walks for the card: listings in name order, sizes, locked
// files and removal. Links (reparse points) are never followed, so a walk
// stays inside the card folder.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

struct HostEntry {
    std::wstring name;
    bool folder;
    bool readOnly;
    bool link;
    uint64_t size;
};

// The entries of `folder` (no trailing backslash), "." and ".." left out,
// sorted by name without regard to case.
std::vector<HostEntry> ListHostFolder(const std::wstring& folder);
uint64_t BytesBelow(const std::wstring& folder);
bool HasReadOnlyFileBelow(const std::wstring& folder);
bool RemoveHostTree(const std::wstring& folder);

}  // namespace standin
