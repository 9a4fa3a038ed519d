#pragma once
// The files a run could not handle, each with the message that says why; the
// conversion and the transfer to SD memory both show them at the end.
#include <windows.h>

#include <string>
#include <vector>

struct ErrorEntry {
    std::wstring file;
    std::wstring message;
};

class CErrorList {
public:
    // The string-table text `messageId` for `file`, at the end. Each text is
    // cut to 259 characters, as the list has always held them.
    void AddError(UINT messageId, const std::wstring& file);
    void FreeErrorList() { entries_.clear(); }
    bool empty() const { return entries_.empty(); }
    const std::vector<ErrorEntry>& entries() const { return entries_; }

private:
    std::vector<ErrorEntry> entries_;
};
