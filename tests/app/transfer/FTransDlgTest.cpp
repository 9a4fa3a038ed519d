// The transfer dialog as the user drives it: its checks, the card browser,
// the progress and the error list at the end, on the camera stand-in.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "CardFixture.h"
#include "ModalScript.h"
#include "Strings.h"
#include "Wait.h"
#include "resource.h"
#include "transfer/FTransDlg.h"

namespace {

using testing_support::Click;
using testing_support::ControlText;
using testing_support::FindDialogWith;
using testing_support::MessageBoxRecorder;
using testing_support::ModalScript;

const wchar_t* const kUserSection = L"SOFTWARE\\Vexa\\Pictavo (QZT)\\PictavoForPresentation\\ImgSection";

class FTransDlgTest : public transfer_test::CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        MakeCardFolder(L"DCIM\\100ABCDE");
        dialog = std::make_unique<CFTransDlg>(camera->get());
    }
    void TearDown() override { dialog.reset(); }

    // Steps that pick the card's first folder through the browser.
    std::vector<ModalScript::Step> ChooseFirstCardFolder() {
        return {[] {
                    HWND shown = FindDialogWith(IDC_TRANS_SOURCE);
                    if (!shown) return false;
                    Click(shown, IDC_TRANS_BROWSE_DESTINATION);
                    return true;
                },
                [] {
                    HWND browser = FindDialogWith(IDC_SD_TREE);
                    if (!browser || !TreeView_GetSelection(::GetDlgItem(browser, IDC_SD_TREE))) return false;
                    Click(browser, IDOK);
                    return true;
                }};
    }
    // Types the source and presses Transfer once the browser is gone.
    ModalScript::Step StartTransfer() {
        return [this] {
            HWND shown = FindDialogWith(IDC_TRANS_SOURCE);
            if (!shown || FindDialogWith(IDC_SD_TREE)) return false;
            destinationShown = ControlText(shown, IDC_TRANS_DESTINATION);
            ::SetDlgItemTextW(shown, IDC_TRANS_SOURCE, source.path().c_str());
            Click(shown, IDOK);
            return true;
        };
    }
    // Closes the dialog once `ready` holds and no other dialog is up.
    ModalScript::Step CloseWhen(std::function<bool()> ready) {
        return [ready] {
            HWND shown = FindDialogWith(IDC_TRANS_SOURCE);
            if (!shown || FindDialogWith(IDC_PROGRESS_BAR) || FindDialogWith(IDC_ERROR_LIST) || !ready()) return false;
            Click(shown, IDCANCEL);
            return true;
        };
    }
    std::vector<std::wstring> BoxTexts() const {
        std::vector<std::wstring> texts;
        for (const auto& box : boxes.boxes()) texts.push_back(box.text);
        return texts;
    }

    testing_support::RegistryValue sourceSetting{HKEY_CURRENT_USER, kUserSection, L"TransSrcFolder"};
    MessageBoxRecorder boxes;
    std::unique_ptr<CFTransDlg> dialog;
    std::wstring destinationShown;
};

TEST(TransferDestination, ShownWithoutADriveRootTheComputerKnows) {
    const struct {
        const wchar_t* destination;
        const wchar_t* shown;
    } cases[] = {
        {L"C:\\DCIM\\100ABCDE", L"DCIM\\100ABCDE"},
        {L"%:\\DCIM\\100ABCDE", L"%:\\DCIM\\100ABCDE"},
        {L"C:", L"C:"},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(CFTransDlg::ShownDestination(c.destination), c.shown) << c.destination;
}

TEST_F(FTransDlgTest, MissingInputIsRefusedAndTheSourceIsKept) {
    const std::wstring missing = source / L"gone";
    const struct {
        std::wstring typed;
        UINT message;
    } cases[] = {{L"", IDS_TRANS_SOURCE_NOT_SPECIFIED},
                 {missing, IDS_TRANS_SOURCE_NOT_AVAILABLE},
                 {source.path(), IDS_TRANS_DESTINATION_NOT_SPECIFIED}};
    for (const auto& c : cases) {
        const size_t before = boxes.boxes().size();
        dialog->PrepareRun();
        ModalScript script({[&] {
                                HWND shown = FindDialogWith(IDC_TRANS_SOURCE);
                                if (!shown) return false;
                                ::SetDlgItemTextW(shown, IDC_TRANS_SOURCE, c.typed.c_str());
                                Click(shown, IDOK);
                                return true;
                            },
                            CloseWhen([&] { return boxes.boxes().size() > before; })});
        EXPECT_EQ(dialog->DoModal(nullptr), IDCANCEL);
        ASSERT_EQ(boxes.boxes().size(), before + 1);
        EXPECT_EQ(boxes.boxes().back().text, fw::LoadResString(c.message));
        EXPECT_EQ(boxes.boxes().back().type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    dialog->PrepareRun();
    std::wstring shownSource;
    ModalScript script({CloseWhen([&] {
        shownSource = ControlText(FindDialogWith(IDC_TRANS_SOURCE), IDC_TRANS_SOURCE);
        return true;
    })});
    dialog->DoModal(nullptr);
    EXPECT_EQ(shownSource, source.path());
}

TEST_F(FTransDlgTest, TransferListsWhatDidNotArrive) {
    const std::string first = WriteSource(L"IMAG0001.JPG");
    WriteSource(L"IMAG0002.JPG");
    WriteSource(L"IMAG0003.JPG");
    camera->control().LockCardWrites(1);
    std::wstring listCaption;
    int listRows = -1;
    std::vector<ModalScript::Step> steps = ChooseFirstCardFolder();
    steps.push_back(StartTransfer());
    steps.push_back([&] {
        HWND list = FindDialogWith(IDC_ERROR_LIST);
        if (!list) return false;
        wchar_t caption[64] = {};
        ::GetWindowTextW(list, caption, 64);
        listCaption = caption;
        listRows = ListView_GetItemCount(::GetDlgItem(list, IDC_ERROR_LIST));
        Click(list, IDOK);
        return true;
    });
    steps.push_back(CloseWhen([] { return true; }));
    ModalScript script(steps);
    dialog->PrepareRun();
    EXPECT_EQ(dialog->DoModal(nullptr), IDCANCEL);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(destinationShown, L"DCIM\\100ABCDE");
    EXPECT_EQ(listCaption, L"Transfer Error");
    EXPECT_EQ(listRows, 1);
    EXPECT_FALSE(testing_support::FileExists(CardHostPath(L"DCIM\\100ABCDE\\IMAG0001.JPG")));
    EXPECT_TRUE(testing_support::FileExists(CardHostPath(L"DCIM\\100ABCDE\\IMAG0003.JPG")));
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(testing_support::ReadFileBytes(source / L"IMAG0001.JPG"), first);
}

TEST_F(FTransDlgTest, DuplicateNameStopsWithMessage180) {
    WriteSource(L"IMAG0002.JPG");
    testing_support::WriteFileBytes(CardHostPath(L"DCIM\\100ABCDE\\IMAG0002.JPG"), "old");
    std::vector<ModalScript::Step> steps = ChooseFirstCardFolder();
    steps.push_back(StartTransfer());
    steps.push_back(CloseWhen([&] { return !boxes.boxes().empty(); }));
    ModalScript script(steps);
    dialog->PrepareRun();
    dialog->DoModal(nullptr);
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{fw::Format(fw::LoadResString(IDS_SAME_NAME_EXISTS).c_str(),
                                                               source.path().c_str(), L"DCIM\\100ABCDE")});
    EXPECT_EQ(testing_support::ReadFileBytes(CardHostPath(L"DCIM\\100ABCDE\\IMAG0002.JPG")), "old");
}

TEST_F(FTransDlgTest, CardPulledDuringTheRunIsToldOnce) {
    for (int i = 1; i <= 10; ++i) WriteSource(fw::Format(L"IMAG%04d.JPG", i));
    std::vector<ModalScript::Step> steps = ChooseFirstCardFolder();
    steps.push_back(StartTransfer());
    steps.push_back([&] {
        if (!FindDialogWith(IDC_PROGRESS_BAR)) return false;
        return camera->control().RemoveCard();
    });
    steps.push_back(CloseWhen([&] { return !boxes.boxes().empty(); }));
    // Slow enough that the card goes while files are still waiting.
    camera->control().SetDelay(500);
    ModalScript script(steps);
    dialog->PrepareRun();
    dialog->DoModal(nullptr);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{fw::LoadResString(IDS_SD_NOT_INSERTED)});
    EXPECT_EQ(testing_support::ReadFileBytes(source / L"IMAG0010.JPG").size(), 4096u);
    EXPECT_FALSE(testing_support::FileExists(CardHostPath(L"DCIM\\100ABCDE\\IMAG0010.JPG")));
}

}  // namespace
