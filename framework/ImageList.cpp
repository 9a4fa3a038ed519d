#include "ImageList.h"

namespace fw {

bool ImageList::Create(SIZE imageSize, UINT flags, int initial, int grow) {
    list_.reset(ImageList_Create(imageSize.cx, imageSize.cy, flags, initial, grow));
    return static_cast<bool>(list_);
}

int ImageList::Add(HBITMAP strip, HBITMAP mask) { return list_ && strip ? ImageList_Add(list_.get(), strip, mask) : -1; }

int ImageList::AddMasked(HBITMAP strip, COLORREF transparent) {
    return list_ && strip ? ImageList_AddMasked(list_.get(), strip, transparent) : -1;
}

int ImageList::Count() const { return list_ ? ImageList_GetImageCount(list_.get()) : 0; }

SIZE ImageList::imageSize() const {
    int cx = 0, cy = 0;
    if (list_) ImageList_GetIconSize(list_.get(), &cx, &cy);
    return SIZE{cx, cy};
}

}  // namespace fw
