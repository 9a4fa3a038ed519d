#pragma once
#include <memory>
#include <string>

#include "CommandTarget.h"
#include "Window.h"

namespace fw {

class DocTemplate;
class Document;
class MdiFrame;
class View;

// An MDI child frame around one view of a document. Created through the MDI
// client (WM_MDICREATE) and ending in DefMDIChildProc; it owns its view and
// shows its template's menu on the main frame while it is active.
class MdiChild : public Window, public CommandTarget {
public:
    static constexpr const wchar_t* kClassName = L"fw::MdiChild";

    MdiChild() = default;
    ~MdiChild() override;

    // Creates the window and its view; hidden until Show unless `visible`.
    bool Create(MdiFrame& mainFrame, DocTemplate& docTemplate, Document& document, bool visible);
    // Shows and activates the frame.
    void Show();

    View* view() const { return view_.get(); }
    Document* document() const { return document_; }
    DocTemplate* docTemplate() const { return template_; }
    MdiFrame* mainFrame() const { return mainFrame_; }

    // The child's part of the command route: view, document, this frame.
    bool RouteCommand(UINT id);
    bool RouteUpdate(UINT id, CommandState& state);

    // False when the frame must stay: its document has unsaved changes and
    // the user cancelled, or the save failed. Only the last frame asks.
    bool CanClose();

    // What the main frame's caption names this child by: its document's
    // title, or the template's document name while it has none.
    std::wstring DocumentTitle() const;

protected:
    // Adjusts the creation request (style, position, size, title).
    virtual void PreCreateWindow(MDICREATESTRUCTW&) {}
    // Makes the view; an override calls this first.
    virtual bool OnCreate();
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnMdiActivate(HWND deactivated, HWND activated);

    MdiFrame* mainFrame_ = nullptr;
    DocTemplate* template_ = nullptr;
    Document* document_ = nullptr;  // borrowed; gone with the last view
    std::unique_ptr<View> view_;
};

}  // namespace fw
