#include <gtest/gtest.h>

#include <cstring>

#include "picture/BitmapFile.h"
#include "Handles.h"
#include "PictureFixtures.h"
#include "TestSupport.h"

using namespace picture_fixtures;
using namespace testing_support;

namespace {

template <typename T>
T Field(const std::string& bytes, size_t offset) {
    T value{};
    if (offset + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// A BMP file's two headers, written field by field; pixel bytes follow.
std::string BmpBytes(int width, int height, WORD bitCount, size_t pixelBytes, DWORD infoSize = 40, WORD planes = 1) {
    std::string b(54, '\0');
    auto put = [&b](size_t at, auto value) { std::memcpy(&b[at], &value, sizeof(value)); };
    b[0] = 'B', b[1] = 'M';
    put(2, static_cast<DWORD>(54 + pixelBytes));
    put(10, DWORD{54});
    put(14, infoSize);
    put(18, static_cast<LONG>(width));
    put(22, static_cast<LONG>(height));
    put(26, planes);
    put(28, bitCount);
    return b + std::string(pixelBytes, '\x40');
}

}  // namespace

TEST(BitmapFileSave, RowsArePaddedAndHeadersDescribeThem) {
    const int widths[] = {1, 2, 3, 4, 1001};
    const int height = 5;
    TempFolder temp;
    for (int width : widths) {
        SCOPED_TRACE(testing::Message() << "width " << width);
        const DWORD stride = (width * 3 + 3) & ~3;
        fw::GdiObject dib(MakePatternDib(width, height));
        const std::wstring path = temp / L"picture.bmp";
        ASSERT_EQ(CBitmapFile().Save(path.c_str(), static_cast<HBITMAP>(dib.get())), 1);
        const std::string file = ReadFileBytes(path);
        ASSERT_EQ(file.size(), 54 + stride * height);
        EXPECT_EQ(file.substr(0, 2), "BM");
        EXPECT_EQ(Field<DWORD>(file, 2), file.size());
        EXPECT_EQ(Field<DWORD>(file, 10), 54u);
        EXPECT_EQ(Field<DWORD>(file, 14), 40u);
        EXPECT_EQ(Field<LONG>(file, 18), width);
        EXPECT_EQ(Field<LONG>(file, 22), height);  // positive: bottom-up
        EXPECT_EQ(Field<WORD>(file, 26), 1);
        EXPECT_EQ(Field<WORD>(file, 28), 24);
        EXPECT_EQ(Field<DWORD>(file, 30), static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(Field<DWORD>(file, 34), stride * height);
        Pixels expected = Pattern(width, height);
        Pixels read;
        ASSERT_TRUE(ReadWithWic(path, read));
        EXPECT_EQ(read.bgr, expected.bgr);
    }
}

TEST(BitmapFileSave, FailedSaveKeepsThePreviousFileByteForByte) {
    TempFolder temp;
    const std::wstring path = temp / L"picture.bmp";
    fw::GdiObject dib(MakePatternDib(50, 20));
    ASSERT_EQ(CBitmapFile().Save(path.c_str(), static_cast<HBITMAP>(dib.get())), 1);
    const std::string previous = ReadFileBytes(path);
    HBITMAP deleted = MakePatternDib(8, 8);
    ::DeleteObject(deleted);
    struct Case {
        const char* what;
        std::wstring target;
        HBITMAP bitmap;
        bool readOnly;
    } cases[] = {{"null bitmap", path, nullptr, false},
                 {"deleted bitmap", path, deleted, false},
                 {"read-only target", path, static_cast<HBITMAP>(dib.get()), true},
                 {"missing folder", temp / L"missing\\picture.bmp", static_cast<HBITMAP>(dib.get()), false},
                 {"empty path", L"", static_cast<HBITMAP>(dib.get()), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.readOnly) ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(CBitmapFile().Save(c.target.c_str(), c.bitmap), 0);
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(path), previous);
        EXPECT_EQ(FolderEntries(temp.path()), std::vector<std::wstring>{L"picture.bmp"});
    }
}

TEST(BitmapFileLoad, SavedPictureLoadsAndCopiesWithItsPixels) {
    TempFolder temp;
    const std::wstring path = temp / L"picture.bmp";
    fw::GdiObject dib(MakePatternDib(37, 11));
    ASSERT_EQ(CBitmapFile().Save(path.c_str(), static_cast<HBITMAP>(dib.get())), 1);
    PictureRecord record;
    ASSERT_EQ(CBitmapFile().Load(path.c_str(), &record), 1);
    fw::GdiObject loaded(record.bitmap);
    EXPECT_EQ(record.width, 37);
    EXPECT_EQ(record.height, 11);
    HBITMAP copy = nullptr;
    ASSERT_EQ(CBitmapFile().CopyDib(record.bitmap, &copy), 1);
    fw::GdiObject ownedCopy(copy);
    EXPECT_EQ(DibPixels(copy).bgr, Pattern(37, 11).bgr);

    fw::GdiObject empty(CBitmapFile().CreateDib(5, 3));
    Pixels black = DibPixels(static_cast<HBITMAP>(empty.get()));
    EXPECT_EQ(black.width, 5);
    EXPECT_EQ(black.bgr, std::vector<BYTE>(5 * 3 * 3, 0));
    EXPECT_EQ(CBitmapFile().CreateDib(0, 3), nullptr);
    EXPECT_EQ(CBitmapFile().CreateDib(100000, 100000), nullptr);
}

TEST(BitmapFileLoad, DamagedFilesAreRefused) {
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"signature only", "BM"},
        {"60000 x 60000 claimed by a small file", BmpBytes(60000, 60000, 24, 1000)},
        {"pixel rows cut short", BmpBytes(100, 100, 24, 100 * 300 / 2)},
        {"7 bits per pixel", BmpBytes(4, 4, 7, 64)},
        {"no planes", BmpBytes(4, 4, 24, 48, 40, 0)},
        {"zero width", BmpBytes(0, 4, 24, 48)},
        {"unknown header size", BmpBytes(4, 4, 24, 48, 20)},
        {"not a bitmap", std::string("PK") + std::string(100, '\0')},
    };
    TempFolder temp;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring path = temp / L"damaged.bmp";
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        PictureRecord record;
        EXPECT_EQ(CBitmapFile().Load(path.c_str(), &record), 0);
        EXPECT_EQ(record.bitmap, nullptr);
    }
    PictureRecord record;
    EXPECT_EQ(CBitmapFile().Load((temp / L"missing.bmp").c_str(), &record), 0);
    const std::wstring good = temp / L"good.bmp";
    ASSERT_TRUE(WriteFileBytes(good, BmpBytes(4, 4, 24, 48)));  // the control case
    ASSERT_EQ(CBitmapFile().Load(good.c_str(), &record), 1);
    ::DeleteObject(record.bitmap);
}
