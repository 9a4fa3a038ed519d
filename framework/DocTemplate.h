#pragma once
#include <windows.h>

#include <string>

namespace fw {

// A document type: its resource id (menu, icon, accelerators) and its template
// string, whose newline-separated fields name the window title, the document
// name and the new-file name, in the framework's order.
class DocTemplate {
public:
    enum Field { WindowTitle = 0, DocName = 1, FileNewName = 2, FilterName = 3, FilterExt = 4, RegFileTypeId = 5,
                 RegFileTypeName = 6 };

    DocTemplate(UINT resourceId, std::wstring templateString);
    virtual ~DocTemplate() = default;

    UINT resourceId() const { return resourceId_; }
    std::wstring GetDocString(Field field) const;

private:
    UINT resourceId_;
    std::wstring templateString_;
};

}  // namespace fw
