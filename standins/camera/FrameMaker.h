#pragma once
// Makes the camera's frames: the scene (the test card, or the JPEG files of
// a folder in turn) as the lens shows it, encoded as a 1024 x 768 JPEG file.
#include <cstdint>
#include <string>
#include <vector>

#include "Bitmap24.h"
#include "CameraOptics.h"
#include "TestCard.h"

namespace standin {

class FrameMaker {
public:
    // An empty folder, or one without JPEG files, means the test card.
    explicit FrameMaker(const std::wstring& pictureFolder);

    // The next frame; empty when it could not be made.
    std::vector<uint8_t> Next(const LensView& lens);
    unsigned long framesMade() const { return frameNumber_; }

private:
    void ListPictures(const std::wstring& folder);
    bool LoadNextPicture();

    std::vector<std::wstring> pictures_;
    size_t nextPicture_ = 0;
    unsigned long frameNumber_ = 0;
    TestCard card_;
    Bitmap24 scene_;
    Bitmap24 frame_;
};

}  // namespace standin
