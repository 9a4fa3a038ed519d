#include "ZipArchive.h"

#include <windows.h>
#include <zlib.h>

#include "Handles.h"

namespace slides {

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kDirectorySignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22, kDirectorySize = 46, kLocalSize = 30;
constexpr uint16_t kStored = 0, kDeflated = 8;
constexpr uint16_t kEncrypted = 1;

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return Get16(p) | static_cast<uint32_t>(Get16(p + 2)) << 16; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// Raw deflate data (no zlib header) of an entry, inflated to exactly `size` bytes.
bool Inflate(const uint8_t* data, uint32_t packedSize, std::string& out) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = packedSize;
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    int status = inflate(&stream, Z_FINISH);
    bool whole = status == Z_STREAM_END && stream.total_out == out.size();
    inflateEnd(&stream);
    return whole;
}

}  // namespace

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t limit) {
    fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || static_cast<uint64_t>(size.QuadPart) > limit) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
            read == bytes.size());
}

bool ZipArchive::Open(std::vector<uint8_t> file) {
    file_ = std::move(file);
    entries_.clear();
    if (file_.size() < kEndSize) return false;
    // The end record sits at the end, behind a comment of up to 64 KB.
    size_t last = file_.size() - kEndSize;
    size_t first = last > 0xFFFF ? last - 0xFFFF : 0;
    for (size_t at = last + 1; at-- > first;) {
        const uint8_t* end = &file_[at];
        if (Get32(end) != kEndSignature || at + kEndSize + Get16(end + 20) != file_.size()) continue;
        bool oneDisk = Get16(end + 4) == 0 && Get16(end + 6) == 0 && Get16(end + 8) == Get16(end + 10);
        return oneDisk && ReadDirectory(Get32(end + 16), Get16(end + 10));
    }
    return false;
}

bool ZipArchive::ReadDirectory(size_t offset, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (offset > file_.size() || file_.size() - offset < kDirectorySize) return false;
        const uint8_t* p = &file_[offset];
        if (Get32(p) != kDirectorySignature) return false;
        size_t nameLength = Get16(p + 28), tail = nameLength + Get16(p + 30) + Get16(p + 32);
        if (file_.size() - offset - kDirectorySize < tail) return false;
        Entry entry{std::string(reinterpret_cast<const char*>(p + kDirectorySize), nameLength),
                    Get16(p + 8), Get16(p + 10), Get32(p + 16), Get32(p + 20), Get32(p + 24), Get32(p + 42)};
        entries_.push_back(std::move(entry));
        offset += kDirectorySize + tail;
    }
    return true;
}

const ZipArchive::Entry* ZipArchive::Find(const std::string& name) const {
    for (const Entry& entry : entries_)
        if (SameName(entry.name, name)) return &entry;
    return nullptr;
}

bool ZipArchive::Contains(const std::string& name) const { return Find(name) != nullptr; }

bool ZipArchive::Read(const std::string& name, std::string& content) const {
    const Entry* entry = Find(name);
    return entry && Extract(*entry, content);
}

bool ZipArchive::Extract(const Entry& entry, std::string& content) const {
    if ((entry.flags & kEncrypted) || entry.size > kMaxEntryBytes) return false;
    size_t at = entry.headerOffset;
    if (at > file_.size() || file_.size() - at < kLocalSize || Get32(&file_[at]) != kLocalSignature) return false;
    size_t dataAt = at + kLocalSize + Get16(&file_[at + 26]) + Get16(&file_[at + 28]);
    if (dataAt > file_.size() || file_.size() - dataAt < entry.packedSize) return false;
    const uint8_t* data = file_.data() + dataAt;
    content.assign(entry.size, '\0');
    bool ok = false;
    if (entry.method == kStored && entry.packedSize == entry.size) {
        content.assign(reinterpret_cast<const char*>(data), entry.size);
        ok = true;
    } else if (entry.method == kDeflated) {
        ok = Inflate(data, entry.packedSize, content);
    }
    uint32_t crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                               static_cast<uInt>(content.size())));
    if (!ok || crc != entry.crc) content.clear();
    return ok && crc == entry.crc;
}

}  // namespace slides
