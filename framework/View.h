#pragma once
#include "CommandTarget.h"
#include "Window.h"

namespace fw {

class Document;
class MdiChild;

// A child window that shows a document inside a frame. It paints through a
// memory surface the size of the client area, so nothing flickers.
class View : public Window, public CommandTarget {
public:
    static constexpr const wchar_t* kClassName = L"fw::View";

    View() = default;
    ~View() override;

    // Creates the window over the frame's client area and joins the document.
    bool Create(MdiChild& frame, Document& document, DWORD style = 0);

    Document* document() const { return document_; }
    MdiChild* frame() const { return frame_; }

    // Called once, after the frame and the view exist; updates the view.
    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0); }
    // The document changed; by default everything is repainted.
    virtual void OnUpdate(View* sender, LPARAM hint);

protected:
    // Draws the content; `dc` is a memory surface already prepared by OnPrepareDC.
    virtual void OnDraw(HDC dc) = 0;
    // Sets up coordinates before OnDraw (a scrolled view moves the origin).
    virtual void OnPrepareDC(HDC) {}
    // Styles a kind of view always has (scroll bars, a sunken edge).
    virtual DWORD ExtraStyle() const { return 0; }
    virtual DWORD ExtraExStyle() const { return 0; }
    virtual HBRUSH BackgroundBrush() const { return ::GetSysColorBrush(COLOR_WINDOW); }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    void OnPaint();
    void LeaveDocument();

    Document* document_ = nullptr;
    MdiChild* frame_ = nullptr;
};

}  // namespace fw
