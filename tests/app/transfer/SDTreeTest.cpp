// The card's folder tree on the camera stand-in: which folders it shows,
// what a refresh keeps, folders made and removed, and the two dialogs the
// user picks and names folders with.
#include <gtest/gtest.h>

#include "CardFixture.h"
#include "HostFolder.h"
#include "MessageCatcher.h"
#include "ModalScript.h"
#include "Strings.h"
#include "Wait.h"
#include "base/AppMessages.h"
#include "resource.h"
#include "transfer/CreateSDDialog.h"
#include "transfer/FTransTreeDlg.h"
#include "transfer/SDTree.h"
#include "transfer/SdRootSetting.h"

namespace {

using testing_support::Click;
using testing_support::FindDialogWith;
using testing_support::MessageBoxRecorder;
using testing_support::ModalScript;

class SDTreeTest : public transfer_test::CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        for (const wchar_t* folder : {L"DCIM\\100ABCDE", L"DCIM\\MISC", L"DCIM\\101_TEST"}) MakeCardFolder(folder);
        parent = ::CreateWindowExW(0, L"STATIC", L"card", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                                   nullptr, nullptr);
        tree = std::make_unique<CSDTree>(camera->get());
        ASSERT_TRUE(tree->Create(parent, IDC_SD_TREE, RECT{0, 0, 280, 280}));
        ASSERT_TRUE(tree->InitTree(owner.hwnd()));
    }
    void TearDown() override {
        tree.reset();
        ::DestroyWindow(parent);
    }
    void Fill() {
        ::PostMessageW(tree->hwnd(), WM_SDTREE_FILL, 0, 0);
        ASSERT_TRUE(testing_support::WaitUntil([&] { return !Texts().empty() || !boxes.boxes().empty(); }));
    }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (HTREEITEM item : tree->Children(nullptr)) texts.push_back(tree->Text(item));
        return texts;
    }
    HTREEITEM Item(const std::wstring& text) const {
        for (HTREEITEM item : tree->Children(nullptr))
            if (tree->Text(item) == text) return item;
        return nullptr;
    }
    std::wstring SelectedText() const { return tree->Selection() ? tree->Text(tree->Selection()) : L""; }

    MessageBoxRecorder boxes;
    camera_test::MessageCatcher owner;
    HWND parent = nullptr;
    std::unique_ptr<CSDTree> tree;
};

TEST_F(SDTreeTest, ShowsTheCameraFoldersInTheCardsOrder) {
    Fill();
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"100ABCDE", L"101_TEST"}));
    EXPECT_EQ(SelectedText(), L"100ABCDE");
    EXPECT_EQ(tree->GetSelectedPath(), L"C:\\DCIM\\100ABCDE");
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(SDTreeTest, RootComesFromTheCardsDcimFolderOrTheSettings) {
    testing_support::TempFolder settings;
    const std::wstring ini = settings / L"KorvoDocumentCamera.ini";
    testing_support::WriteFileBytes(ini, "[VIEWER]\r\nROOTPATH=C:\\PICS\r\n");
    EXPECT_EQ(ReadSdRootPath(ini), L"C:\\PICS");
    EXPECT_EQ(ReadSdRootPath(settings / L"none.ini"), L"C:\\DCIM");

    // A card without DCIM: the root stays the setting's (here the default).
    standin::RemoveHostTree(CardHostPath(L"DCIM"));
    MakeCardFolder(L"PICS\\100ABCDE");
    tree->FillTree();
    EXPECT_EQ(tree->rootPath(), L"C:\\DCIM");
    ::CreateDirectoryW(CardHostPath(L"dcim").c_str(), nullptr);
    tree->FillTree();
    EXPECT_EQ(tree->rootPath(), L"C:\\dcim");
}

TEST_F(SDTreeTest, RefreshKeepsTheSelectionWhileTheFolderIsThere) {
    Fill();
    tree->Select(Item(L"101_TEST"));
    MakeCardFolder(L"DCIM\\102ABCDE");
    ::SendMessageW(tree->hwnd(), WM_SDTREE_REFRESH, 0, 0);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"100ABCDE", L"101_TEST", L"102ABCDE"}));
    EXPECT_EQ(SelectedText(), L"101_TEST");
    EXPECT_TRUE(owner.Take(WM_SDTREE_REFRESHING).has_value());

    ::RemoveDirectoryW(CardHostPath(L"DCIM\\101_TEST").c_str());
    ::SendMessageW(tree->hwnd(), WM_SDTREE_REFRESH, 0, 0);
    EXPECT_EQ(SelectedText(), L"100ABCDE");
}

TEST_F(SDTreeTest, FoldersAreMadeAndRemovedOnTheCard) {
    Fill();
    tree->CreateFolder(L"102abcde");
    EXPECT_TRUE(testing_support::FileExists(CardHostPath(L"DCIM\\102ABCDE")));
    EXPECT_EQ(SelectedText(), L"102ABCDE");

    tree->DeleteFolder(tree->Selection());
    EXPECT_FALSE(testing_support::FileExists(CardHostPath(L"DCIM\\102ABCDE")));
    EXPECT_EQ(Item(L"102ABCDE"), nullptr);

    // A locked picture keeps its folder.
    testing_support::WriteFileBytes(CardHostPath(L"DCIM\\101_TEST\\IMAG0001.JPG"), "x");
    ::SetFileAttributesW(CardHostPath(L"DCIM\\101_TEST\\IMAG0001.JPG").c_str(), FILE_ATTRIBUTE_READONLY);
    tree->Select(Item(L"101_TEST"));
    tree->DeleteFolder(tree->Selection());
    EXPECT_NE(Item(L"101_TEST"), nullptr);
    tree->CreateFolder(L"100ABCDE");
    tree->CreateFolder(L"");
    ::SetFileAttributesW(CardHostPath(L"DCIM\\101_TEST\\IMAG0001.JPG").c_str(), FILE_ATTRIBUTE_NORMAL);

    std::vector<std::wstring> texts;
    for (const auto& box : boxes.boxes()) {
        texts.push_back(box.text);
        EXPECT_EQ(box.caption, fw::LoadResString(IDS_APP_TITLE));
        EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{fw::LoadResString(IDS_DELETE_FOLDER_FAILED),
                                                fw::LoadResString(IDS_CREATE_FOLDER_FAILED),
                                                fw::LoadResString(IDS_INTERNAL_ERROR)}));
}

TEST_F(SDTreeTest, NoCardSaysSo) {
    ASSERT_TRUE(camera->control().RemoveCard());
    Fill();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, fw::LoadResString(IDS_SD_NOT_INSERTED));
    EXPECT_EQ(boxes.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(Texts().empty());
}

TEST_F(SDTreeTest, BrowserChoosesAFolderMadeThroughNewFolder) {
    CFTransTreeDlg browser(camera->get());
    ModalScript script({[&] {
                            HWND dialog = FindDialogWith(IDC_SD_TREE);
                            if (!dialog || browser.tree().Children(nullptr).size() != 2) return false;
                            Click(dialog, IDC_SD_NEW_FOLDER);
                            return true;
                        },
                        [&] {
                            HWND ask = FindDialogWith(IDC_SD_FOLDER_NAME);
                            if (!ask) return false;
                            ::SetDlgItemTextW(ask, IDC_SD_FOLDER_NAME, L"099ABCDE");
                            Click(ask, IDOK);
                            return true;
                        },
                        [&] {
                            HWND ask = FindDialogWith(IDC_SD_FOLDER_NAME);
                            if (!ask || boxes.boxes().empty()) return false;
                            ::SetDlgItemTextW(ask, IDC_SD_FOLDER_NAME, L"102abcde");
                            Click(ask, IDOK);
                            return true;
                        },
                        [&] {
                            HWND dialog = FindDialogWith(IDC_SD_TREE);
                            if (!dialog || FindDialogWith(IDC_SD_FOLDER_NAME)) return false;
                            Click(dialog, IDOK);
                            return true;
                        }});
    EXPECT_EQ(browser.DoModal(nullptr), IDOK);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(browser.chosenPath(), L"C:\\DCIM\\102ABCDE");
    EXPECT_TRUE(testing_support::FileExists(CardHostPath(L"DCIM\\102ABCDE")));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, fw::LoadResString(IDS_BAD_FOLDER_NAME));
    EXPECT_EQ(boxes.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

}  // namespace
