#pragma once
// The thumbnails of the slide-show pane; the dialog adds the selected ones
// to the play order.
#include "sdview/ThumbnailList.h"

class CSlideThumbnail : public CThumbnailList {
public:
    using CThumbnailList::CThumbnailList;
};
