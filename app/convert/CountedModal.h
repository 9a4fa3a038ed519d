#pragma once
// Counts a modal dialog of ours like a message box while it lives, so the
// main frame puts off closing camera windows until it is gone.
#include "base/AppServices.h"
#include "base/ControlDialog.h"

class CountedModal {
public:
    CountedModal() {
        if (CControlDialog* boxes = Boxes()) boxes->Increment();
    }
    ~CountedModal() {
        if (CControlDialog* boxes = Boxes()) boxes->Decrement();
    }
    CountedModal(const CountedModal&) = delete;
    CountedModal& operator=(const CountedModal&) = delete;

private:
    static CControlDialog* Boxes() { return AppServices() ? AppServices()->controlDialog() : nullptr; }
};
