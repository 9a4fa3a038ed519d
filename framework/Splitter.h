#pragma once
// Two panes side by side with a bar between them that the user drags. The
// panes are windows of the caller's, usually children of the splitter; their
// notifications that no pane object takes go on to the splitter's parent.
#include <windows.h>

#include <functional>

#include "Window.h"

namespace fw {

// Where the bar may start: `wanted` kept within a width of `extent` so that
// each pane keeps its minimum beside a bar `bar` wide; when both minimums do
// not fit, the first pane keeps its own.
int ClampSplit(int wanted, int extent, int bar, int minFirst, int minSecond);

class Splitter : public Window {
public:
    static constexpr const wchar_t* kClassName = L"fw::Splitter";
    // What a resize of the splitter keeps: the panes' proportion, or the
    // first pane's width.
    enum class Keep { Ratio, FirstWidth };

    bool Create(HWND parent, const RECT& rect, UINT id = 0);
    void SetPanes(HWND first, HWND second);
    void SetMinimumWidths(int first, int second);
    void SetBarWidth(int width);
    void SetKeep(Keep keep) { keep_ = keep; }

    // The first pane's width, where the bar starts.
    void SetPosition(int position);
    int position() const { return position_; }
    RECT BarRect() const;

    // The user let go of the bar at `position`.
    std::function<void(int position)> onMoved;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int Extent() const;
    // Puts the bar at `wanted`, within the limits; a chosen place is also
    // what later resizes keep.
    void Place(int wanted, bool chosen);
    void Layout();
    void OnButtonDown(POINT at);
    void OnMouseMove(int x);
    void EndDrag();
    bool OnSetCursor(HWND under, UINT hitTest);

    HWND panes_[2] = {nullptr, nullptr};
    int minimum_[2] = {0, 0};
    int bar_ = 5;
    int position_ = 0;
    int chosen_ = 0;      // the last place chosen, for Keep::FirstWidth
    double ratio_ = 0.5;  // of the last place chosen, for Keep::Ratio
    Keep keep_ = Keep::Ratio;
    int grab_ = -1;  // where on the bar a drag holds it; -1 while none runs
};

}  // namespace fw
