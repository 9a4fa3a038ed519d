#pragma once
#include <windows.h>
#include <commctrl.h>

#include "Handles.h"

namespace fw {

struct ImageListTraits {
    static constexpr HandleKind kKind = HandleKind::ImageList;
    static HIMAGELIST Invalid() { return nullptr; }
    static bool Valid(HIMAGELIST h) { return h != nullptr; }
    static void Close(HIMAGELIST h) { ImageList_Destroy(h); }
};

// Owns an image list. Controls only borrow it (list views are told to share
// theirs), so it must outlive every control it is set on.
class ImageList {
public:
    ImageList() = default;

    bool Create(SIZE imageSize, UINT flags = ILC_COLOR24 | ILC_MASK, int initial = 0, int grow = 8);
    // Every image of `strip`, a row of images of the list's size. The index
    // of the first, or -1.
    int Add(HBITMAP strip, HBITMAP mask = nullptr);
    // As Add, with the pixels of `transparent` left out.
    int AddMasked(HBITMAP strip, COLORREF transparent);

    int Count() const;
    SIZE imageSize() const;
    HIMAGELIST get() const { return list_.get(); }
    explicit operator bool() const { return static_cast<bool>(list_); }

private:
    UniqueHandle<HIMAGELIST, ImageListTraits> list_;
};

}  // namespace fw
