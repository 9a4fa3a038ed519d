#pragma once
// Decoding a live frame and drawing it, as the decode thread sees the live picture.
#include <windows.h>

class ILiveFrameSink {
public:
    // Outcome of one frame: shown, decoded but not drawn, not decodable.
    enum Outcome { kShown = 0, kNotDrawn = 1, kNotDecodable = 2 };
    virtual int LoadPicture(const void* data, DWORD length, int* outcome) = 0;

protected:
    ~ILiveFrameSink() = default;
};
