#include "convert/PlogressDlg.h"

#include "Strings.h"
#include "resource.h"

namespace {

void SetTextIfAny(HWND window, const std::wstring& text) {
    if (!text.empty()) ::SetWindowTextW(window, text.c_str());
}

void CentreOnOwner(HWND dialog) {
    HWND owner = ::GetWindow(dialog, GW_OWNER);
    RECT area{}, box{};
    if (owner)
        ::GetWindowRect(owner, &area);
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    ::GetWindowRect(dialog, &box);
    const int x = area.left + ((area.right - area.left) - (box.right - box.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (box.bottom - box.top)) / 2;
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CPlogressDlg::CPlogressDlg()
    : fw::WorkerDialog(IDD_CONVERT_PROGRESS, [this](Progress& progress) { return RunWork(progress); },
                       IDC_PROGRESS_BAR, IDC_PROGRESS_COUNT) {}

void CPlogressDlg::SetTexts(const std::wstring& caption, const std::wstring& line, const std::wstring& countLabel) {
    caption_ = caption;
    line_ = line;
    countLabel_ = countLabel;
}

BOOL CPlogressDlg::OnInitDialog() {
    stopped_ = false;
    CentreOnOwner(hwnd());
    SetTextIfAny(hwnd(), caption_);
    SetTextIfAny(::GetDlgItem(hwnd(), IDC_PROGRESS_TEXT), line_);
    SetTextIfAny(::GetDlgItem(hwnd(), IDC_PROGRESS_COUNT_LABEL), countLabel_);
    return fw::WorkerDialog::OnInitDialog();
}

void CPlogressDlg::OnProgress(int done, int total, const std::wstring& text) {
    // After Cancel the count stays where the user saw it stop.
    if (stopped_) return;
    fw::WorkerDialog::OnProgress(total > 0 ? done * 100 / total : 0, 100, text);
}

INT_PTR CPlogressDlg::RunWork(Progress& progress) {
    Work work;
    work.report = [&progress](int done, int total) { progress.Report(done, total, fw::Format(L"%d / %d", done, total)); };
    work.keepGoing = [&progress] { return !progress.stopRequested(); };
    if (procedure_) procedure_(work);
    return 1;
}
