#include <gtest/gtest.h>

#include <string>

#include "FileDialog.h"
#include "base/FileSelDlg.h"
#include "Strings.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

constexpr const wchar_t* kPictureFilter = L"JPEG (*.jpg)|*.jpg|BMP (*.bmp)|*.bmp||";

// Stands in for the user: chooses `answer` on filter `filterIndex`, or
// cancels, and keeps the structure the dialog was started with.
class FileSelection : public ::testing::Test {
protected:
    void SetUp() override {
        ::CreateDirectoryW((install_ / L"logs").c_str(), nullptr);
        installPath_.SetString(install_.path());
        fw::SetFileDialogHandler([this](bool, OPENFILENAMEW& ofn, DWORD& error) {
            asked_ = ofn;
            preset_ = ofn.lpstrFile;
            error = answer_.size() >= ofn.nMaxFile ? FNERR_BUFFERTOOSMALL : 0;
            if (cancel_ || error) return FALSE;
            answer_.copy(ofn.lpstrFile, answer_.size());
            ofn.lpstrFile[answer_.size()] = L'\0';
            ofn.nFilterIndex = filterIndex_;
            return TRUE;
        });
    }
    void TearDown() override { fw::SetFileDialogHandler(nullptr); }
    std::string Log() const { return ReadFileBytes(install_ / L"logs\\PictavoPreTrc.log"); }

    TempFolder install_;
    RegistryValue installPath_ = InstallPathValue();
    MessageBoxRecorder boxes_;
    std::wstring answer_, preset_;
    DWORD filterIndex_ = 1;
    bool cancel_ = false;
    OPENFILENAMEW asked_{};
};

std::wstring PathOfLength(size_t length) { return L"C:\\pics\\" + std::wstring(length - 12, L'p') + L".jpg"; }

}  // namespace

TEST_F(FileSelection, RefusesPathsTooLongForTheCallerAndReservedNames) {
    const int maxLength = 40;
    struct Case {
        std::wstring chosen;
        bool cancel;
        int result;
        const char* reason;  // the refusal's log line; null when nothing is shown
    } cases[] = {
        {PathOfLength(maxLength), false, 2, "Invalid File Path Length."},
        {PathOfLength(maxLength - 1), false, 1, nullptr},
        {L"C:\\pics\\con.jpg", false, 2, "Invalid File Name."},
        {L"C:\\pics\\COM1.bmp", false, 2, "Invalid File Name."},
        {L"C:\\pics\\console.jpg", false, 1, nullptr},
        // Longer than even the dialog's own buffer: refused just as visibly.
        {PathOfLength(400), false, 2, "Invalid File Path Length."},
        {L"C:\\pics\\any.jpg", true, 2, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << fw::ToAnsi(c.chosen) << (c.cancel ? " cancelled" : ""));
        CFileSelDlg dlg(true, L"jpg", nullptr, OFN_HIDEREADONLY, kPictureFilter, nullptr);
        answer_ = c.chosen;
        cancel_ = c.cancel;
        wchar_t path[maxLength] = L"C:\\pics\\old.jpg";
        const size_t boxesBefore = boxes_.boxes().size(), logBefore = Log().size();

        EXPECT_EQ(dlg.DoModal(nullptr, nullptr, path, maxLength), c.result);
        EXPECT_EQ(path, c.result == 1 ? c.chosen : L"C:\\pics\\old.jpg");
        EXPECT_EQ(boxes_.boxes().size(), boxesBefore + (c.reason ? 1 : 0));
        if (c.reason) {
            EXPECT_EQ(boxes_.boxes().back().text, L"The specified file is not available.");
            EXPECT_EQ(boxes_.boxes().back().type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
            EXPECT_NE(Log().find(std::string("[CFileSelDlg::DoModal            ] ") + c.reason, logBefore),
                      std::string::npos);
        } else {
            EXPECT_EQ(Log().size(), logBefore);
        }
    }
}

TEST_F(FileSelection, StartsOnTheNameWithoutExtensionInTheSmallStructure) {
    CFileSelDlg dlg(false, L"jpg", nullptr, OFN_OVERWRITEPROMPT, kPictureFilter, nullptr);
    answer_ = L"C:\\pics\\shot.jpg";
    wchar_t path[MAX_PATH] = L"C:\\pics\\shot.bmp";
    ASSERT_EQ(dlg.DoModal(L"Save As", L"C:\\pics", path, MAX_PATH), 1);
    EXPECT_EQ(preset_, L"C:\\pics\\shot");
    EXPECT_STREQ(asked_.lpstrTitle, L"Save As");
    EXPECT_STREQ(asked_.lpstrInitialDir, L"C:\\pics");
    // Without the places bar; 76 bytes only in a 32-bit program, and a 64-bit
    // dialog refuses anything but its own layout.
    EXPECT_EQ(asked_.lStructSize, sizeof(void*) == 8 ? 136u : 76u);
    EXPECT_EQ(asked_.nMaxFile, 261u);
}

TEST_F(FileSelection, EachRunStartsOnTheFilterOfTheLastAcceptedChoice) {
    CFileSelDlg dlg(false, L"jpg", nullptr, 0, kPictureFilter, nullptr);
    dlg.SetFilterIndex(2);  // Save As of a BMP picture starts on the BMP filter
    wchar_t path[MAX_PATH] = L"C:\\pics\\shot.bmp";
    struct Run {
        const wchar_t* chosen;
        DWORD filterChosen;
        int result;
        DWORD startsOn, remembered;
    } runs[] = {
        {L"C:\\pics\\shot.jpg", 1, 1, 2, 1},
        {L"C:\\pics\\shot.bmp", 2, 1, 1, 2},
        {L"C:\\pics\\con.jpg", 1, 2, 2, 2},  // a refused choice is not remembered
        {L"C:\\pics\\shot.jpg", 1, 1, 2, 1},
    };
    for (const Run& r : runs) {
        SCOPED_TRACE(fw::ToAnsi(r.chosen));
        answer_ = r.chosen;
        filterIndex_ = r.filterChosen;
        EXPECT_EQ(dlg.DoModal(nullptr, nullptr, path, MAX_PATH), r.result);
        EXPECT_EQ(asked_.nFilterIndex, r.startsOn);
        EXPECT_EQ(dlg.GetFilterIndex(), r.remembered);
    }
}
