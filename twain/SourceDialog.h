#pragma once
// Dialog 2000, the source's user interface: a preview of the camera, PLAY,
// STOP and STILL, the camera keys, and TRANSFER and CLOSE that end the
// exchange with the application. A thread of its own fetches the preview.
#include <windows.h>

#include <atomic>

#include "BitmapButton.h"
#include "CameraButton.h"
#include "Dialog.h"
#include "Handles.h"
#include "TransferImage.h"

class CTwainSource;
class CDeviceLink;

class CSourceDialog : public fw::Dialog {
public:
    static constexpr UINT kPreviewNext = 2026;          // thread message: fetch the next picture
    static constexpr UINT kPreviewFailed = WM_APP + 1;  // to the dialog: the thread gave up (wParam: message id)
    static constexpr DWORD kPreviewPaceMs = 150;
    static constexpr int kCommandCount = 6;
    static constexpr int kCameraCount = 8;

    explicit CSourceDialog(CTwainSource& source);
    ~CSourceDialog() override;

    // Creates the window hidden, owned by the application's window.
    bool Create(HWND parent);
    void Show();
    // Ends the preview and its thread, letting a fetch under way finish first.
    void EndPreviewThread();
    // The application reset the transfer, or ended it: TRANSFER may be used again.
    void TransferReset();
    void TransferEnded();

    bool previewing() const { return previewing_; }
    // A command or message handler of the dialog is on the stack (it may be in a box's loop).
    bool InHandler() const { return handlers_ > 0; }
    // Destroys the window and the boxes it owns, keeping the object for the handler still running.
    void Retire();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    enum class Fetch { kFetched, kNoPicture, kUndecodable, kNoMemory };

    bool Command(WORD id);
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    Fetch FetchPicture();
    void ShowPicture(HBITMAP fitted);
    bool StartPreviewThread();
    static DWORD WINAPI PreviewThread(void* self);
    void PreviewLoop();
    void PreviewStep();
    void GiveUpPreview(UINT message);

    void OnPlay();
    void StopPreview();
    void ShowStopped();
    void OnStill();
    void OnTransfer();
    void OnClose();
    void OnCameraGone();
    void OnCameraBack();
    void OnPreviewFailed(UINT message);
    void SetupButtons();
    void EnableItem(int id, bool enable);
    void DrawPreview(const DRAWITEMSTRUCT& item);

    CTwainSource& source_;
    CDeviceLink& link_;
    CTransferImage preview_;
    std::atomic<bool> previewing_{false};
    std::atomic<bool> transferAllowed_{false};
    std::atomic<int> decodeFailures_{0};
    bool cameraLost_ = false;
    bool ending_ = false;
    int handlers_ = 0;
    int previewWidth_ = 0, previewHeight_ = 0;

    fw::Handle thread_;
    DWORD threadId_ = 0;
    fw::Handle started_;
    fw::CriticalSection fetchLock_;
    fw::CriticalSection pictureLock_;
    fw::GdiObject picture_;  // the last picture, fitted to the preview area

    fw::BitmapButton commands_[kCommandCount];
    CCameraButton cameras_[kCameraCount];
};
