#pragma once
#include <windows.h>

#include "Window.h"

namespace fw {

// A progress bar over a 32-bit range.
class ProgressBar : public Window {
public:
    bool Create(HWND parent, UINT id, const RECT& rect);

    void SetRange(int low, int high);
    int low() const;
    int high() const;
    // Kept within the range by the control.
    void SetPosition(int position);
    int position() const;
};

}  // namespace fw
