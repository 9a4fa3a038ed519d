#include "live/AnimeDoc.h"

#include "picture/ViewData.h"

CAnimeDoc::CAnimeDoc() : CPictureDoc(L"CAnimeDoc::CreateViewData") {}

CAnimeDoc::~CAnimeDoc() = default;

int CAnimeDoc::DecodeFrame(const void* data, DWORD length, int scaleDenominator, PictureRecord* frame) {
    return viewData() ? viewData()->DecodeJpegReusing(data, length, scaleDenominator, frame) : 0;
}

int CAnimeDoc::SetFrame(int decoded, PictureRecord& frame) {
    if (viewData()) return viewData()->ExchangeDecodedPicture(decoded, frame);
    return 0;
}
