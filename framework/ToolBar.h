#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "CommandTarget.h"
#include "ImageList.h"

namespace fw {

// One entry of a toolbar's button table; id 0 is a separator. Buttons take
// the images of the bitmap strip in order, separators take none.
struct ToolButton {
    UINT id = 0;
    BYTE style = BTNS_BUTTON;

    static ToolButton Push(UINT id) { return {id, BTNS_BUTTON}; }
    static ToolButton Check(UINT id) { return {id, BTNS_CHECK}; }
    // Checking one button of a run of group buttons releases the others.
    static ToolButton Group(UINT id) { return {id, BTNS_CHECKGROUP}; }
    static ToolButton Separator() { return {0, BTNS_SEP}; }
};

// The tooltip of a command: the part of its string after a newline, or the
// whole string when it has none.
std::wstring ToolTipFromCommandString(const std::wstring& text);
// The status-bar prompt of a command: the part of its string before a newline.
std::wstring PromptFromCommandString(const std::wstring& text);

// The buttons of a toolbar resource (16-bit words: version 1, image width and
// height, item count, then each item's command, 0 for a separator). Empty when
// the resource is missing or malformed.
std::vector<ToolButton> LoadToolBarResource(HINSTANCE module, UINT id, SIZE* imageSize);

// A flat toolbar with tooltips over a bitmap strip, in a rebar band with a
// gripper; its commands and notifications go to the parent it was created for.
class ToolBar {
public:
    static constexpr UINT kDefaultId = 0xE800;
    // Pixels of this colour in the strip are transparent.
    static constexpr COLORREF kMaskColor = RGB(192, 192, 192);

    ToolBar() = default;
    ~ToolBar();
    ToolBar(const ToolBar&) = delete;
    ToolBar& operator=(const ToolBar&) = delete;

    bool Create(HWND parent, HINSTANCE module, UINT bitmapId, SIZE imageSize, const std::vector<ToolButton>& buttons,
                DWORD extraStyle = CCS_ADJUSTABLE, UINT id = kDefaultId);
    // As above from a bitmap the caller keeps.
    bool Create(HWND parent, HBITMAP strip, SIZE imageSize, const std::vector<ToolButton>& buttons,
                DWORD extraStyle = CCS_ADJUSTABLE, UINT id = kDefaultId);

    HWND hwnd() const { return hwnd_; }
    // The rebar around the toolbar.
    HWND bar() const { return rebar_; }
    int Height() const;
    // Follows the parent's width; the frame calls it when laying out.
    void Resize();

    // Hides the buttons of `ids` and the separators left at the end or next
    // to each other by that.
    void HideButtons(const std::vector<UINT>& ids);
    bool IsHidden(UINT id) const;

    void SetChecked(UINT id, bool checked);
    bool IsChecked(UINT id) const;
    void SetEnabled(UINT id, bool enabled);
    bool IsEnabled(UINT id) const;

    // Applies the update query to every button; a command nobody claims is
    // disabled. Only changes are sent, so an idle refresh causes no repaint.
    void UpdateButtons(const std::function<bool(UINT, CommandState&)>& query);

    // Answers the tooltips' text requests; false for other notifications.
    bool OnNotify(const NMHDR& header, LRESULT& result);

private:
    bool CreateBar(HWND parent, DWORD extraStyle, UINT id);
    // The band's child size follows the buttons shown; false when the band cannot be set.
    bool FitBand(bool insert);

    HWND rebar_ = nullptr;
    HWND hwnd_ = nullptr;
    ImageList images_;  // the control does not own a list set with TB_SETIMAGELIST
    std::vector<ToolButton> buttons_;
    std::wstring tip_;  // the text the last tooltip request points at
};

}  // namespace fw
