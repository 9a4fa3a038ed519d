#include "sdview/ViewerThumbnail.h"

CViewerThumbnail::CViewerThumbnail(device::IDeviceControl* device) : CThumbnailList(device) {
    onItemActivated = [this](int item) {
        const Thumbnail* picture = ItemData(item);
        if (picture && Selection().size() == 1 && onOpen) onOpen(picture->cardPath);
    };
}
