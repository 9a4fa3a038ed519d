#pragma once
// One transfer of camera files from a local folder to a card folder, without
// windows: what may be sent, the checks before anything is sent, and the
// sending itself with an error entry for every file that did not arrive.
// The transfer dialog runs it; so do the tests and the benchmark.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "SDControl.h"
#include "convert/ErrorList.h"

class CTransferJob {
public:
    // What the checks before the loop found.
    enum class Check { Ready, NoCard, CardUnavailable, Duplicate, NothingToSend };

    explicit CTransferJob(CSDControl& card) : card_(card) {}

    // Gathers the camera-named .jpg files of `sourceFolder` and looks for
    // their names in `destination` on the card.
    Check Prepare(const std::wstring& sourceFolder, const std::wstring& destination);
    // Sends what Prepare gathered. `keepGoing` is asked before each file,
    // `report` after each (done, total). Ends with SD_EndWrite.
    void Run(const std::function<bool()>& keepGoing, const std::function<void(int, int)>& report);

    const std::vector<std::wstring>& names() const { return names_; }
    int sent() const { return sent_; }
    // The card answered "no card" to a send: the loop stopped there.
    bool cardPulled() const { return cardPulled_; }
    CErrorList& errors() { return errors_; }

private:
    void Gather();
    bool FindDuplicateName(const std::vector<device::ListingEntry>& listing) const;
    // The error id for a file that cannot be sent as it is; 0 when sent.
    UINT SendOne(const std::wstring& sourcePath, const std::wstring& cardPath);
    UINT ReadSource(const std::wstring& path, std::vector<char>& bytes) const;
    UINT StatusError(int32_t status, const std::wstring& cardPath, size_t size);

    CSDControl& card_;
    std::wstring source_, destination_;
    std::vector<std::wstring> names_;
    CErrorList errors_;
    int sent_ = 0;
    bool cardPulled_ = false;
};
