#pragma once
// The stand-in's card with camera folders of real JPEG pictures, for the
// thumbnail panes, the viewer and the slide-show dialog.
#include <windows.h>

#include <string>
#include <vector>

#include "CardFixture.h"
#include "TestSupport.h"

namespace sdview_test {

class PictureCard : public transfer_test::CardTest {
protected:
    // Pictures IMAG0001.JPG .. IMAGnnnn.JPG in card folder `folder` ("100ABCDE").
    std::vector<std::string> PutPictures(const std::wstring& folder, int count);
    std::wstring CacheFolder(const std::wstring& cardFolder) const;
    bool CacheExists(const std::wstring& cardFolder) const;
    // The card asked for a picture `count` times since `mark`.
    int PictureRequestsSince(LONG mark) const;
};

// The texts of a list view's items, in order.
std::vector<std::wstring> ItemTexts(HWND list);
std::wstring WindowText(HWND window);

}  // namespace sdview_test
