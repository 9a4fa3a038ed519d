#include "MdiChild.h"

#include "DocTemplate.h"
#include "Document.h"
#include "MdiFrame.h"
#include "View.h"

namespace fw {

MdiChild::~MdiChild() = default;

bool MdiChild::Create(MdiFrame& mainFrame, DocTemplate& docTemplate, Document& document, bool visible) {
    WNDCLASSEXW wc{};
    wc.style = CS_DBLCLKS;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClass(wc) || !mainFrame.mdiClient()) return false;
    mainFrame_ = &mainFrame;
    template_ = &docTemplate;
    document_ = &document;

    std::wstring title = document.title().empty() ? docTemplate.GetDocString(DocTemplate::DocName) : document.title();
    MDICREATESTRUCTW cs{};
    cs.szClass = kClassName;
    cs.szTitle = title.c_str();
    cs.hOwner = ::GetModuleHandleW(nullptr);
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    // Honoured because the client has MDIS_ALLCHILDSTYLES: without
    // WS_VISIBLE the frame stays hidden until Show.
    cs.style = WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
    cs.lParam = reinterpret_cast<LPARAM>(static_cast<Window*>(this));
    PreCreateWindow(cs);
    HWND hwnd = reinterpret_cast<HWND>(::SendMessageW(mainFrame.mdiClient(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs)));
    return hwnd != nullptr && view_ != nullptr;
}

void MdiChild::Show() {
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SendMessageW(mainFrame_->mdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd()), 0);
}

bool MdiChild::OnCreate() {
    std::unique_ptr<View> view = template_->CreateView();
    if (!view || !view->Create(*this, *document_)) return false;
    view_ = std::move(view);
    return true;
}

bool MdiChild::RouteCommand(UINT id) {
    if (view_ && view_->IsWindow() && view_->OnCommand(id)) return true;
    if (document_ && document_->OnCommand(id)) return true;
    return OnCommand(id);
}

bool MdiChild::RouteUpdate(UINT id, CommandState& state) {
    if (view_ && view_->IsWindow() && view_->OnUpdateCommand(id, state)) return true;
    if (document_ && document_->OnUpdateCommand(id, state)) return true;
    return OnUpdateCommand(id, state);
}

void MdiChild::OnMdiActivate(HWND deactivated, HWND activated) {
    if (activated == hwnd())
        mainFrame_->ShowMenu(template_->menu());
    else if (deactivated == hwnd() && !activated)
        mainFrame_->ShowMenu(nullptr);  // the last child went away
}

std::wstring MdiChild::DocumentTitle() const {
    if (document_ && !document_->title().empty()) return document_->title();
    return template_ ? template_->GetDocString(DocTemplate::DocName) : std::wstring();
}

bool MdiChild::CanClose() {
    // Only the document's last frame asks about unsaved changes.
    return !document_ || document_->views().size() > 1 || document_->SaveModified();
}

LRESULT MdiChild::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_SIZE:
        if (view_ && view_->IsWindow()) ::MoveWindow(view_->hwnd(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        mainFrame_->DelayUpdateFrameTitle();  // maximised or restored
        break;  // DefMDIChildProc needs it as well
    case WM_SETTEXT:
        mainFrame_->DelayUpdateFrameTitle();
        break;
    case WM_SETFOCUS: {
        LRESULT r = DefaultProc(msg, wParam, lParam);
        if (view_ && view_->IsWindow()) ::SetFocus(view_->hwnd());
        return r;
    }
    case WM_MDIACTIVATE: {
        LRESULT r = DefaultProc(msg, wParam, lParam);
        OnMdiActivate(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        mainFrame_->DelayUpdateFrameTitle();
        return r;
    }
    case WM_COMMAND:
        // A control's notification is never a command (lParam: the control).
        if (!lParam && RouteCommand(LOWORD(wParam))) return 0;
        break;
    case WM_CLOSE:
        if (!CanClose()) return 0;
        break;
    case WM_DESTROY:
        document_ = nullptr;  // the view's going may close it
        mainFrame_->DelayUpdateFrameTitle();
        break;
    default:
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}

LRESULT MdiChild::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProcW(hwnd(), msg, wParam, lParam);
}

}  // namespace fw
