#pragma once
// The pictures of one card folder as 100 x 75 thumbnails. They are read one
// at a time with asynchronous requests, so the window answers and a stop
// takes effect at the next arrival; each folder's thumbnails are kept in a
// cache folder on the local disk and a folder with one is shown from it
// alone. The owning pane hears 1105 (start: wParam files), 1106 (wParam
// files, lParam done) and 1107 (end).
#include <windows.h>

#include <string>
#include <vector>

#include "ImageList.h"
#include "ListView.h"
#include "SDControl.h"
#include "convert/ErrorList.h"

class CSDTree;

class CThumbnailList : public fw::ListView {
public:
    static constexpr UINT WM_THUMBNAILS_START = 1105;
    static constexpr UINT WM_THUMBNAILS_PROGRESS = 1106;
    static constexpr UINT WM_THUMBNAILS_END = 1107;
    static constexpr UINT WM_THUMBNAILS_CLEAR = 1108;
    static constexpr SIZE kThumbnailSize{100, 75};

    // The item data of a thumbnail, owned by the list.
    struct Thumbnail {
        std::wstring cardPath;
        std::wstring cachePath;
    };

    explicit CThumbnailList(device::IDeviceControl* device);
    ~CThumbnailList() override;

    // `pane` hears the progress; `tree` names the folder to show.
    bool Create(HWND parent, UINT id, HWND pane, CSDTree* tree);

    void ShowFolder(const std::wstring& cardFolder);
    // 1 when reading started.
    int LoadFolder(const std::wstring& cardFolder, bool fromCache);
    void Stop();
    bool IsBusy() const { return busy_; }
    // Set to 1 to ask the reading to stop (the tree's Escape sets it).
    volatile LONG* stopFlag() { return &stop_; }

    const Thumbnail* ItemData(int item) const { return reinterpret_cast<const Thumbnail*>(Value(item)); }
    const std::wstring& cacheRoot() const { return cacheRoot_; }
    std::wstring CacheFolderOf(const std::wstring& cardFolder) const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool CollectNames(const std::wstring& cardFolder);
    void CollectCachedNames();
    bool CollectCardNames(const std::wstring& cardFolder);
    void AddName(const std::wstring& name);
    bool StartFile();
    // Reading (ThumbnailReading.cpp).
    void OnCompletion(WPARAM thread, LPARAM record);
    bool SaveArrivedPicture(const device::ResponseRecord& record);
    void AddThumbnail();
    void SortIfResized();
    void FinishReading();
    void EndWithAccessFailure();
    void ShowErrorList();
    void ClearAll();
    void DeleteCacheFolder();
    void DrainOnDestroy();
    int Message(UINT stringId, UINT type) const;

    HWND pane_ = nullptr;
    CSDTree* tree_ = nullptr;
    fw::ImageList images_;
    std::wstring cacheRoot_;
    CSDControl card_;
    bool busy_ = false;
    volatile LONG stop_ = 0;
    std::wstring cacheFolder_;
    int count_ = 0, index_ = 0;
    std::wstring cardPath_, cachePath_;
    std::vector<std::wstring> names_;
    std::wstring cardFolder_;
    bool cacheMode_ = false;
    CErrorList errors_;
    RECT lastClient_{};
};
