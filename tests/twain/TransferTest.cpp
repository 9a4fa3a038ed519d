// Native, memory and file transfers of the camera's picture. The camera serves
// one fixed picture, so a frame fetched by the test is the frame transferred.
#include <gtest/gtest.h>

#include <cstring>

#include "Handles.h"
#include "PictureFixtures.h"
#include "TwainHost.h"

using namespace twain_test;

namespace {

class Transfers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(source_.ReadyToTransfer()); }

    // The source closed, what the camera serves.
    std::vector<BYTE> CameraFrame() {
        source_.Close();
        return DecodedFrame(camera_.Frame());
    }

    TW_UINT16 MemoryBlock(TW_IMAGEMEMXFER& xfer, std::vector<BYTE>& buffer) {
        xfer = TW_IMAGEMEMXFER{};
        xfer.Memory.Flags = 0x1 | 0x8;  // application owns, pointer
        xfer.Memory.Length = static_cast<TW_UINT32>(buffer.size());
        xfer.Memory.TheMem = buffer.data();
        return source_.Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
    }

    CameraCopy camera_{/*fixedPicture=*/true};
    BoxWatcher boxes_;
    LoadedSource source_;
};

}  // namespace

TEST_F(Transfers, NativeDibIsTheDecodedFrameBottomUp) {
    TW_HANDLE dib = nullptr;
    ASSERT_EQ(source_.Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib), TWRC_XFERDONE);
    fw::GlobalMemory owned(dib);
    TW_PENDINGXFERS pending{1, 0};
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0);
    ASSERT_GE(::GlobalSize(dib), sizeof(BITMAPINFOHEADER) + kStride * kHeight) << "the block is still the host's";

    fw::GlobalLock lock(dib);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(lock.get());
    EXPECT_EQ(header->biSize, 40u);
    EXPECT_EQ(header->biWidth, kWidth);
    EXPECT_EQ(header->biHeight, kHeight);
    EXPECT_EQ(header->biPlanes, 1);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header->biXPelsPerMeter, 3937) << "100 dots per inch, as ICAP_XRESOLUTION says";
    EXPECT_EQ(header->biYPelsPerMeter, 3937);
    std::vector<BYTE> expected = CameraFrame();
    ASSERT_EQ(expected.size(), kStride * kHeight);
    EXPECT_EQ(std::memcmp(header + 1, expected.data(), expected.size()), 0);
}

TEST_F(Transfers, MemoryTransferComesInBlocksOfWholeRowsTopFirstInRgb) {
    TW_SETUPMEMXFER setup{};
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
    EXPECT_EQ(setup.MinBufSize, 16384u);
    std::vector<BYTE> buffer(setup.Preferred), picture;
    TW_IMAGEMEMXFER xfer{};
    std::vector<TW_UINT32> offsets, rows;
    TW_UINT16 rc = TWRC_SUCCESS;
    while (rc == TWRC_SUCCESS && offsets.size() < 100) {
        rc = MemoryBlock(xfer, buffer);
        ASSERT_NE(rc, TWRC_FAILURE);
        EXPECT_EQ(xfer.BytesPerRow, kStride);
        EXPECT_EQ(xfer.Columns, static_cast<TW_UINT32>(kWidth));
        EXPECT_EQ(xfer.BytesWritten, xfer.Rows * kStride);
        offsets.push_back(xfer.YOffset);
        rows.push_back(xfer.Rows);
        picture.insert(picture.end(), buffer.begin(), buffer.begin() + xfer.BytesWritten);
    }
    ASSERT_EQ(rc, TWRC_XFERDONE);
    ASSERT_EQ(offsets.size(), 37u);  // 36 blocks of 21 rows and one of 12
    for (size_t i = 0; i < offsets.size(); ++i) EXPECT_EQ(offsets[i], i * 21);
    EXPECT_EQ(rows.back(), 12u);

    std::vector<BYTE> expected = CameraFrame();
    ASSERT_EQ(picture.size(), expected.size());
    for (int y : {0, 1, 383, 767})
        for (int x : {0, 511, 1023}) {
            const BYTE* got = &picture[y * kStride + x * 3];
            const BYTE* want = &expected[(kHeight - 1 - y) * kStride + x * 3];
            EXPECT_EQ(got[0], want[2]) << x << "," << y;
            EXPECT_EQ(got[1], want[1]);
            EXPECT_EQ(got[2], want[0]);
        }
}

TEST_F(Transfers, MemoryBufferSmallerThanARowGetsNoRows) {
    // A buffer that can never hold a row is refused, or the host would ask for ever.
    for (DWORD size : {DWORD{10}, kStride - 1}) {
        std::vector<BYTE> buffer(size);
        TW_IMAGEMEMXFER xfer{};
        EXPECT_EQ(MemoryBlock(xfer, buffer), TWRC_FAILURE) << size;
        EXPECT_EQ(source_.Condition(), TWCC_BADVALUE) << size;
        EXPECT_EQ(xfer.Rows, 0u) << size;
    }
    std::vector<BYTE> buffer(kStride);
    TW_IMAGEMEMXFER xfer{};
    EXPECT_EQ(MemoryBlock(xfer, buffer), TWRC_SUCCESS) << "the transfer goes on with a buffer that fits";
    EXPECT_EQ(xfer.Rows, 1u);
}

TEST_F(Transfers, MemoryGivenAsAHandleIsLockedNotWrittenThrough) {
    fw::GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, 65535));
    TW_IMAGEMEMXFER xfer{};
    xfer.Memory.Flags = 0x1 | 0x10;  // application owns, handle
    xfer.Memory.Length = 65535;
    xfer.Memory.TheMem = block.get();
    ASSERT_EQ(source_.Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer), TWRC_SUCCESS);
    EXPECT_EQ(xfer.Rows, 21u);
    fw::GlobalLock lock(block.get());
    std::vector<BYTE> expected = CameraFrame();
    const BYTE* top = &expected[(kHeight - 1) * kStride];
    EXPECT_EQ(static_cast<const BYTE*>(lock.get())[0], top[2]) << "the top row, red first";
}

TEST_F(Transfers, ImageInformationDescribesThePictureTransferred) {
    TW_IMAGEINFO info{};
    ASSERT_EQ(source_.Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
    EXPECT_EQ(info.ImageWidth, kWidth);
    EXPECT_EQ(info.ImageLength, kHeight);
    EXPECT_EQ(info.XResolution.Whole, 100);
    EXPECT_EQ(info.BitsPerPixel, 24);
    EXPECT_EQ(info.SamplesPerPixel, 3);
    EXPECT_EQ(info.PixelType, TWPT_RGB);
    EXPECT_EQ(info.BitsPerSample[2], 8);
    TW_HANDLE dib = nullptr;
    ASSERT_EQ(source_.Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib), TWRC_XFERDONE);
    fw::GlobalMemory owned(dib);
    fw::GlobalLock lock(dib);
    EXPECT_EQ(static_cast<const BITMAPINFOHEADER*>(lock.get())->biWidth, info.ImageWidth);
}

TEST_F(Transfers, FileTransferWritesABmpThatOthersRead) {
    testing_support::TempFolder folder;
    std::wstring path = folder / L"scan.bmp";
    TW_SETUPFILEXFER setup{};
    std::string narrow(path.begin(), path.end());
    std::strcpy(setup.FileName, narrow.c_str());
    setup.Format = TWFF_BMP;
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup), TWRC_SUCCESS);
    TW_SETUPFILEXFER asked{};
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &asked), TWRC_SUCCESS);
    EXPECT_STREQ(asked.FileName, narrow.c_str());
    ASSERT_EQ(source_.Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr), TWRC_XFERDONE);

    std::string file = testing_support::ReadFileBytes(path);
    ASSERT_EQ(file.size(), 54u + kStride * kHeight);
    EXPECT_EQ(file.substr(0, 2), "BM");
    picture_fixtures::Pixels read;
    ASSERT_TRUE(picture_fixtures::ReadWithWic(path, read));
    ASSERT_EQ(read.width, kWidth);
    ASSERT_EQ(read.height, kHeight);
    std::vector<BYTE> expected = CameraFrame();
    EXPECT_EQ(std::memcmp(file.data() + 54, expected.data(), expected.size()), 0);
    for (int y : {0, 767}) {
        const BYTE* want = &expected[(kHeight - 1 - y) * kStride + 100 * 3];
        EXPECT_TRUE(std::equal(want, want + 3, read.at(100, y)));
    }
}

TEST_F(Transfers, FileThatCannotBeWrittenIsAFailedTransfer) {
    testing_support::TempFolder folder;
    std::wstring path = folder / L"locked.bmp";
    const std::string previous(64 * 1024, 'p');
    ASSERT_TRUE(testing_support::WriteFileBytes(path, previous));
    TW_SETUPFILEXFER setup{};
    std::string narrow(path.begin(), path.end());
    std::strcpy(setup.FileName, narrow.c_str());
    setup.Format = TWFF_BMP;
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup), TWRC_SUCCESS);
    // Held as a viewer still showing the last scan might: without sharing, and
    // shared for reading and writing, so opening it over would succeed.
    for (DWORD sharing : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        fw::FileHandle held(::CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(source_.Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr), TWRC_FAILURE) << sharing;
        EXPECT_EQ(source_.Condition(), TWCC_OPERATIONERROR) << sharing;
        held.reset();
        EXPECT_EQ(testing_support::ReadFileBytes(path), previous) << "byte for byte, sharing " << sharing;
    }
    WIN32_FIND_DATAW found{};
    fw::FindHandle rest(::FindFirstFileW((folder / L"*.tmp").c_str(), &found));
    EXPECT_FALSE(rest) << "nothing left beside it";
    EXPECT_EQ(source_.Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr), TWRC_XFERDONE) << "still state 6";
}

TEST_F(Transfers, UnwritableFileIsRefusedWhenSet) {
    TW_SETUPFILEXFER setup{};
    setup.Format = TWFF_BMP;
    std::strcpy(setup.FileName, "c:\\no such folder\\x\\scan.bmp");
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_BADVALUE);
    // An unterminated name is read only as far as its field goes.
    std::memset(setup.FileName, 'a', sizeof(setup.FileName));
    std::memcpy(setup.FileName, "c:\\no such folder\\", 18);
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup), TWRC_FAILURE);
    TW_SETUPFILEXFER asked{};
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &asked), TWRC_SUCCESS);
    EXPECT_STREQ(asked.FileName, "c:\\twain.bmp") << "the name in use is kept";
    EXPECT_EQ(boxes_.WaitForTexts(2), std::vector<std::wstring>(2, L"An internal error had occurred."));
}

TEST_F(Transfers, ResetInTheMiddleStartsTheRowsAgain) {
    std::vector<BYTE> buffer(65535);
    TW_IMAGEMEMXFER xfer{};
    ASSERT_EQ(MemoryBlock(xfer, buffer), TWRC_SUCCESS);
    ASSERT_EQ(MemoryBlock(xfer, buffer), TWRC_SUCCESS);
    EXPECT_EQ(xfer.YOffset, 21u);
    TW_PENDINGXFERS pending{1, 0};
    ASSERT_EQ(source_.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending), TWRC_SUCCESS);
    ASSERT_EQ(MemoryBlock(xfer, buffer), TWRC_SUCCESS);
    EXPECT_EQ(xfer.YOffset, 0u);
}
