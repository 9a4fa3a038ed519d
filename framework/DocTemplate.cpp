#include "DocTemplate.h"

namespace fw {

DocTemplate::DocTemplate(UINT resourceId, std::wstring templateString)
    : resourceId_(resourceId), templateString_(std::move(templateString)) {}

std::wstring DocTemplate::GetDocString(Field field) const {
    size_t start = 0;
    for (int i = 0; i < field; ++i) {
        size_t nl = templateString_.find(L'\n', start);
        if (nl == std::wstring::npos) return std::wstring();
        start = nl + 1;
    }
    size_t end = templateString_.find(L'\n', start);
    return templateString_.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

}  // namespace fw
