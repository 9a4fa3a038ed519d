#pragma once
// The play order of the camera's slide show (list 1024 of dialog 130): one
// row per picture with its effect and interval, edited in place with a
// drop-down list, read from and written to the card's C:\PLAYLIST.TXT.
#include <windows.h>

#include <functional>
#include <string>

#include "ListView.h"
#include "SDControl.h"

// The item data of a row, owned by the list and deleted with the row.
struct PlayListEntry {
    std::wstring path;  // the picture's full card path
    int effect = 0;
    int interval = 0;
};

class CSlidePlayList : public fw::ListView {
public:
    static constexpr UINT WM_LOAD_PLAYLIST = 1088;
    // To itself once the header has applied a dragged column width.
    static constexpr UINT WM_NOTIFY_COLUMN_TRACKED = WM_APP + 1;

    explicit CSlidePlayList(device::IDeviceControl* device) : card_(device) {}

    // Columns, the hidden drop-down list and the cache folder; after the
    // control exists (made or subclassed).
    void Init();
    // The new row's index, or -1 when the camera could not play the path.
    int AddEntry(const wchar_t* path, const wchar_t* effect, const wchar_t* interval, int position);
    void LoadFromCard();
    int RegisterToCard();
    void MoveSelected(int direction);
    void DeleteSelected();

    const PlayListEntry* Entry(int row) const { return reinterpret_cast<const PlayListEntry*>(Value(row)); }
    // The text the card would receive: one line per row, in order.
    std::wstring PlayListText() const;
    HWND editBox() const { return edit_; }
    const std::wstring& cacheFolder() const { return cacheFolder_; }

    // Exactly one row selected: its cached thumbnail (cached true) or its
    // card path; otherwise empty paths.
    std::function<void(const std::wstring& path, bool cached)> onPreview;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void NotifyPreview();
    void SwapRows(int a, int b);
    // In-place editing (SlidePlayListEdit.cpp).
    void CreateEditBox();
    void BeginEdit(POINT at);
    void OnEditChosen();
    void EndEdit();
    void KeepEditableColumnsWide(int column);
    int MinimumEditableWidth() const;

    CSDControl card_;
    HWND edit_ = nullptr;  // child of the list: destroyed with it
    int editRow_ = -1, editColumn_ = -1;
    int widestEffect_ = 0, widestInterval_ = 0;
    std::wstring cacheFolder_;
};
