#pragma once
// A camera key of the source's dialog: the remote-control key of the image
// application, except that auto focus is asked synchronously and the focus
// goes back where it was once the key is let go.
#include "VexaButton.h"

class CCameraButton : public CVexaButton {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Send(const device::RequestHeader& request) override;

private:
    HWND focusBefore_ = nullptr;
};
