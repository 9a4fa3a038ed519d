#pragma once
// Dialog 2001: product name, version and maker from the source's identity.
#include "Dialog.h"
#include "Twain.h"

class CAboutDialog : public fw::Dialog {
public:
    CAboutDialog(HINSTANCE module, const TW_IDENTITY& identity);

protected:
    BOOL OnInitDialog() override;

private:
    const TW_IDENTITY& identity_;
};
