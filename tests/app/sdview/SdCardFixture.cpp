#include "SdCardFixture.h"

#include <commctrl.h>

#include "DeviceProtocol.h"
#include "PictureFixtures.h"
#include "Strings.h"
#include "sdview/PlayListRules.h"

namespace sdview_test {

std::vector<std::string> PictureCard::PutPictures(const std::wstring& folder, int count) {
    MakeCardFolder(L"DCIM\\" + folder);
    std::vector<std::string> files;
    for (int i = 1; i <= count; ++i) {
        files.push_back(picture_fixtures::MakeJpeg(320 + 16 * i, 240));
        testing_support::WriteFileBytes(CardHostPath(fw::Format(L"DCIM\\%s\\IMAG%04d.JPG", folder.c_str(), i)),
                                        files.back());
    }
    return files;
}

std::wstring PictureCard::CacheFolder(const std::wstring& cardFolder) const {
    return ThumbnailCacheRoot() + L"\\" + CacheFolderName(cardFolder);
}

bool PictureCard::CacheExists(const std::wstring& cardFolder) const {
    return ::GetFileAttributesW(CacheFolder(cardFolder).c_str()) != INVALID_FILE_ATTRIBUTES;
}

int PictureCard::PictureRequestsSince(LONG mark) const {
    int n = 0;
    for (uint16_t code : CommandsSince(mark)) n += code == device::kSdGetJpegFile;
    return n;
}

std::vector<std::wstring> ItemTexts(HWND list) {
    std::vector<std::wstring> texts;
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        wchar_t text[MAX_PATH] = {};
        ListView_GetItemText(list, i, 0, text, MAX_PATH);
        texts.push_back(text);
    }
    return texts;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

}  // namespace sdview_test
