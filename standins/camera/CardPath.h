#pragma once
// Paths on the camera's card ("C:\DCIM\100KORVO\IMAG0001.JPG", ANSI) and the
// host files that hold them. Only names that stay inside the card folder are
// accepted: no "." or "..", no empty parts, no characters Windows gives a
// meaning to, no device names, no second drive or stream.
#include <optional>
#include <string>
#include <vector>

namespace standin {

// The parts of a card path below the root ("C:" and "C:\" give none), or
// nothing when the path is not a safe card path.
std::optional<std::vector<std::wstring>> SplitCardPath(const std::string& cardPath);

// The host path of those parts below `hostRoot`, without a trailing backslash.
std::wstring HostPath(const std::wstring& hostRoot, const std::vector<std::wstring>& parts);

// "C:\" followed by the parts joined by backslashes, in ANSI; nothing when a
// name has no exact ANSI form.
std::optional<std::string> CardPathOf(const std::vector<std::wstring>& parts);

bool IsSafeCardName(const std::wstring& name);

}  // namespace standin
