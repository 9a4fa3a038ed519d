#pragma once
// A camera key of the source's dialog: the remote-control key of the image
// application, except that auto focus is asked synchronously and the focus
// goes back where it was once the key is let go.
#include <mutex>

#include "Handles.h"
#include "VexaButton.h"

class CCameraButton : public CVexaButton {
public:
    // Every request of the key is sent holding `lock`, the one the preview's requests take.
    void ShareLock(fw::CriticalSection& lock) { lock_ = &lock; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Send(const device::RequestHeader& request) override;

private:
    void SendNow(const device::RequestHeader& request);

    HWND focusBefore_ = nullptr;
    fw::CriticalSection* lock_ = nullptr;
};
