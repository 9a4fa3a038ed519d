#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "FrameworkTestIds.h"
#include "WorkerDialog.h"

namespace {
// Records each report as the user sees it: bar position and text.
class RecordingDialog : public fw::WorkerDialog {
public:
    RecordingDialog(Work work) : WorkerDialog(IDD_TEST_WORKER, std::move(work), IDC_TEST_PROGRESS, IDC_TEST_TEXT) {}
    std::vector<std::pair<int, std::wstring>> shown;
    std::atomic<int> seen{0};
    bool clickCancel = false;

protected:
    void OnProgress(int done, int total, const std::wstring& text) override {
        WorkerDialog::OnProgress(done, total, text);
        wchar_t line[64] = {};
        ::GetDlgItemTextW(hwnd(), IDC_TEST_TEXT, line, 64);
        shown.emplace_back(static_cast<int>(::SendDlgItemMessageW(hwnd(), IDC_TEST_PROGRESS, PBM_GETPOS, 0, 0)), line);
        if (clickCancel) ::PostMessageW(::GetDlgItem(hwnd(), IDCANCEL), BM_CLICK, 0, 0);
        seen = done;
    }
};

// What a worker does between its steps: polls, with a limit that only keeps
// a broken test from hanging.
bool PollUntil(const std::function<bool()>& done) {
    for (ULONGLONG end = ::GetTickCount64() + 30000; !done(); ::Sleep(1))
        if (::GetTickCount64() > end) return false;
    return true;
}

bool ThreadEnded(DWORD id) {
    HANDLE thread = ::OpenThread(SYNCHRONIZE, FALSE, id);
    if (!thread) return true;
    const bool ended = ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    ::CloseHandle(thread);
    return ended;
}
}  // namespace

TEST(WorkerDialog, ShowsEveryReportAndReturnsTheWorksResult) {
    std::atomic<DWORD> workThread{0};
    RecordingDialog dialog([&](fw::WorkerDialog::Progress& progress) -> INT_PTR {
        workThread = ::GetCurrentThreadId();
        for (int step = 1; step <= 3; ++step) {
            progress.Report(step, 4, L"File " + std::to_wstring(step));
            if (!PollUntil([&] { return dialog.seen == step; })) return -2;
        }
        return 42;
    });
    EXPECT_EQ(dialog.DoModal(nullptr), 42);
    EXPECT_EQ(dialog.shown, (std::vector<std::pair<int, std::wstring>>{{1, L"File 1"}, {2, L"File 2"}, {3, L"File 3"}}));
    EXPECT_NE(workThread, ::GetCurrentThreadId());
    EXPECT_TRUE(ThreadEnded(workThread));
}

TEST(WorkerDialog, CancelStopsTheWorkAndTheDialogWaitsForItsEnd) {
    std::atomic<DWORD> workThread{0};
    std::atomic<bool> returned{false};
    RecordingDialog dialog([&](fw::WorkerDialog::Progress& progress) -> INT_PTR {
        workThread = ::GetCurrentThreadId();
        progress.Report(1, 10, L"Converting");
        if (!PollUntil([&] { return progress.stopRequested(); })) return -2;
        returned = true;
        return IDCANCEL;
    });
    dialog.clickCancel = true;
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_TRUE(returned);
    EXPECT_TRUE(ThreadEnded(workThread));
}
