#include "convert/ExifLayout.h"

#include <cstring>

namespace exif {

namespace {

constexpr uint32_t kTiffHeaderSize = 8;  // "II", 42, offset of IFD0

void Put16(std::string& out, uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

std::string Ascii(const std::wstring& text) {
    std::string out(text.begin(), text.end());  // digits, colons and a blank
    out.push_back('\0');
    return out;
}

// XResolution, YResolution and ResolutionUnit: 72 dots per inch in IFD0 and IFD1.
void AddResolution(IfdBlock& block) {
    block.AddRational(0x011A, 72, 1);
    block.AddRational(0x011B, 72, 1);
    block.AddShort(0x0128, 2);
}

std::string InteroperabilityIfd(uint32_t offset) {
    IfdBlock block(offset, 2);
    block.Add(0x0001, 2, 4, "R98");
    block.Add(0x0002, 7, 4, "0100");
    return block.Bytes();
}

std::string ExifIfd(uint32_t offset, const ExifFields& fields) {
    IfdBlock block(offset, 9);
    const std::string date = Ascii(fields.dateTime);
    const BYTE components[4] = {1, 2, 3, 0};
    block.Add(0x9000, 7, 4, "0210");
    block.Add(0x9003, 2, static_cast<uint32_t>(date.size()), date.data());
    block.Add(0x9004, 2, static_cast<uint32_t>(date.size()), date.data());
    block.Add(0x9101, 7, 4, components);
    block.Add(0xA000, 7, 4, "0100");
    block.AddShort(0xA001, 1);
    block.AddLong(0xA002, fields.width);
    block.AddLong(0xA003, fields.height);
    block.AddPointer(0xA005);
    return block.Bytes() + InteroperabilityIfd(block.running());
}

// IFD0 with everything nested in it; `end` receives where IFD1 begins.
std::string Ifd0(const ExifFields& fields, uint32_t& end) {
    IfdBlock block(kTiffHeaderSize, 7);
    block.Add(0x010F, 2, 1, "");
    block.Add(0x0110, 2, 1, "");
    AddResolution(block);
    block.AddShort(0x0213, 2);
    block.AddPointer(0x8769);
    const std::string nested = ExifIfd(block.running(), fields);
    end = block.running() + static_cast<uint32_t>(nested.size());
    block.SetNext(end);
    return block.Bytes() + nested;
}

std::string Ifd1(uint32_t offset, const std::string& thumbnail) {
    IfdBlock block(offset, 6);
    block.AddShort(0x0103, 6);
    AddResolution(block);
    block.AddLong(0x0202, static_cast<uint32_t>(thumbnail.size()));
    block.AddPointer(0x0201);
    // The camera's own files end the thumbnail with one fill byte.
    return block.Bytes() + thumbnail + '\xFF';
}

}  // namespace

int GetTypeSize(WORD type) {
    switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: return 4;
    case 5: case 10: case 12: return 8;
    default: return 0;
    }
}

IfdBlock::IfdBlock(uint32_t offset, int entryCount)
    : count_(static_cast<uint16_t>(entryCount)), running_(offset + 2 + 12 * entryCount + 4) {}

void IfdBlock::Add(WORD tag, WORD type, uint32_t count, const void* value) {
    const uint32_t size = count * static_cast<uint32_t>(GetTypeSize(type));
    Put16(entries_, tag);
    Put16(entries_, type);
    Put32(entries_, count);
    const char* bytes = static_cast<const char*>(value);
    if (size <= 4) {
        char field[4] = {};
        std::memcpy(field, bytes, size);
        entries_.append(field, 4);
        return;
    }
    Put32(entries_, running_);
    data_.append(bytes, size);
    running_ += size;
}

void IfdBlock::AddRational(WORD tag, uint32_t numerator, uint32_t denominator) {
    std::string value;
    Put32(value, numerator);
    Put32(value, denominator);
    Add(tag, 5, 1, value.data());
}

std::string IfdBlock::Bytes() const {
    std::string out;
    Put16(out, count_);
    out += entries_;
    Put32(out, next_);
    return out + data_;
}

std::string BuildApp1(const ExifFields& fields) {
    uint32_t ifd1Offset = 0;
    const std::string ifd0 = Ifd0(fields, ifd1Offset);
    const std::string ifd1 = Ifd1(ifd1Offset, fields.thumbnail);
    const size_t length = 8 + ifd0.size() + ifd1.size() + 8;
    std::string out("\xFF\xE1", 2);
    out.push_back(static_cast<char>((length >> 8) & 0xFF));
    out.push_back(static_cast<char>(length & 0xFF));
    out.append("Exif\0\0", 6);
    out.append("II", 2);
    Put16(out, 42);
    Put32(out, kTiffHeaderSize);
    return out + ifd0 + ifd1;
}

std::string InsertAfterSoi(const std::string& source, const std::string& app1) {
    if (source.size() < 2) return std::string();
    return source.substr(0, 2) + app1 + source.substr(2);
}

}  // namespace exif
