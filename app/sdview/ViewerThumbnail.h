#pragma once
// The SD viewer's thumbnails: a double-click opens the picture from the card.
#include <functional>
#include <string>

#include "sdview/ThumbnailList.h"

class CViewerThumbnail : public CThumbnailList {
public:
    explicit CViewerThumbnail(device::IDeviceControl* device);

    // Exactly one thumbnail was double-clicked: its card path.
    std::function<void(const std::wstring& cardPath)> onOpen;
};
