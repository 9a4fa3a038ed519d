#include "transfer/TransferJob.h"

#include <algorithm>
#include <new>

#include "Handles.h"
#include "Strings.h"
#include "base/TraceLog.h"
#include "resource.h"
#include "transfer/CameraNames.h"

namespace {

constexpr const wchar_t* kSource = L"CFTransDlg::TransFiles";
constexpr size_t kMaxCardPath = 32;
constexpr LONGLONG kMaxFileBytes = 2 * 1024 * 1024;  // the camera shows nothing larger

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

bool LessIgnoringCase(const std::wstring& a, const std::wstring& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) < 0; }

}  // namespace

CTransferJob::Check CTransferJob::Prepare(const std::wstring& sourceFolder, const std::wstring& destination) {
    source_ = sourceFolder;
    destination_ = destination;
    sent_ = 0;
    cardPulled_ = false;
    errors_.FreeErrorList();
    Gather();
    const auto* listing = card_.SD_GetFileList(destination_);
    Check check = Check::Ready;
    if (!listing && card_.status() == device::kSdNoCard)
        check = Check::NoCard;
    else if (!listing && card_.status() != 0)
        check = Check::CardUnavailable;
    else if (listing && FindDuplicateName(*listing))
        check = Check::Duplicate;
    else if (names_.empty())
        check = Check::NothingToSend;
    card_.Clear();
    return check;
}

// Sorted by name, so a run that stops half-way has sent the lowest numbers.
void CTransferJob::Gather() {
    names_.clear();
    WIN32_FIND_DATAW found{};
    fw::FindHandle search(::FindFirstFileW(Join(source_, L"*.jpg").c_str(), &found));
    for (bool more = static_cast<bool>(search); more; more = ::FindNextFileW(search.get(), &found)) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsCameraFileName(found.cFileName))
            names_.push_back(found.cFileName);
    }
    std::sort(names_.begin(), names_.end(), LessIgnoringCase);
}

bool CTransferJob::FindDuplicateName(const std::vector<device::ListingEntry>& listing) const {
    const size_t prefix = destination_.size() + 1;
    for (const device::ListingEntry& entry : listing) {
        const std::wstring path = fw::FromAnsi(entry.path);
        if (path.size() <= prefix) continue;
        const std::wstring name = path.substr(prefix);
        for (const std::wstring& gathered : names_)
            if (::lstrcmpiW(name.c_str(), gathered.c_str()) == 0) return true;
    }
    return false;
}

void CTransferJob::Run(const std::function<bool()>& keepGoing, const std::function<void(int, int)>& report) {
    const int total = static_cast<int>(names_.size());
    for (int done = 0; done < total; ++done) {
        const std::wstring sourcePath = Join(source_, names_[done]);
        const UINT error = !keepGoing() ? IDS_OPERATION_CANCELED : SendOne(sourcePath, destination_ + L"\\" + names_[done]);
        if (cardPulled_) break;
        if (error)
            errors_.AddError(error, sourcePath);
        else
            ++sent_;
        if (report) report(done + 1, total);
    }
    card_.SD_EndWrite();
    card_.Clear();
}

UINT CTransferJob::SendOne(const std::wstring& sourcePath, const std::wstring& cardPath) {
    if (cardPath.size() > kMaxCardPath) return IDS_NAME_TOO_LONG;
    std::vector<char> bytes;
    if (UINT error = ReadSource(sourcePath, bytes)) return error;
    const int32_t status = card_.SD_SetJpegFile(cardPath, bytes.data(), static_cast<uint32_t>(bytes.size()));
    if (status == device::kSdNoCard) {
        cardPulled_ = true;
        return 0;
    }
    return status == 0 ? 0 : StatusError(status, cardPath, bytes.size());
}

// A file that cannot be read whole is not sent: zeros in its place would
// reach the card as a picture the camera cannot show.
UINT CTransferJob::ReadSource(const std::wstring& path, std::vector<char>& bytes) const {
    fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) return IDS_OPEN_FAILED;
    if (size.QuadPart >= kMaxFileBytes) return IDS_SD_OVER_2M;
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return IDS_NO_RESOURCES;
    }
    DWORD read = 0;
    if (bytes.empty() || !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size())
        return IDS_OPEN_FAILED;
    return 0;
}

UINT CTransferJob::StatusError(int32_t status, const std::wstring& cardPath, size_t size) {
    WriteTraceLog(kTraceApp, kSource, L"TransferError FilePath : %s", cardPath.c_str());
    WriteTraceLog(kTraceApp, kSource, L"TransferError FileSize : %d", static_cast<int>(size));
    WriteTraceLog(kTraceApp, kSource, L"TransferError Return SD_SetJpegFile  ret : %x  ErrCode : %x",
                  static_cast<unsigned>(status), static_cast<unsigned>(card_.outValue()));
    if (status == device::kSdLockedImage) return IDS_SD_LOCKED_IMAGE;
    if (status == device::kSdCardFull) return IDS_SD_FULL;
    return IDS_SD_TRANSFER_FAILED;
}
