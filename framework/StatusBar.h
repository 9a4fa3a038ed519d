#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "Handles.h"

namespace fw {

// A status bar whose first pane, the message pane, takes the room the
// fixed-width others leave, or the width of a sample text when given one.
class StatusBar {
public:
    static constexpr UINT kDefaultId = 0xE801;

    StatusBar() = default;
    ~StatusBar();
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    bool Create(HWND parent, DWORD extraStyle = SBARS_SIZEGRIP, UINT id = kDefaultId);
    HWND hwnd() const { return hwnd_; }
    int Height() const;

    // Widths of the panes after the first, in pixels.
    void SetFixedPanes(std::vector<int> widths);
    int PaneCount() const { return static_cast<int>(fixed_.size()) + 1; }
    // Gives the message pane the width `sample` takes in the bar's font, as
    // a run of blanks in the string table sizes it; empty: the room left.
    void SizeMessagePaneTo(const std::wstring& sample);
    int TextWidth(const std::wstring& text) const;

    // `drawing` is 0 or a drawing flag such as SBT_NOBORDERS.
    void SetText(int pane, const std::wstring& text, UINT drawing = 0);
    std::wstring Text(int pane) const;
    // The message pane's text, drawn as SetMessageDrawing says.
    void SetMessage(const std::wstring& text) { SetText(0, text, messageDrawing_); }
    void SetMessageDrawing(UINT drawing) { messageDrawing_ = drawing; }

    // Follows the parent's size; the frame calls it when laying out.
    void Resize();

private:
    std::vector<int> PaneEdges(int width) const;

    HWND hwnd_ = nullptr;
    GdiObject font_;  // set on the bar, so measuring and drawing agree
    std::vector<int> fixed_;
    int messageWidth_ = 0;  // 0: the message pane takes the room left
    UINT messageDrawing_ = 0;
};

}  // namespace fw
