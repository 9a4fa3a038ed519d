#pragma once
// The APP1 segment the camera expects in every file it plays: a little-endian
// TIFF structure with IFD0, the Exif and interoperability IFDs and IFD1 with
// a JPEG thumbnail. Plain byte building, no files and no windows.
#include <windows.h>

#include <cstdint>
#include <string>

namespace exif {

// Bytes of one value of a TIFF type; 0 for a type it does not know.
int GetTypeSize(WORD type);

// One IFD as written: entry count, entries, link to the next IFD, data area.
// Values longer than 4 bytes go to the data area in the order they are added,
// unpadded; the running offset says where the next of them (or whatever
// follows the block) begins.
class IfdBlock {
public:
    IfdBlock(uint32_t offset, int entryCount);

    void Add(WORD tag, WORD type, uint32_t count, const void* value);
    void AddShort(WORD tag, WORD value) { Add(tag, 3, 1, &value); }
    void AddLong(WORD tag, uint32_t value) { Add(tag, 4, 1, &value); }
    void AddRational(WORD tag, uint32_t numerator, uint32_t denominator);
    // The last entry of a block: where the nested block or the thumbnail begins.
    void AddPointer(WORD tag) { AddLong(tag, running_); }
    void SetNext(uint32_t offset) { next_ = offset; }

    uint32_t running() const { return running_; }
    std::string Bytes() const;

private:
    uint16_t count_;
    std::string entries_;
    std::string data_;
    uint32_t next_ = 0;
    uint32_t running_;
};

struct ExifFields {
    uint32_t width = 0;
    uint32_t height = 0;
    std::wstring dateTime;  // "YYYY:MM:DD HH:MM:SS", or empty
    std::string thumbnail;  // a whole JPEG file
};

// The segment from its FF E1 marker to the fill byte after the thumbnail.
std::string BuildApp1(const ExifFields& fields);
// The source's SOI, the segment, then the rest of the source unchanged.
std::string InsertAfterSoi(const std::string& source, const std::string& app1);

}  // namespace exif
