#pragma once
// Client pixels of an image view to pixels of its picture as shown (turned):
// the scroll position is in zoomed pixels, so it is added before unzooming.
#include <windows.h>

struct PictureMapping {
    double zoom = 1.0;
    POINT scroll{0, 0};

    // 1 / zoom first, then each product truncated toward zero, as the
    // painting of the view does, so a stroke lands under the pointer.
    double unzoom() const { return 1.0 / zoom; }
    POINT ToPicture(POINT client) const {
        return POINT{static_cast<LONG>((scroll.x + client.x) * unzoom()), static_cast<LONG>((scroll.y + client.y) * unzoom())};
    }
    int ToPictureLength(int clientLength) const { return static_cast<int>(unzoom() * clientLength); }
};
