// Tools > Transfer to SD Memory in the running main frame: the card check
// before anything else, and a converted picture carried to a card folder.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "AppHarness.h"
#include "CardAppTest.h"
#include "CameraControlClient.h"
#include "ModalScript.h"
#include "Strings.h"
#include "Wait.h"
#include "convert/ConvertJob.h"
#include "shell/MainFrame.h"
#include "resource.h"

namespace {

using testing_support::Click;
using testing_support::FindDialogWith;
using testing_support::ModalScript;

class ShellTransfer : public testing_support::CardAppTest {};

TEST_F(ShellTransfer, WithoutACardSays167AndTheLiveMonitorPlaysOn) {
    EXPECT_EQ(ToolsItemText(ID_SD_TRANSFER), L"&Transfer to SD Memory...");
    EXPECT_TRUE(testing_support::Enabled(mainFrame(), ID_SD_TRANSFER));
    Command(ID_LIVE_START);
    ASSERT_TRUE(mainFrame()->IsLivePlaying());
    ASSERT_TRUE(standin::CameraControlClient().RemoveCard());
    Command(ID_SD_TRANSFER);
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{fw::LoadResString(IDS_SD_NOT_INSERTED)});
    EXPECT_EQ(FindDialogWith(IDC_TRANS_SOURCE), nullptr);
    EXPECT_TRUE(mainFrame()->IsLivePlaying());
}

TEST_F(ShellTransfer, UnpluggingTheCameraClosesTheDialog) {
    bool unplugged = false;
    ModalScript script({[&] {
        if (!FindDialogWith(IDC_TRANS_SOURCE)) return false;
        unplugged = standin::CameraControlClient().Unplug();
        return true;
    }});
    Command(ID_SD_TRANSFER);
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(unplugged);
    EXPECT_EQ(FindDialogWith(IDC_TRANS_SOURCE), nullptr);
}

TEST_F(ShellTransfer, AConvertedPictureReachesTheChosenCardFolder) {
    const std::wstring converted = folder / L"camera";
    ::CreateDirectoryW(converted.c_str(), nullptr);
    // Converted as Tools > File Conversion converts it.
    CConvertJob conversion;
    conversion.SetWindow(mainFrame()->hwnd());
    conversion.DoConvert(CConvertJob::Source{true, WriteJpeg(L"photo.jpg", 800, 600), L"", converted});
    ASSERT_TRUE(testing_support::FileExists(converted + L"\\IMAG0001.jpg"));

    std::wstring caption;
    ModalScript transfer({[&] {
                              HWND dialog = FindDialogWith(IDC_TRANS_SOURCE);
                              if (!dialog) return false;
                              caption = testing_support::Caption(dialog);
                              ::SetDlgItemTextW(dialog, IDC_TRANS_SOURCE, converted.c_str());
                              Click(dialog, IDC_TRANS_BROWSE_DESTINATION);
                              return true;
                          },
                          [&] {
                              HWND browser = FindDialogWith(IDC_SD_TREE);
                              if (!browser || !TreeView_GetSelection(::GetDlgItem(browser, IDC_SD_TREE))) return false;
                              Click(browser, IDOK);
                              return true;
                          },
                          [&] {
                              HWND dialog = FindDialogWith(IDC_TRANS_SOURCE);
                              if (!dialog || FindDialogWith(IDC_SD_TREE)) return false;
                              Click(dialog, IDOK);
                              return true;
                          },
                          [&] {
                              HWND dialog = FindDialogWith(IDC_TRANS_SOURCE);
                              if (!dialog || FindDialogWith(IDC_PROGRESS_BAR)) return false;
                              if (!testing_support::FileExists(folder / L"SDCard\\DCIM\\100ABCDE\\IMAG0001.jpg"))
                                  return false;
                              Click(dialog, IDCANCEL);
                              return true;
                          }});
    Command(ID_SD_TRANSFER);
    EXPECT_TRUE(transfer.finished());
    EXPECT_EQ(caption, L"File transfer");
    EXPECT_EQ(testing_support::ReadFileBytes(folder / L"SDCard\\DCIM\\100ABCDE\\IMAG0001.jpg"),
              testing_support::ReadFileBytes(converted + L"\\IMAG0001.jpg"));
    EXPECT_TRUE(BoxTexts().empty());
}

}  // namespace
