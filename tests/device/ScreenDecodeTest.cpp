// Live frames decoded for the screen: the same pixels as the 24-bit decode,
// into the caller's bitmap while it has the size, and nothing lost on failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DibSection.h"
#include "Handles.h"
#include "JpegDecoder.h"
#include "PictureFixtures.h"

using namespace picture_fixtures;

namespace {

device::JpegInput Input(const std::string& jpeg) { return device::JpegInput{nullptr, nullptr, jpeg.data(), jpeg.size()}; }

// Blue, green and red of every pixel of any bitmap, bottom row first, as GetDIBits gives them.
std::vector<BYTE> Bgr(HBITMAP bitmap) {
    int width = 0, height = 0;
    std::vector<BYTE> pixels;
    if (!device::ReadDib24(bitmap, pixels, &width, &height)) pixels.clear();
    return pixels;
}

TEST(ScreenDecode, MatchesThe24BitDecodeAndReusesABitmapOfItsSize) {
    struct Case {
        int width, height, denominator;
        Colour colour;
        int expectedWidth;
    } cases[] = {{1024, 768, 1, Colour::Rgb, 1024}, {1024, 768, 2, Colour::Rgb, 512}, {1024, 768, 4, Colour::Rgb, 256},
                 {640, 480, 2, Colour::Grey, 320}};
    HBITMAP screen = nullptr;
    for (const Case& c : cases) {
        const std::string jpeg = MakeJpeg(c.width, c.height, c.colour);
        HBITMAP reference = nullptr;
        ASSERT_TRUE(device::DecodeJpegToDib(Input(jpeg), 0, c.denominator, &reference, nullptr));
        fw::GdiObject referenceOwner(reference);

        // A bitmap of another size is replaced; one of the size is decoded into.
        ASSERT_TRUE(device::DecodeJpegInto(Input(jpeg), c.denominator, &screen)) << c.expectedWidth;
        const HBITMAP made = screen;
        ASSERT_TRUE(device::DecodeJpegInto(Input(jpeg), c.denominator, &screen));
        EXPECT_EQ(screen, made) << c.expectedWidth;
        BITMAP bm{};
        ASSERT_TRUE(::GetObjectW(screen, sizeof(bm), &bm));
        EXPECT_EQ(bm.bmWidth, c.expectedWidth);
        EXPECT_EQ(bm.bmBitsPixel, 32);
        EXPECT_EQ(Bgr(screen), Bgr(reference)) << c.expectedWidth;
    }
    // What does not decode leaves the caller's bitmap with the caller.
    const std::string jpeg = MakeJpeg(256, 192);
    for (const std::string& bad : {std::string("not a picture"), jpeg.substr(0, 300), MakeJpeg(64, 48, Colour::Cmyk)}) {
        HBITMAP before = screen;
        EXPECT_FALSE(device::DecodeJpegInto(Input(bad), 1, &screen)) << bad.size();
        EXPECT_EQ(screen, before);
    }
    EXPECT_FALSE(device::DecodeJpegInto(Input(jpeg), 1, nullptr));
    fw::GdiObject owner(screen);
}

}  // namespace
