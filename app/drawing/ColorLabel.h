#pragma once
// One colour square of the line form: paints itself in its colour and
// hands a click to the form.
#include <windows.h>

#include <functional>

#include "Handles.h"
#include "Window.h"

class CColorLabel : public fw::Window {
public:
    // Takes over the static control `id` of `form`; `clicked` runs with the
    // colour at each press of the left button on it.
    bool Attach(HWND form, int id, COLORREF color, std::function<void(COLORREF)> clicked);
    COLORREF color() const { return color_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    COLORREF color_ = 0;
    fw::GdiObject brush_;
    std::function<void(COLORREF)> clicked_;
};
