#pragma once
// The running main frame on the camera stand-in with a card holding the
// camera folder DCIM\100ABCDE, for the Tools menu's card commands.
#include <windows.h>

#include <string>

#include "AppHarness.h"
#include "shell/MainFrame.h"

namespace testing_support {

class CardAppTest : public AppTest {
protected:
    bool WithCamera() const override { return true; }
    std::string CameraSettings() const override { return "[Camera]\r\nFrameRate=30\r\n"; }
    void SetUp() override {
        AppTest::SetUp();
        for (const wchar_t* part : {L"SDCard\\DCIM", L"SDCard\\DCIM\\100ABCDE"})
            ::CreateDirectoryW((folder / part).c_str(), nullptr);
    }
    // The text of menu item `id` in the main menu ("" when it has none).
    std::wstring ToolsItemText(UINT id) const {
        HMENU menu = ::GetMenu(mainFrame()->hwnd());
        wchar_t text[64] = {};
        for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i)
            if (::GetMenuStringW(::GetSubMenu(menu, i), id, text, 64, MF_BYCOMMAND) > 0) return text;
        return L"";
    }
};

}  // namespace testing_support
