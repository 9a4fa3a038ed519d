#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class Document;
class MdiChild;
class MdiFrame;
class View;

// A document type: its resource id (menu, icon, accelerators), its template
// string, whose newline-separated fields name the window title, the document
// name and the new-file name in the framework's order, and the factories of
// its document, child frame and view. It owns the documents it opened.
class DocTemplate {
public:
    enum Field { WindowTitle = 0, DocName = 1, FileNewName = 2, FilterName = 3, FilterExt = 4, RegFileTypeId = 5,
                 RegFileTypeName = 6 };

    struct Factories {
        std::function<std::unique_ptr<Document>()> document;
        std::function<std::unique_ptr<MdiChild>()> frame;
        std::function<std::unique_ptr<View>()> view;
    };

    // What OpenNew made; all null when it failed.
    struct Opened {
        Document* document = nullptr;
        MdiChild* frame = nullptr;
        View* view = nullptr;
        explicit operator bool() const { return document && frame && view; }
    };

    // Loads the menu of `resourceId` when there is one.
    DocTemplate(UINT resourceId, std::wstring templateString, Factories factories = Factories());
    virtual ~DocTemplate();
    DocTemplate(const DocTemplate&) = delete;
    DocTemplate& operator=(const DocTemplate&) = delete;

    UINT resourceId() const { return resourceId_; }
    std::wstring GetDocString(Field field) const;

    // The menu the main frame shows while a frame of this type is active;
    // null to keep the main frame's own. The template owns it.
    HMENU menu() const { return menu_; }
    void SetMenu(HMENU menu);

    // A new document in a new child frame with its view, visible or not yet
    // (a caller can fill it and Show the frame afterwards).
    Opened OpenNew(MdiFrame& mainFrame, bool visible);
    std::unique_ptr<View> CreateView() const;

    const std::vector<std::unique_ptr<Document>>& documents() const { return documents_; }
    // Deletes a document of this template; other pointers are ignored.
    void CloseDocument(Document* document);

private:
    UINT resourceId_;
    std::wstring templateString_;
    Factories factories_;
    HMENU menu_ = nullptr;
    std::vector<std::unique_ptr<Document>> documents_;
};

}  // namespace fw
