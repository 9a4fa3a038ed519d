// The application's card commands against the camera stand-in: both sides of
// the packet exchange together.
#include <gtest/gtest.h>

#include "CameraHarness.h"
#include "SDControl.h"

using namespace camera_test;
using namespace testing_support;

namespace {

std::string Received(HGLOBAL copy) {
    auto* record = static_cast<SdReceivedFile*>(::GlobalLock(copy));
    std::string bytes = CopyBlock(record->data, record->size);
    ::GlobalUnlock(copy);
    return bytes;
}

std::vector<std::string> Paths(const std::vector<device::ListingEntry>* list) {
    std::vector<std::string> paths;
    if (list)
        for (const auto& e : *list) paths.emplace_back(e.path);
    return paths;
}

}  // namespace

TEST(SdControlOnCamera, WholeCardSessionRoundTrips) {
    LoadedCamera camera("[Card]\r\nCapacity=100000\r\n");
    DWORD detail = 0;
    ASSERT_TRUE(camera->bOpen(camera.window(), &detail));
    ::CreateDirectoryW(camera.cardFolder().c_str(), nullptr);
    CSDControl sd(camera.get());

    ASSERT_TRUE(sd.SD_GetStatus());
    ASSERT_TRUE(sd.SD_CreateFolder(L"C:\\DCIM"));
    ASSERT_TRUE(sd.SD_CreateFolder(L"C:\\DCIM\\100KORVO"));
    std::wstring dcim;
    sd.FindDcimFolder(dcim);
    EXPECT_EQ(dcim, L"C:\\DCIM");

    const std::string picture = "\xFF\xD8 not really a picture \xFF\xD9";
    EXPECT_EQ(sd.SD_SetJpegFile(L"C:\\DCIM\\100KORVO\\IMAG0001.JPG", picture.data(), picture.size()), 0);
    EXPECT_EQ(Paths(sd.SD_GetFileList(L"C:\\DCIM\\100KORVO")),
              std::vector<std::string>{"C:\\DCIM\\100KORVO\\IMAG0001.JPG"});
    HGLOBAL copy = sd.SD_GetJpegFile(L"C:\\DCIM\\100KORVO\\IMAG0001.JPG");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Received(copy), picture);

    const std::string playList = "C:\\DCIM\\100KORVO\\IMAG0001.JPG\r\n";
    ASSERT_TRUE(sd.SD_SetPlayList(playList.data(), playList.size()));
    copy = sd.SD_GetPlayList();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Received(copy), playList);
    EXPECT_TRUE(sd.SD_EndWrite());

    // The card refuses what does not fit, and its refusals reach the caller.
    std::string big(200000, 'x');
    EXPECT_EQ(sd.SD_SetJpegFile(L"C:\\DCIM\\100KORVO\\IMAG0002.JPG", big.data(), big.size()), device::kSdCardFull);
    EXPECT_FALSE(sd.SD_DeleteFolder(L"C:\\NOSUCH"));
    EXPECT_TRUE(sd.SD_DeleteFolder(L"C:\\DCIM\\100KORVO"));
    EXPECT_FALSE(FileExists(camera.cardFolder() + L"\\DCIM\\100KORVO"));

    ASSERT_TRUE(camera.control().RemoveCard());
    EXPECT_FALSE(sd.SD_GetStatus());
    EXPECT_EQ(sd.status(), device::kSdNoCard);
    sd.Clear();
    EXPECT_TRUE(camera.AllRecordsBack());
}
