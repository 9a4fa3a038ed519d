#include <gtest/gtest.h>

#include <vector>

#include "Surface.h"

namespace {
// Gdi, Dc and WindowDc handles held now, less `base`.
std::vector<long> HeldSince(const std::vector<long>& base = {0, 0, 0}) {
    const fw::HandleKind kinds[] = {fw::HandleKind::Gdi, fw::HandleKind::Dc, fw::HandleKind::WindowDc};
    std::vector<long> held;
    for (int i = 0; i < 3; ++i) held.push_back(fw::HeldHandles(kinds[i]) - base[i]);
    return held;
}
}  // namespace

TEST(Surface, DibRowsCountFromTheTopInEitherOrientation) {
    for (fw::SurfaceFormat format : {fw::SurfaceFormat::TopDownDib24, fw::SurfaceFormat::BottomUpDib24}) {
        fw::Surface s;
        ASSERT_TRUE(s.Create(nullptr, SIZE{5, 4}, format));
        EXPECT_EQ(s.size().cx, 5);
        EXPECT_EQ(s.size().cy, 4);
        EXPECT_EQ(s.stride(), 16);
        BYTE* row = s.Row(1);
        ASSERT_NE(row, nullptr);
        row[3] = 0x10, row[4] = 0x20, row[5] = 0x30;  // blue, green, red of x = 1
        ::GdiFlush();
        EXPECT_EQ(::GetPixel(s.dc(), 1, 1), RGB(0x30, 0x20, 0x10)) << static_cast<int>(format);
        EXPECT_EQ(s.Row(4), nullptr);
    }
    fw::Surface ddb;
    ASSERT_TRUE(ddb.Create(nullptr, SIZE{0, -3}));  // at least 1 x 1
    EXPECT_EQ(ddb.size().cx, 1);
    EXPECT_EQ(ddb.bits(), nullptr);
}

TEST(Surface, AFailedResizeOrReplaceKeepsThePresentBitmap) {
    fw::Surface s;
    ASSERT_TRUE(s.Create(nullptr, SIZE{8, 6}));
    const HBITMAP before = s.bitmap();
    ::SetPixel(s.dc(), 2, 3, RGB(255, 0, 0));
    EXPECT_FALSE(s.Resize(SIZE{0x7FFFFFFF, 0x7FFFFFFF}, fw::SurfaceFormat::Compatible));
    EXPECT_EQ(s.failure(), fw::Surface::Failure::CreateBitmap);

    // A bitmap selected into another DC cannot be selected here as well.
    fw::GdiObject elsewhere(::CreateBitmap(4, 4, 1, 32, nullptr));
    fw::Surface holder;
    ASSERT_TRUE(holder.Borrow(nullptr, static_cast<HBITMAP>(elsewhere.get())));
    EXPECT_FALSE(s.Replace(elsewhere));
    EXPECT_EQ(s.failure(), fw::Surface::Failure::SelectBitmap);
    EXPECT_TRUE(elsewhere);

    EXPECT_EQ(s.bitmap(), before);
    EXPECT_EQ(s.size().cx, 8);
    EXPECT_EQ(::GetPixel(s.dc(), 2, 3), RGB(255, 0, 0));
    ASSERT_TRUE(s.Resize(SIZE{30, 20}, fw::SurfaceFormat::BottomUpDib24));
    EXPECT_EQ(s.size().cy, 20);
    EXPECT_NE(s.bits(), nullptr);
}

TEST(Surface, OwnersCountWhatTheyHoldAndABorrowedBitmapStaysTheCallers) {
    const std::vector<long> base = HeldSince();
    fw::GdiObject callers(::CreateBitmap(4, 4, 1, 32, nullptr));
    {
        fw::Surface s;
        ASSERT_TRUE(s.Create(nullptr, SIZE{4, 4}));
        fw::Surface moved = std::move(s);
        EXPECT_FALSE(s);
        EXPECT_TRUE(moved);
        fw::Surface borrowing;
        ASSERT_TRUE(borrowing.Borrow(nullptr, static_cast<HBITMAP>(callers.get())));
        fw::WindowDC screen(nullptr);
        EXPECT_EQ(HeldSince(base), (std::vector<long>{2, 2, 1}));
    }
    EXPECT_EQ(HeldSince(base), (std::vector<long>{1, 0, 0}));
    BITMAP info{};
    EXPECT_TRUE(::GetObjectW(callers.get(), sizeof(info), &info));
}

TEST(SelectedObject, PutsBackWhatItDisplacedOnce) {
    fw::Surface s;
    ASSERT_TRUE(s.Create(nullptr, SIZE{4, 4}));
    const HGDIOBJ original = ::GetCurrentObject(s.dc(), OBJ_PEN);
    fw::GdiObject pen(::CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
    {
        fw::SelectedObject selected(s.dc(), pen.get());
        EXPECT_EQ(selected.displaced(), original);
        fw::SelectedObject moved = std::move(selected);
        EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_PEN), pen.get());
    }
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_PEN), original);
    EXPECT_FALSE(fw::SelectedObject(s.dc(), nullptr));
}
