// The bitmaps live frames are decoded into: a decode never gets the one a
// paint is reading, and that one is never deleted under the paint.
#include <windows.h>

#include <gtest/gtest.h>

#include "DibSection.h"
#include "live/FrameBitmaps.h"

namespace {

HBITMAP MakeDib() { return device::CreateScreenDib(8, 8); }

bool Alive(HBITMAP bitmap) { return ::GetObjectType(bitmap) == OBJ_BITMAP; }

}  // namespace

TEST(FrameBitmaps, APinnedBitmapIsNeitherHandedOutNorDeleted) {
    HBITMAP shown = MakeDib(), spare = MakeDib(), extra = MakeDib(), next = MakeDib();
    {
        CFrameBitmaps bitmaps;
        EXPECT_EQ(bitmaps.Take(), nullptr) << "nothing kept yet";

        // The picture being painted leaves the document in the middle of the paint.
        bitmaps.Pin(shown);
        bitmaps.Give(spare);
        bitmaps.Give(shown);
        EXPECT_EQ(bitmaps.Take(), spare);
        EXPECT_EQ(bitmaps.Take(), nullptr) << "only the pinned one is kept";

        // Enough kept: one more is deleted, not the pinned one.
        bitmaps.Give(spare);
        bitmaps.Give(extra);
        EXPECT_FALSE(Alive(extra));
        EXPECT_TRUE(Alive(shown));

        // The next paint pins the next picture, which leaves while both places
        // are taken: a spare nothing reads makes room for it.
        bitmaps.Unpin();
        bitmaps.Pin(next);
        bitmaps.Give(next);
        EXPECT_TRUE(Alive(next));
        EXPECT_EQ(Alive(spare) + Alive(shown), 1) << "one of the two unpinned spares went";
        HBITMAP taken = bitmaps.Take();
        EXPECT_TRUE(taken == spare || taken == shown);
        EXPECT_EQ(bitmaps.Take(), nullptr);
        bitmaps.Unpin();
        EXPECT_EQ(bitmaps.Take(), next) << "free once the paint is done";
        bitmaps.Give(next);
        bitmaps.Give(taken);
    }
    EXPECT_FALSE(Alive(next)) << "the kept ones go with the object";
    EXPECT_FALSE(Alive(spare) || Alive(shown));
}
