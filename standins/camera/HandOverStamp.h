#pragma once
// A comment segment right after a frame's start-of-image marker that carries
// the performance-counter value of the moment the camera handed the frame
// over, so a benchmark can tell how long the frame took to reach the screen.
// JPEG readers skip comment segments; the program never looks at it.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace standin {

constexpr char kStampTag[] = "KorvoHandOver";
constexpr size_t kStampTagSize = sizeof(kStampTag);  // with its terminating zero
// FF FE, the 2-byte segment length, the tag and the 8-byte counter value.
constexpr size_t kStampSegmentSize = 4 + kStampTagSize + sizeof(int64_t);
constexpr size_t kStampValueOffset = 2 + 4 + kStampTagSize;

// The frame with an empty stamp segment; a frame without a start-of-image marker stays as it is.
inline std::vector<uint8_t> WithStampSegment(std::vector<uint8_t> jpeg) {
    if (jpeg.size() < 2 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return jpeg;
    const size_t length = kStampSegmentSize - 2;
    std::vector<uint8_t> segment{0xFF, 0xFE, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length & 0xFF)};
    segment.insert(segment.end(), kStampTag, kStampTag + kStampTagSize);
    segment.resize(kStampSegmentSize, 0);
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return jpeg;
}

inline bool HasStampSegment(const uint8_t* jpeg, size_t size) {
    return jpeg && size >= kStampValueOffset + sizeof(int64_t) && jpeg[2] == 0xFF && jpeg[3] == 0xFE &&
           std::memcmp(jpeg + 6, kStampTag, kStampTagSize) == 0;
}

// Writes the counter now into a frame that has the segment; false when it has none.
inline bool StampHandOver(uint8_t* jpeg, size_t size) {
    if (!HasStampSegment(jpeg, size)) return false;
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    std::memcpy(jpeg + kStampValueOffset, &now.QuadPart, sizeof(now.QuadPart));
    return true;
}

// The counter value a frame was handed over at; 0 without a stamp.
inline int64_t ReadHandOver(const uint8_t* jpeg, size_t size) {
    int64_t value = 0;
    if (HasStampSegment(jpeg, size)) std::memcpy(&value, jpeg + kStampValueOffset, sizeof(value));
    return value;
}

}  // namespace standin
