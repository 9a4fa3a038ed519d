#pragma once
// The live monitor's document: the picture data the decode thread fills with
// each frame. Its rotation is never changed, and a frame never counts as an
// unsaved change.
#include <windows.h>

#include "picture/BitmapFile.h"
#include "picture/PictureDoc.h"

class CAnimeDoc : public CPictureDoc {
public:
    CAnimeDoc();
    ~CAnimeDoc() override;

    // One JPEG frame, reduced by `scaleDenominator` while decoding, in two
    // steps: decoding into `frame` (into its bitmap when that has the frame's
    // size) needs no lock; putting it in place of the present picture
    // (`decoded` as DecodeFrame returned) is done under the live picture's
    // lock and hands the replaced picture back in `frame`. 1 on success.
    int DecodeFrame(const void* data, DWORD length, int scaleDenominator, PictureRecord* frame);
    int SetFrame(int decoded, PictureRecord& frame);
};
