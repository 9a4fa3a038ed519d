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
    // With `prepared` frames, the first ones made are kept and then served
    // in turn, so that the program, not the encoder, sets the pace.
    explicit FrameMaker(const std::wstring& pictureFolder, int prepared = 0);

    // The next frame; empty when it could not be made.
    std::vector<uint8_t> Next(const LensView& lens);
    unsigned long framesMade() const { return frameNumber_; }

private:
    std::vector<uint8_t> Make(const LensView& lens);
    void ListPictures(const std::wstring& folder);
    bool LoadNextPicture();

    std::vector<std::wstring> pictures_;
    size_t nextPicture_ = 0;
    unsigned long frameNumber_ = 0;
    size_t preparedWanted_ = 0;
    std::vector<std::vector<uint8_t>> prepared_;
    TestCard card_;
    Bitmap24 scene_;
    Bitmap24 frame_;
};

}  // namespace standin
