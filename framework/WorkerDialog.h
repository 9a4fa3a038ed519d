#pragma once
// A modal dialog that runs a piece of work on a thread of its own: started
// as the dialog comes up, shown through the progress the work reports, and
// ended once the work has returned. Cancel only asks the work to stop; the
// dialog waits for it, so the thread is always joined.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "Dialog.h"
#include "Handles.h"
#include "ProgressBar.h"

namespace fw {

class WorkerDialog : public Dialog {
public:
    // The work's side of the dialog. It never touches a window: reports are
    // posted to the dialog, which shows the latest.
    class Progress {
    public:
        // True once Cancel was pressed; the work should return soon.
        bool stopRequested() const { return dialog_.stop_; }
        void Report(int done, int total, const std::wstring& text = std::wstring());

    private:
        friend class WorkerDialog;
        explicit Progress(WorkerDialog& dialog) : dialog_(dialog) {}
        WorkerDialog& dialog_;
    };
    // Runs on the dialog's thread of work; its result is DoModal's.
    using Work = std::function<INT_PTR(Progress&)>;

    // `progressId` and `textId`: the template's progress bar and line of
    // text, 0 for none.
    WorkerDialog(UINT templateId, Work work, UINT progressId = 0, UINT textId = 0, HINSTANCE module = nullptr);
    ~WorkerDialog() override;

    // What the work returned; -1 when the dialog could not be shown.
    INT_PTR DoModal(HWND parent);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // A report arrived; by default the bar and the text show it.
    virtual void OnProgress(int done, int total, const std::wstring& text);
    // Cancel was pressed; by default the button is disabled.
    virtual void OnStopRequested();

private:
    struct Report {
        int done = 0;
        int total = 0;
        std::wstring text;
    };
    void Post(const Report& report);
    void ShowLatest();
    void Join();

    Work work_;
    UINT progressId_;
    UINT textId_;
    ProgressBar bar_;
    std::thread thread_;
    HWND target_ = nullptr;  // the dialog, for the thread's posts
    std::atomic<bool> stop_{false};
    std::atomic<bool> reportPending_{false};
    CriticalSection latestLock_;
    Report latest_;
    bool started_ = false;
    INT_PTR result_ = 0;
};

}  // namespace fw
