#pragma once
// The live monitor's document: the picture data the decode thread fills with
// each frame. Its rotation is never changed, and a frame never counts as an
// unsaved change.
#include <windows.h>

#include "PictureDoc.h"

class CAnimeDoc : public CPictureDoc {
public:
    CAnimeDoc();
    ~CAnimeDoc() override;

    // One JPEG frame, reduced by `scaleDenominator` while decoding.
    int LoadPicture(const void* data, DWORD length, int scaleDenominator);
};
