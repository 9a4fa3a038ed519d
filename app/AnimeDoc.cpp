#include "AnimeDoc.h"

CAnimeDoc::CAnimeDoc() : CPictureDoc(L"CAnimeDoc::CreateViewData") {}

CAnimeDoc::~CAnimeDoc() = default;

int CAnimeDoc::LoadPicture(const void* data, DWORD length, int scaleDenominator) {
    return viewData() ? viewData()->LoadPicture(data, length, scaleDenominator) : 0;
}
