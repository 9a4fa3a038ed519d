#include "WorkerDialog.h"

#include <mutex>

namespace fw {

namespace {
constexpr UINT kProgressPosted = WM_APP + 0x3F0;
constexpr UINT kWorkReturned = WM_APP + 0x3F1;
}  // namespace

void WorkerDialog::Progress::Report(int done, int total, const std::wstring& text) {
    dialog_.Post(WorkerDialog::Report{done, total, text});
}

WorkerDialog::WorkerDialog(UINT templateId, Work work, UINT progressId, UINT textId, HINSTANCE module)
    : Dialog(templateId, module), work_(std::move(work)), progressId_(progressId), textId_(textId) {}

WorkerDialog::~WorkerDialog() {
    stop_ = true;
    Join();
}

INT_PTR WorkerDialog::DoModal(HWND parent) {
    started_ = false;
    const INT_PTR shown = Dialog::DoModal(parent);
    if (!started_) return shown;
    // Ended some other way (its owner went): the work still may not outlive it.
    if (thread_.joinable()) stop_ = true;
    Join();
    return result_;
}

BOOL WorkerDialog::OnInitDialog() {
    target_ = hwnd();
    stop_ = false;
    reportPending_ = false;
    started_ = true;
    if (progressId_) bar_.SubclassDlgItem(hwnd(), static_cast<int>(progressId_));
    thread_ = std::thread([this] {
        Progress progress(*this);
        result_ = work_ ? work_(progress) : 0;
        ::PostMessageW(target_, kWorkReturned, 0, 0);
    });
    return TRUE;
}

bool WorkerDialog::OnCommand(WORD id, WORD) {
    if (id == IDCANCEL && !stop_.exchange(true)) OnStopRequested();
    // Neither Enter nor Esc ends the dialog before the work does.
    return id == IDOK || id == IDCANCEL;
}

bool WorkerDialog::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    switch (msg) {
    case kProgressPosted: ShowLatest(); break;
    case kWorkReturned:
        Join();
        EndDialog(result_);
        break;
    default: return false;
    }
    result = 0;
    return true;
}

void WorkerDialog::OnProgress(int done, int total, const std::wstring& text) {
    if (bar_.hwnd() && total > 0) {
        bar_.SetRange(0, total);
        bar_.SetPosition(done);
    }
    if (textId_) ::SetDlgItemTextW(hwnd(), static_cast<int>(textId_), text.c_str());
}

void WorkerDialog::OnStopRequested() { ::EnableWindow(::GetDlgItem(hwnd(), IDCANCEL), FALSE); }

void WorkerDialog::Post(const Report& report) {
    {
        std::lock_guard<CriticalSection> guard(latestLock_);
        latest_ = report;
    }
    // One message at a time: a fast worker must not flood the queue.
    if (!reportPending_.exchange(true)) ::PostMessageW(target_, kProgressPosted, 0, 0);
}

void WorkerDialog::ShowLatest() {
    reportPending_ = false;  // before reading: a report after this posts again
    Report latest;
    {
        std::lock_guard<CriticalSection> guard(latestLock_);
        latest = latest_;
    }
    OnProgress(latest.done, latest.total, latest.text);
}

void WorkerDialog::Join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace fw
