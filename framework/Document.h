#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "CommandTarget.h"

namespace fw {

class DocTemplate;
class View;

// The data behind one or more views. Owned by its template; it is closed when
// its last view goes away.
class Document : public CommandTarget {
public:
    Document() = default;
    ~Document() override = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }
    const std::wstring& title() const { return title_; }
    virtual void SetTitle(const std::wstring& title) { title_ = title; }
    const std::wstring& pathName() const { return pathName_; }
    void SetPathName(const std::wstring& path) { pathName_ = path; }

    DocTemplate* docTemplate() const { return template_; }
    const std::vector<View*>& views() const { return views_; }
    // Tells every view but `sender` that the document changed.
    void UpdateAllViews(View* sender, LPARAM hint = 0);

    // Asked before the last frame of the document closes; false keeps it open.
    virtual bool SaveModified() { return true; }

private:
    friend class DocTemplate;
    friend class View;
    void AddView(View* view);
    void RemoveView(View* view);

    DocTemplate* template_ = nullptr;
    std::vector<View*> views_;
    bool modified_ = false;
    std::wstring title_;
    std::wstring pathName_;
};

}  // namespace fw
