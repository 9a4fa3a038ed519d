#pragma once
// The stand-in's settings file "KorvoDocCameraIM.ini" beside the DLL:
//   [Camera] Connected=1  FrameFolder=  FrameRate=30  ResponseDelay=0 (ms)
//            PreparedFrames=0 (made once, then served in turn from memory)
//            StampFrames=0 (1: each frame carries the moment of its hand-over, for benchmarks)
//   [Card]   Folder=SDCard  Inserted=1  Capacity=0 (bytes, 0 = the host disk's free space)
//   [Faults] RefuseRequests=0  FailResponses=0  CorruptFrames=0  EmptyFrames=0
// Relative folders are taken from the DLL's folder.
#include <windows.h>

#include <cstdint>
#include <string>

namespace standin {

struct CameraSettings {
    bool connected = true;
    std::wstring frameFolder;  // empty: the test card
    int frameRate = 30;
    int delayMs = 0;
    int preparedFrames = 0;
    bool stampFrames = false;
    std::wstring cardFolder;
    bool cardInserted = true;
    uint64_t cardCapacity = 0;
    int refuseRequests = 0, failResponses = 0, corruptFrames = 0, emptyFrames = 0;

    static CameraSettings Load(const std::wstring& iniPath, const std::wstring& baseFolder);
};

}  // namespace standin
