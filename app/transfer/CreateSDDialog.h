#pragma once
// "Create New Folder" (dialog 132): the name of a new camera folder on the
// card. It stays open until the name is one the camera accepts.
#include <windows.h>

#include <string>

#include "Dialog.h"

class CCreateSDDialog : public fw::Dialog {
public:
    CCreateSDDialog();
    const std::wstring& name() const { return name_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;

private:
    std::wstring name_;
};
