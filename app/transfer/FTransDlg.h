#pragma once
// "File transfer" (dialog 138): the camera files of a local folder go to a
// camera folder of the SD card. Nothing is sent when a name is already in
// that folder; every file that does not arrive is listed at the end. The
// main frame makes one at start-up and runs it modally on demand.
#include <windows.h>

#include <memory>
#include <string>

#include "Dialog.h"
#include "SDControl.h"
#include "convert/PlogressDlg.h"
#include "transfer/TransferJob.h"

class CFTransDlg : public fw::Dialog {
public:
    explicit CFTransDlg(device::IDeviceControl* device);
    ~CFTransDlg() override;

    // Before each run: empty paths and the last source folder.
    void PrepareRun();

    // The destination as the dialog shows it: without a drive root the
    // computer knows, as that root is not the card's.
    static std::wstring ShownDestination(const std::wstring& destination);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code) override;

private:
    void ReadControls();
    void OnBrowseSource();
    void OnBnClickedBtnTo();
    void OnTransfer();
    bool CheckInput();
    bool Refuse(UINT messageId, UINT focusId);
    bool TransFiles();
    bool ReportCheck(CTransferJob::Check check);
    void RunWithProgress();
    void ShowErrorList();
    void EnableButtons(bool enable);
    void OnClose();

    device::IDeviceControl* device_;
    CSDControl card_;
    CTransferJob job_;
    std::unique_ptr<CPlogressDlg> progress_;
    std::wstring source_, destination_, shown_;
};
