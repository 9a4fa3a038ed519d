#include "SafeFileWriter.h"

#include <algorithm>

namespace device {

namespace {

std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : L".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

}  // namespace

SafeFileWriter::SafeFileWriter(const wchar_t* target) : target_(target ? target : L"") {}

SafeFileWriter::~SafeFileWriter() { Discard(); }

void SafeFileWriter::Discard() {
    if (file_ != INVALID_HANDLE_VALUE) ::CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (!temp_.empty()) ::DeleteFileW(temp_.c_str());
    temp_.clear();
}

bool SafeFileWriter::Open() {
    if (target_.empty() || !temp_.empty()) return false;
    // Creating over a read-only file fails on Windows; a rename over it would
    // not everywhere (Wine allows it), so the user's protection is checked here.
    DWORD attributes = ::GetFileAttributesW(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    wchar_t temp[MAX_PATH];
    // Creates a uniquely named empty file: from here on it is ours to remove.
    if (!::GetTempFileNameW(FolderOf(target_).c_str(), L"~pv", 0, temp)) return false;
    temp_ = temp;
    file_ = ::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file_ != INVALID_HANDLE_VALUE) return true;
    Discard();
    return false;
}

bool SafeFileWriter::Write(const void* data, size_t size) {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    const BYTE* p = static_cast<const BYTE*>(data);
    while (size > 0) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file_, p, chunk, &written, nullptr) || written != chunk) {
            Discard();
            return false;
        }
        p += chunk;
        size -= chunk;
    }
    return true;
}

bool SafeFileWriter::Commit() {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    bool closed = ::CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    if (!closed ||
        !::MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Discard();
        return false;
    }
    temp_.clear();
    return true;
}

bool WriteFileSafely(const wchar_t* path, const void* data, size_t size) {
    SafeFileWriter writer(path);
    return writer.Open() && writer.Write(data, size) && writer.Commit();
}

}  // namespace device
