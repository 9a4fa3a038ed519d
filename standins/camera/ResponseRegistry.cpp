#include "ResponseRegistry.h"

#include <new>
#include <string>

namespace standin {

ResponseRegistry::~ResponseRegistry() {
    // Records still out belong to their receivers, who may be reading them: they are left alone.
    if (!issued_.empty())
        ::OutputDebugStringW((L"KorvoDocCameraIM: response records not handed back: " +
                              std::to_wstring(issued_.size()) + L"\n").c_str());
}

device::ResponseRecord* ResponseRegistry::Issue(uint16_t code, int32_t status, HGLOBAL data, uint32_t size,
                                                bool carriesData) {
    auto* record = new (std::nothrow) device::ResponseRecord{};
    if (!record) {
        if (data) ::GlobalFree(data);
        return nullptr;
    }
    record->kind = carriesData ? device::kResponseWithData : 0;
    record->code = code;
    record->status = status;
    record->size = data ? size : 0;
    record->data = data;
    {
        std::lock_guard<std::mutex> guard(lock_);
        issued_.insert(record);
    }
    ::InterlockedIncrement(&counters_.recordsIssued);
    ::InterlockedIncrement(&counters_.recordsOutstanding);
    return record;
}

bool ResponseRegistry::Forget(device::ResponseRecord* record) {
    std::lock_guard<std::mutex> guard(lock_);
    if (issued_.erase(record) == 0) return false;
    ::InterlockedDecrement(&counters_.recordsOutstanding);
    return true;
}

bool ResponseRegistry::TakeBack(device::ResponseRecord* record) {
    if (!Forget(record)) {
        ::InterlockedIncrement(&counters_.badReturns);
        wchar_t text[96];
        wsprintfW(text, L"KorvoDocCameraIM: ignored a response record not outstanding: %p\n", record);
        ::OutputDebugStringW(text);
        return false;
    }
    ::InterlockedIncrement(&counters_.recordsReturned);
    delete record;
    return true;
}

void ResponseRegistry::Discard(device::ResponseRecord* record) {
    if (!record || !Forget(record)) return;
    if (record->data) ::GlobalFree(record->data);
    delete record;
}

}  // namespace standin
