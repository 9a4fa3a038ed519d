#pragma once
// "Slide Show Settings" (dialog 130): the card's folders and thumbnails on
// the left, the play order and a preview of its selected row on the right.
// Register writes the play order to the card. While thumbnails are read,
// Register, Cancel and Update only stop the reading.
#include <windows.h>

#include <memory>
#include <string>

#include "Dialog.h"
#include "Handles.h"
#include "ProgressBar.h"
#include "SDControl.h"
#include "sdview/SlidePlayList.h"
#include "sdview/SlideProgress.h"

class CSlideSplitFrm;

class CSlideShow : public fw::Dialog, public ISlideProgress {
public:
    // `owner` hears WM_RESUME_LIVE when the dialog's window goes.
    CSlideShow(HWND owner, device::IDeviceControl* device);
    ~CSlideShow() override;

    // The camera is gone: the dialog ends whatever it is doing.
    void CloseForLostCamera();

    // ISlideProgress.
    void ShowProgress(int total, int current) override;
    void UpdateProgress(int total, int current) override;
    void HideProgress() override;
    void ShowPreview(const std::wstring& path, bool cached);

    CSlidePlayList& playList() { return playList_; }
    CSlideSplitFrm* contents() const { return contents_.get(); }
    HBITMAP previewBitmap() const { return static_cast<HBITMAP>(preview_.get()); }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool StopIfReading();
    void OnFirstShow();
    void FixPreviewAspect();
    void OnAdd();
    void Finish(INT_PTR result);
    void SetProgressControls(int total, int current);
    void ShowProgressControls(bool show);
    HBITMAP LoadPreview(const std::wstring& path, bool cached, SIZE size);
    void ClearPreview();

    HWND owner_;
    device::IDeviceControl* device_;
    std::unique_ptr<CSlideSplitFrm> contents_;
    CSlidePlayList playList_;
    fw::ProgressBar progress_;
    fw::GdiObject preview_;
    bool firstShow_ = true;
    CSDControl card_;
};
