#include <gtest/gtest.h>

#include "FileDialog.h"
#include "FrameHarness.h"
#include "RectTracker.h"

using namespace testing_support;

namespace {
// Answers every file dialog with `path` on filter `index`, recording the request.
class FileDialogAnswer {
public:
    FileDialogAnswer(std::wstring path, DWORD index) {
        fw::SetFileDialogHandler([this, path, index](bool save, OPENFILENAMEW& ofn, DWORD& error) {
            save_ = save;
            seen_ = ofn;
            filter_.assign(ofn.lpstrFilter, ofn.lpstrFilter + fw::FileDialogFilter(L"JPEG (*.jpg)|*.jpg|BMP (*.bmp)|*.bmp||").size());
            if (path.empty()) return FALSE;
            if (path.size() >= ofn.nMaxFile) {
                error = FNERR_BUFFERTOOSMALL;
                return FALSE;
            }
            path.copy(ofn.lpstrFile, path.size());
            ofn.lpstrFile[path.size()] = L'\0';
            ofn.nFilterIndex = index;
            return TRUE;
        });
    }
    ~FileDialogAnswer() { fw::SetFileDialogHandler(nullptr); }
    bool save_ = false;
    OPENFILENAMEW seen_{};
    std::wstring filter_;
};
}  // namespace

TEST(FileDialog, PassesItsSettingsAndReturnsTheChoice) {
    FileDialogAnswer answer(L"C:\\pictures\\a.bmp", 2);
    fw::FileDialog dlg(/*open=*/false);
    dlg.SetFilter(L"JPEG (*.jpg)|*.jpg|BMP (*.bmp)|*.bmp||");
    dlg.SetInitialFolder(L"C:\\pictures");
    dlg.SetDefaultExtension(L"jpg");
    dlg.SetFlags(OFN_EXPLORER | OFN_OVERWRITEPROMPT);
    dlg.SetStructSize(fw::FileDialog::Nt4StructSize());
    dlg.SetBufferCapacity(256);
    ASSERT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_TRUE(answer.save_);
    EXPECT_EQ(answer.filter_, std::wstring(L"JPEG (*.jpg)\0*.jpg\0BMP (*.bmp)\0*.bmp\0\0", 38));
    EXPECT_EQ(answer.seen_.lStructSize, OPENFILENAME_SIZE_VERSION_400W);
    EXPECT_EQ(answer.seen_.nMaxFile, 256u);
    EXPECT_STREQ(answer.seen_.lpstrInitialDir, L"C:\\pictures");
    EXPECT_STREQ(answer.seen_.lpstrDefExt, L"jpg");
    EXPECT_EQ(answer.seen_.Flags, static_cast<DWORD>(OFN_EXPLORER | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(dlg.path(), L"C:\\pictures\\a.bmp");
    EXPECT_EQ(dlg.filterIndex(), 2u);
}

TEST(FileDialog, CancelAndFailureAreNeverAChoice) {
    {
        FileDialogAnswer cancel(L"", 1);
        fw::FileDialog dlg(true);
        EXPECT_EQ(dlg.DoModal(nullptr), IDCANCEL);
        EXPECT_TRUE(dlg.path().empty());
    }
    FileDialogAnswer tooLong(std::wstring(300, L'x'), 1);
    fw::FileDialog dlg(true);
    dlg.SetBufferCapacity(261);
    EXPECT_EQ(dlg.DoModal(nullptr), 0);
    EXPECT_EQ(dlg.extendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    EXPECT_TRUE(dlg.path().empty());
}

using Tracker = FrameTest;

TEST_F(Tracker, RubberBandEndsAtTheReleaseAndIsNormalized) {
    auto opened = Open();
    HWND view = opened.view->hwnd();
    struct Case {
        POINT start, end;
        bool escape;
        bool result;
        RECT expected;
    } cases[] = {
        {{50, 60}, {150, 90}, false, true, {50, 60, 150, 90}},
        {{150, 90}, {50, 60}, false, true, {50, 60, 150, 90}},  // dragged up and left
        {{20, 20}, {-10, 30}, false, true, {-10, 20, 20, 30}},  // past the window's edge
        {{50, 60}, {150, 90}, true, false, {0, 0, 0, 0}},       // Escape cancels
        {{50, 60}, {50, 60}, false, false, {50, 60, 50, 60}},   // a click is no rectangle
    };
    for (const Case& c : cases) {
        ::PostMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(c.end.x, c.end.y));
        if (c.escape) ::PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(c.end.x, c.end.y));
        fw::RectTracker tracker;
        EXPECT_EQ(tracker.TrackRubberBand(view, c.start), c.result);
        EXPECT_TRUE(::EqualRect(&tracker.rect(), &c.expected))
            << tracker.rect().left << "," << tracker.rect().top << "," << tracker.rect().right << ","
            << tracker.rect().bottom;
        EXPECT_NE(::GetCapture(), view);
        PumpMessages();  // the button-up of a cancelled drag
    }
}
