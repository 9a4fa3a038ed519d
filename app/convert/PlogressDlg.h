#pragma once
// The progress of a conversion or transfer (dialog 162): a count "n / m", a
// bar and Cancel. The work runs on a thread of its own; Cancel only asks it
// to stop, and the display stands still from then on.
#include <windows.h>

#include <functional>
#include <string>

#include "WorkerDialog.h"

class CPlogressDlg : public fw::WorkerDialog {
public:
    // The work asks `keepGoing` between files; it reports through `report`.
    struct Work {
        std::function<void(int done, int total)> report;
        std::function<bool()> keepGoing;
    };
    using Procedure = std::function<void(Work& work)>;

    CPlogressDlg();

    // Empty texts keep the template's.
    void SetTexts(const std::wstring& caption, const std::wstring& line, const std::wstring& countLabel);
    void SetThreadProc(Procedure procedure) { procedure_ = std::move(procedure); }

protected:
    BOOL OnInitDialog() override;
    void OnProgress(int done, int total, const std::wstring& text) override;
    void OnStopRequested() override {
        stopped_ = true;
        fw::WorkerDialog::OnStopRequested();
    }

private:
    INT_PTR RunWork(Progress& progress);

    Procedure procedure_;
    std::wstring caption_, line_, countLabel_;
    bool stopped_ = false;
};
