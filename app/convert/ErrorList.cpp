#include "convert/ErrorList.h"

#include "Strings.h"

namespace {
constexpr size_t kTextLimit = 259;
}

void CErrorList::AddError(UINT messageId, const std::wstring& file) {
    entries_.push_back(ErrorEntry{file.substr(0, kTextLimit), fw::LoadResString(messageId).substr(0, kTextLimit)});
}
