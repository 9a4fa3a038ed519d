#pragma once
// The files a run could not handle and why (dialog 135), shown once the run
// is over. It only shows the list; the caller keeps it.
#include <windows.h>

#include <string>

#include "Dialog.h"
#include "ListView.h"
#include "convert/ErrorList.h"

class CTransErrDlg : public fw::Dialog {
public:
    CTransErrDlg();

    void SetCaption(const std::wstring& caption) { caption_ = caption; }
    void SetHeader(const std::wstring& header) { header_ = header; }
    void SetErrorList(const CErrorList* errors) { errors_ = errors; }

protected:
    BOOL OnInitDialog() override;

private:
    fw::ListView list_;
    std::wstring caption_, header_;
    const CErrorList* errors_ = nullptr;
};
