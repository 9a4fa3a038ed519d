#pragma once
// Read-only access to the entries of a zip file (an Office Open XML package):
// the central directory is walked once, entries are inflated by zlib and
// checked against their CRC. Encrypted, multi-disk and zip64 archives are
// refused as damaged.
#include <cstdint>
#include <string>
#include <vector>

namespace slides {

class ZipArchive {
public:
    // Takes the whole file; false when it is no zip file this reader can use.
    bool Open(std::vector<uint8_t> file);
    // The uncompressed content of the entry `name` (ASCII case ignored, as
    // package part names are); false when missing, damaged or too large.
    bool Read(const std::string& name, std::string& content) const;
    bool Contains(const std::string& name) const;
    size_t size() const { return entries_.size(); }

    // Entries larger than this are taken as damage, not content.
    static constexpr uint32_t kMaxEntryBytes = 64u << 20;

private:
    struct Entry {
        std::string name;
        uint16_t flags, method;
        uint32_t crc, packedSize, size, headerOffset;
    };
    bool ReadDirectory(size_t offset, size_t count);
    const Entry* Find(const std::string& name) const;
    bool Extract(const Entry& entry, std::string& content) const;

    std::vector<uint8_t> file_;
    std::vector<Entry> entries_;
};

// Reads a whole file of at most `limit` bytes; false when it cannot be read.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t limit);

}  // namespace slides
