#pragma once
// File Conversion (dialog 1101): a presentation, JPEG or BMP file, or a
// folder of them, becomes camera-ready IMAG????.jpg files in a local folder.
// The main frame makes one at start-up and shows it modally on demand.
#include <windows.h>

#include <memory>
#include <string>

#include "Dialog.h"
#include "convert/ConvertJob.h"
#include "convert/PlogressDlg.h"

class CPptDlg : public fw::Dialog {
public:
    CPptDlg();
    ~CPptDlg() override;

    // The run's error list and its presentation server, for those who look on.
    CConvertJob& job() { return job_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;

private:
    void ReadControls();
    void ShowPaths();
    void SetFileMode(bool fileMode);
    void OnBtnRefIn();
    void BrowseFolder(UINT editId, std::wstring& folder);
    bool CheckInput();
    bool Refuse(UINT messageId, UINT focusId);
    void OnOK();
    void ShowErrorList();
    void OnClose();

    std::wstring sourceFile_, destination_, sourceFolder_;
    bool fileMode_ = true;
    std::unique_ptr<CPlogressDlg> progress_;
    CConvertJob job_;
};
