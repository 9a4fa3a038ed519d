#pragma once
// The conversion dialog's checks of what the user typed, before a run.
#include <string>

enum class SourceCheck { Usable = 0, Empty = 1, NotAvailable = 2 };
enum class DestinationCheck { Ready = 0, Empty = 1, NotAvailable = 2, Declined = 4, CreateFailed = 5 };

// A file (fileMode) or a folder that exists, on a drive letter.
SourceCheck CheckSrcPath(const std::wstring& path, bool fileMode);
// Creates the missing folders of `destination`, asking once before the first.
DestinationCheck CheckDirPath(const std::wstring& destination);
// Two folders are the same, trailing backslash and case aside.
bool SameFolder(const std::wstring& a, const std::wstring& b);
