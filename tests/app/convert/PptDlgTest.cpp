// The conversion dialog as a user drives it: what it refuses and why, the
// question before making folders, a run with its progress and error list,
// Cancel, and the folders it remembers.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>

#include "FakeSlideServer.h"
#include "ModalScript.h"
#include "PictureFixtures.h"
#include "Strings.h"
#include "TestSupport.h"
#include "Wait.h"
#include "base/Registry.h"
#include "convert/PptDlg.h"
#include "resource.h"

namespace {

using testing_support::Click;
using testing_support::ControlText;
using testing_support::FileExists;
using testing_support::FindDialogWith;
using testing_support::MessageBoxRecorder;
using testing_support::ModalScript;
using testing_support::RegistryValue;
using testing_support::TempFolder;

const std::wstring kSection = L"SOFTWARE\\Vexa\\Pictavo (QZT)\\PictavoForPresentation\\ImgSection";

HWND OpenConversionDialog() { return FindDialogWith(IDC_CNV_SOURCE_FILE); }

struct Entry {
    bool fileMode;
    std::wstring source, destination;
};

// Types the entry into the dialog and presses Convert.
ModalScript::Step Enter(const Entry& entry) {
    return [entry] {
        HWND dialog = OpenConversionDialog();
        if (!dialog) return false;
        ::SendMessageW(::GetDlgItem(dialog, entry.fileMode ? IDC_CNV_FILE_MODE : IDC_CNV_FOLDER_MODE), BM_CLICK, 0, 0);
        ::SetDlgItemTextW(dialog, entry.fileMode ? IDC_CNV_SOURCE_FILE : IDC_CNV_SOURCE_FOLDER, entry.source.c_str());
        ::SetDlgItemTextW(dialog, IDC_CNV_DESTINATION, entry.destination.c_str());
        Click(dialog, IDOK);
        return true;
    };
}

ModalScript::Step Close() {
    return [] {
        HWND dialog = OpenConversionDialog();
        // Only once no run is under way.
        if (!dialog || FindDialogWith(IDC_PROGRESS_BAR) || FindDialogWith(IDC_ERROR_LIST)) return false;
        Click(dialog, IDCANCEL);
        return true;
    };
}

class ConversionDialog : public ::testing::Test {
protected:
    // Runs the dialog modally while `steps` drive it, the last of them closing it.
    void Run(std::vector<ModalScript::Step> steps) {
        steps.push_back(Close());
        ModalScript script(std::move(steps));
        EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
        EXPECT_TRUE(script.finished());
    }
    std::wstring Jpeg(const std::wstring& name) {
        testing_support::WriteFileBytes(folder / name, picture_fixtures::MakeJpeg(64, 48));
        return folder / name;
    }

    RegistryValue file{HKEY_CURRENT_USER, kSection, L"CnvInputFileFolder"};
    RegistryValue source{HKEY_CURRENT_USER, kSection, L"CnvInputFolder"};
    RegistryValue output{HKEY_CURRENT_USER, kSection, L"CnvOutputFileFolder"};
    TempFolder folder;
    CPptDlg dialog;
};

TEST_F(ConversionDialog, RefusesWhatCannotBeConvertedAndSaysWhy) {
    const std::wstring jpeg = Jpeg(L"photo.jpg");
    const std::wstring out = folder / L"out";
    ::CreateDirectoryW(out.c_str(), nullptr);
    const struct {
        Entry entry;
        const wchar_t* message;
    } cases[] = {
        {{true, L"", out}, L"The source file or folder is not specified."},
        {{true, folder / L"missing.jpg", out}, L"The source file or folder is not available."},
        {{true, out, out}, L"The source file or folder is not available."},
        {{false, folder / L"missing", out}, L"The source file or folder is not available."},
        {{true, jpeg, L""}, L"The destination is not specified."},
        {{true, jpeg, L"relative\\folder"}, L"The output folder is not available."},
        {{false, folder.path(), folder.path().substr(0, folder.path().size() - 1)},
         L"The input and output folder must not be the same."},
    };
    MessageBoxRecorder boxes;
    std::vector<ModalScript::Step> steps;
    for (size_t i = 0; i < std::size(cases); ++i) {
        steps.push_back(Enter(cases[i].entry));
        steps.push_back([&boxes, i] { return boxes.boxes().size() > i; });
    }
    Run(steps);
    ASSERT_EQ(boxes.boxes().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(boxes.boxes()[i].text, cases[i].message);
        EXPECT_TRUE(boxes.boxes()[i].type & MB_ICONEXCLAMATION);
    }
    EXPECT_TRUE(picture_fixtures::FolderEntries(out + L"\\").empty());
}

TEST_F(ConversionDialog, AsksOnceBeforeMakingTheMissingFolders) {
    const std::wstring jpeg = Jpeg(L"photo.jpg");
    const std::wstring target = folder / L"new\\deeper";
    MessageBoxRecorder boxes({IDCANCEL}, IDOK);
    Run({Enter({true, jpeg, target}), [&] { return boxes.boxes().size() == 1; }, Enter({true, jpeg, target}),
         [&] { return FileExists(target + L"\\IMAG0001.jpg"); }});
    ASSERT_EQ(boxes.boxes().size(), 2u);
    for (const auto& box : boxes.boxes())
        EXPECT_EQ(box.text, L"The specified destination folder does not exist.\nCreate Folder?");
    EXPECT_EQ(boxes.boxes()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
}

TEST_F(ConversionDialog, RunShowsProgressAndThenTheErrorList) {
    ::CreateDirectoryW((folder / L"in").c_str(), nullptr);
    const std::wstring out = folder / L"out";
    testing_support::WriteFileBytes(folder / L"in\\good.jpg", picture_fixtures::MakeJpeg(64, 48));
    testing_support::WriteFileBytes(folder / L"in\\broken.bmp", "BM broken");
    MessageBoxRecorder boxes;
    std::wstring caption, header, row, message;
    auto readList = [&] {
        HWND list = FindDialogWith(IDC_ERROR_LIST);
        if (!list) return false;
        wchar_t text[256] = {};
        ::GetWindowTextW(list, text, 256);
        caption = text;
        header = ControlText(list, IDC_ERROR_HEADER);
        HWND view = ::GetDlgItem(list, IDC_ERROR_LIST);
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 256;
        ::SendMessageW(view, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
        row = text;
        item.iSubItem = 1;
        ::SendMessageW(view, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
        message = text;
        Click(list, IDOK);
        return true;
    };
    Run({Enter({false, folder / L"in", out}), readList});
    EXPECT_EQ(caption, L"File Conversion");
    EXPECT_EQ(header, L"Error list");
    EXPECT_EQ(row, folder / L"in\\broken.bmp");
    EXPECT_EQ(message, L"Unable to convert file.");
    EXPECT_TRUE(FileExists(out + L"\\IMAG0001.jpg"));
    EXPECT_TRUE(boxes.boxes().front().text.find(L"Create Folder?") != std::wstring::npos);
}

TEST_F(ConversionDialog, CancelLetsTheSlideFinishAndTheDisplayStandStill) {
    const std::wstring talk = folder / L"talk.pptx";
    testing_support::WriteFileBytes(talk, "zip");
    convert_fixtures::FakeSlideServer server;
    server.slideCount = 12;
    std::atomic<bool> cancelSeen{false};
    server.onExport = [&](int index) {
        if (index != 5) return;
        // Slide 5 is under way while the user presses Cancel.
        while (!cancelSeen) ::Sleep(10);
    };
    dialog.job().createServer = [&](IDispatch** application) { return server.Create(application); };
    std::wstring countAtCancel;
    std::vector<std::wstring> errors;
    Run({Enter({true, talk, folder.path()}),
         [&] {
             HWND progress = FindDialogWith(IDC_PROGRESS_BAR);
             if (!progress || server.exports < 5) return false;
             countAtCancel = ControlText(progress, IDC_PROGRESS_COUNT);
             Click(progress, IDCANCEL);
             return true;
         },
         [&] {
             HWND progress = FindDialogWith(IDC_PROGRESS_BAR);
             if (!progress || ::IsWindowEnabled(::GetDlgItem(progress, IDCANCEL))) return false;
             cancelSeen = true;
             return true;
         },
         [&] {
             HWND list = FindDialogWith(IDC_ERROR_LIST);
             if (!list) return false;
             HWND view = ::GetDlgItem(list, IDC_ERROR_LIST);
             errors.push_back(std::to_wstring(ListView_GetItemCount(view)));
             Click(list, IDOK);
             return true;
         }});
    EXPECT_EQ(server.exports, 5);
    EXPECT_EQ(countAtCancel, L"0 / 1");
    EXPECT_EQ(errors, std::vector<std::wstring>{L"1"});
    for (int n = 1; n <= 5; ++n) EXPECT_TRUE(FileExists(folder / fw::Format(L"IMAG%04d.jpg", n))) << n;
    EXPECT_FALSE(FileExists(folder / L"IMAG0006.jpg"));
}

TEST_F(ConversionDialog, RemembersTheFoldersOnCloseOnly) {
    file.SetString(L"C:\\old\\file.jpg");
    source.SetString(L"C:\\old\\in");
    output.SetString(L"C:\\old\\out");
    const std::wstring jpeg = Jpeg(L"photo.jpg");
    const std::wstring out = folder / L"out";
    ::CreateDirectoryW(out.c_str(), nullptr);
    std::wstring shown;
    auto read = [] { return RegReadString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"CnvInputFileFolder", L"?"); };
    std::wstring afterRun;
    Run({[&] {
             HWND dialog = OpenConversionDialog();
             if (!dialog) return false;
             shown = ControlText(dialog, IDC_CNV_SOURCE_FILE) + L"|" + ControlText(dialog, IDC_CNV_SOURCE_FOLDER) +
                     L"|" + ControlText(dialog, IDC_CNV_DESTINATION);
             return true;
         },
         Enter({true, jpeg, out}), [&] { return FileExists(out + L"\\IMAG0001.jpg"); },
         [&] {
             afterRun = read();
             return true;
         }});
    EXPECT_EQ(shown, L"C:\\old\\file.jpg|C:\\old\\in|C:\\old\\out");
    EXPECT_EQ(afterRun, L"C:\\old\\file.jpg") << "converting stores nothing";
    EXPECT_EQ(read(), jpeg);
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"CnvOutputFileFolder", L"?"), out);
}

}  // namespace
