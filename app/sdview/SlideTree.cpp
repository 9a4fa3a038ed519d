#include "sdview/SlideTree.h"

#include "resource.h"

bool CSlideTree::Offers(UINT id) const { return id == ID_SD_REFRESH; }
