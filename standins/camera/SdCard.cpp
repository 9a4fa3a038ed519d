#include "SdCard.h"

#include <cstring>

#include "CardPath.h"
#include "ControlBlock.h"
#include "DeviceProtocol.h"
#include "Handles.h"
#include "HostFolder.h"
#include "SafeFileWriter.h"
#include "StandInCodes.h"

namespace standin {

namespace {
constexpr size_t kMaxCardNameBytes = 32;
constexpr uint64_t kMaxReadBytes = 64ull * 1024 * 1024;
constexpr int kListedFolderDepth = 2;  // "C:\DCIM" and the camera folders in it

CardResponse WithStatus(int32_t status) {
    CardResponse r;
    r.status = status;
    return r;
}

void AppendValue(std::vector<uint8_t>& data, uint32_t value) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    data.insert(data.end(), bytes, bytes + sizeof(value));
}

// One listing entry; a path with no exact ANSI form or too long for the entry is left out.
bool AppendEntry(std::vector<uint8_t>& data, const std::vector<std::wstring>& parts) {
    auto path = CardPathOf(parts);
    if (!path || path->size() >= device::kListingEntrySize) return false;
    device::ListingEntry entry{};
    std::memcpy(entry.path, path->data(), path->size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(&entry);
    data.insert(data.end(), bytes, bytes + sizeof(entry));
    return true;
}

void AppendFolders(std::vector<uint8_t>& data, const std::wstring& host, std::vector<std::wstring>& parts,
                   int depth) {
    if (depth == 0) return;
    for (const HostEntry& e : ListHostFolder(host)) {
        if (!e.folder || e.link || !IsSafeCardName(e.name)) continue;
        parts.push_back(e.name);
        AppendEntry(data, parts);
        AppendFolders(data, host + L"\\" + e.name, parts, depth - 1);
        parts.pop_back();
    }
}

DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }
bool IsFolder(DWORD a) { return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY); }
bool IsFile(DWORD a) { return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY); }

}  // namespace

SdCard::SdCard(const std::wstring& hostFolder, uint64_t capacity, ControlBlock& control)
    : root_(hostFolder.empty() || hostFolder.back() == L'\\' ? hostFolder : hostFolder + L"\\"),
      capacity_(capacity),
      control_(control) {}

bool SdCard::IsCardCommand(uint16_t code) {
    switch (code) {
    case device::kSdGetStatus: case device::kSdGetFolderList: case device::kSdGetJpegFile:
    case device::kSdGetFileList: case device::kSdGetPlayList: case device::kSdSetJpegFile:
    case device::kSdDeleteFolder: case device::kSdCreateFolder: case device::kSdSetPlayList:
    case device::kSdEndWrite:
        return true;
    default:
        return false;
    }
}

bool SdCard::Present() const { return control_.cardInserted != 0 && !root_.empty() && IsFolder(Attributes(root_)); }

std::optional<SdCard::Place> SdCard::Resolve(const std::string& cardPath) const {
    if (cardPath.size() > kMaxCardNameBytes) return std::nullopt;
    auto parts = SplitCardPath(cardPath);
    if (!parts) return std::nullopt;
    // A link inside the card folder could lead out of it.
    std::vector<std::wstring> walked;
    for (const std::wstring& part : *parts) {
        walked.push_back(part);
        DWORD a = Attributes(HostPath(root_, walked));
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT)) return std::nullopt;
    }
    return Place{*parts, HostPath(root_, *parts)};
}

CardResponse SdCard::Execute(const CardRequest& request) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!Present()) return WithStatus(device::kSdNoCard);
    switch (request.code) {
    case device::kSdGetStatus:
    case device::kSdEndWrite:
        return WithStatus(0);
    case device::kSdGetFolderList:
        return FolderList();
    default:
        break;
    }
    auto place = Resolve(request.name);
    if (!place) return WithStatus(kStatusBadName);
    switch (request.code) {
    case device::kSdGetJpegFile:
    case device::kSdGetPlayList:
        return ReadFile(*place);
    case device::kSdGetFileList:
        return FileList(*place);
    case device::kSdSetJpegFile:
    case device::kSdSetPlayList:
        return WriteFile(*place, request.send);
    case device::kSdDeleteFolder:
        return DeleteFolder(*place);
    case device::kSdCreateFolder:
        return CreateFolder(*place);
    default:
        return WithStatus(kStatusBadName);
    }
}

CardResponse SdCard::FolderList() const {
    CardResponse r;
    r.carriesData = true;
    std::vector<std::wstring> parts;
    AppendFolders(r.data, HostPath(root_, {}), parts, kListedFolderDepth);
    return r;
}

// Data: a 32-bit value (the bytes of the listed files, saturated), the
// 32-bit count, then one entry per file. Folders are not listed.
CardResponse SdCard::FileList(const Place& folder) const {
    if (!IsFolder(Attributes(folder.host))) return WithStatus(kStatusNotFound);
    std::vector<uint8_t> entries;
    uint64_t bytes = 0;
    uint32_t count = 0;
    std::vector<std::wstring> parts = folder.parts;
    for (const HostEntry& e : ListHostFolder(folder.host)) {
        if (e.folder || e.link) continue;
        parts.push_back(e.name);
        if (AppendEntry(entries, parts)) {
            ++count;
            bytes += e.size;
        }
        parts.pop_back();
    }
    CardResponse r;
    r.carriesData = true;
    AppendValue(r.data, static_cast<uint32_t>(bytes > UINT32_MAX ? UINT32_MAX : bytes));
    AppendValue(r.data, count);
    r.data.insert(r.data.end(), entries.begin(), entries.end());
    return r;
}

CardResponse SdCard::ReadFile(const Place& file) const {
    if (file.parts.empty() || !IsFile(Attributes(file.host))) return WithStatus(kStatusNotFound);
    fw::FileHandle handle(::CreateFileW(file.host.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        0, nullptr));
    LARGE_INTEGER size{};
    if (!handle || !::GetFileSizeEx(handle.get(), &size) || static_cast<uint64_t>(size.QuadPart) > kMaxReadBytes)
        return WithStatus(kStatusIoError);
    CardResponse r;
    r.carriesData = true;
    r.data.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!r.data.empty() &&
        (!::ReadFile(handle.get(), r.data.data(), static_cast<DWORD>(r.data.size()), &read, nullptr) ||
         read != r.data.size())) {
        r.data.clear();
        r.status = kStatusIoError;
    }
    return r;
}

bool SdCard::Fits(const Place& file, uint64_t size) const {
    if (capacity_ == 0) {
        ULARGE_INTEGER available{};
        return ::GetDiskFreeSpaceExW(root_.c_str(), &available, nullptr, nullptr) && size < available.QuadPart;
    }
    WIN32_FILE_ATTRIBUTE_DATA old{};
    uint64_t replaced = ::GetFileAttributesExW(file.host.c_str(), GetFileExInfoStandard, &old)
                            ? (static_cast<uint64_t>(old.nFileSizeHigh) << 32) | old.nFileSizeLow
                            : 0;
    uint64_t used = BytesBelow(HostPath(root_, {}));
    return used - replaced + size <= capacity_;
}

CardResponse SdCard::WriteFile(const Place& file, const std::vector<uint8_t>& bytes) const {
    if (file.parts.empty()) return WithStatus(kStatusBadName);
    std::vector<std::wstring> parent(file.parts.begin(), file.parts.end() - 1);
    if (!IsFolder(Attributes(HostPath(root_, parent)))) return WithStatus(kStatusNotFound);
    DWORD a = Attributes(file.host);
    if (IsFolder(a)) return WithStatus(kStatusExists);
    if ((a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY)) || TakeOne(&control_.lockCardWrites))
        return WithStatus(device::kSdLockedImage);
    if (!Fits(file, bytes.size())) return WithStatus(device::kSdCardFull);
    return WithStatus(WriteHostFile(file.host, bytes) ? 0 : kStatusIoError);
}

// Written beside the file and put in place whole, so a failed write leaves
// the card's previous file as it was and no partial one.
bool SdCard::WriteHostFile(const std::wstring& path, const std::vector<uint8_t>& bytes) const {
    device::SafeFileWriter writer(path.c_str());
    size_t half = bytes.size() / 2;
    return writer.Open() && writer.Write(bytes.data(), half) && !TakeOne(&control_.failCardWrites) &&
           writer.Write(bytes.data() + half, bytes.size() - half) && writer.Commit();
}

CardResponse SdCard::DeleteFolder(const Place& folder) const {
    if (folder.parts.empty()) return WithStatus(kStatusBadName);  // never the whole card
    if (!IsFolder(Attributes(folder.host))) return WithStatus(kStatusNotFound);
    if (HasReadOnlyFileBelow(folder.host)) return WithStatus(device::kSdLockedImage);
    return WithStatus(RemoveHostTree(folder.host) ? 0 : kStatusIoError);
}

CardResponse SdCard::CreateFolder(const Place& folder) const {
    if (folder.parts.empty()) return WithStatus(kStatusBadName);
    std::vector<std::wstring> parent(folder.parts.begin(), folder.parts.end() - 1);
    if (!IsFolder(Attributes(HostPath(root_, parent)))) return WithStatus(kStatusNotFound);
    if (Attributes(folder.host) != INVALID_FILE_ATTRIBUTES) return WithStatus(kStatusExists);
    return WithStatus(::CreateDirectoryW(folder.host.c_str(), nullptr) ? 0 : kStatusIoError);
}

}  // namespace standin
