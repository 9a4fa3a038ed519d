// Tools > File Conversion in the running main frame: the menu item, and a
// JPEG converted into an empty folder.
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "ModalScript.h"
#include "Wait.h"
#include "PictureFixtures.h"
#include "shell/MainFrame.h"
#include "resource.h"

namespace {

using testing_support::AppTest;
using testing_support::Click;
using testing_support::FindDialogWith;
using testing_support::ModalScript;

std::wstring ToolsItemText(HWND frame, UINT id) {
    HMENU menu = ::GetMenu(frame);
    for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        if (::GetMenuStringW(::GetSubMenu(menu, i), id, text, 64, MF_BYCOMMAND) > 0) return text;
    }
    return L"";
}

using ShellConversion = AppTest;

TEST_F(ShellConversion, ToolsMenuConvertsAJpegIntoAnEmptyFolder) {
    EXPECT_EQ(ToolsItemText(mainFrame()->hwnd(), ID_TOOL_FILE_CONVERSION), L"&File Conversion");
    const std::wstring jpeg = WriteJpeg(L"photo.jpg", 800, 600);
    const std::wstring out = folder / L"camera";
    ::CreateDirectoryW(out.c_str(), nullptr);
    std::wstring caption;
    ModalScript script({[&] {
                            HWND dialog = FindDialogWith(IDC_CNV_SOURCE_FILE);
                            if (!dialog) return false;
                            wchar_t text[64] = {};
                            ::GetWindowTextW(dialog, text, 64);
                            caption = text;
                            ::SetDlgItemTextW(dialog, IDC_CNV_SOURCE_FILE, jpeg.c_str());
                            ::SetDlgItemTextW(dialog, IDC_CNV_DESTINATION, out.c_str());
                            Click(dialog, IDOK);
                            return true;
                        },
                        [&] {
                            HWND dialog = FindDialogWith(IDC_CNV_SOURCE_FILE);
                            if (!dialog || FindDialogWith(IDC_PROGRESS_BAR)) return false;
                            if (!testing_support::FileExists(out + L"\\IMAG0001.jpg")) return false;
                            Click(dialog, IDCANCEL);
                            return true;
                        }});
    Command(ID_TOOL_FILE_CONVERSION);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(caption, L"File Conversion");
    EXPECT_EQ(picture_fixtures::FolderEntries(out + L"\\"), std::vector<std::wstring>{L"IMAG0001.jpg"});
    const std::string written = testing_support::ReadFileBytes(out + L"\\IMAG0001.jpg");
    EXPECT_EQ(written.substr(6, 6), std::string("Exif\0\0", 6));
    EXPECT_TRUE(BoxTexts().empty());
}

}  // namespace

namespace {

class ShellConversionLive : public testing_support::AppTest {
protected:
    bool WithCamera() const override { return true; }
    std::string CameraSettings() const override { return "[Camera]\r\nFrameRate=30\r\n"; }
};

TEST_F(ShellConversionLive, LiveMonitorRestsWhileTheDialogIsOpen) {
    Command(ID_LIVE_START);
    ASSERT_TRUE(mainFrame()->IsLivePlaying());
    bool playingInside = true;
    ModalScript script({[&] {
        HWND dialog = FindDialogWith(IDC_CNV_SOURCE_FILE);
        if (!dialog) return false;
        playingInside = mainFrame()->IsLivePlaying();
        Click(dialog, IDCANCEL);
        return true;
    }});
    Command(ID_TOOL_FILE_CONVERSION);
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(playingInside);
    EXPECT_TRUE(testing_support::WaitUntil([&] { return mainFrame()->IsLivePlaying(); }));
}

}  // namespace
