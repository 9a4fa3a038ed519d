#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace fw {

// A status bar whose first pane takes the room the fixed-width others leave.
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
    // `drawing` is 0 or a drawing flag such as SBT_NOBORDERS.
    void SetText(int pane, const std::wstring& text, UINT drawing = 0);
    std::wstring Text(int pane) const;

    // Follows the parent's size; the frame calls it when laying out.
    void Resize();

private:
    HWND hwnd_ = nullptr;
    std::vector<int> fixed_;
};

}  // namespace fw
