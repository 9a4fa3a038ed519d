#include <gtest/gtest.h>

#include "picture/ImageMath.h"

TEST(ZoomLadder, StepsInAndOutAndStopsAtBothEnds) {
    struct Case {
        double zoom, in, out;
    } cases[] = {
        {0.0625, 0.125, 0.0625},  // the bottom stays
        {0.03, 0.0625, 0.0625},
        {16.0, 16.0, 8.0},        // the top stays
        {20.0, 16.0, 16.0},
        {8.0, 16.0, 4.0},
        {0.7, 1.0, 0.667},        // between steps: the neighbours
        {2.0 / 3, 0.667, 0.5},    // two thirds lies just below the 0.667 step
        {0.667, 1.0, 0.5},
        {1.0, 1.5, 0.667},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ZoomInStep(c.zoom), c.in) << c.zoom;
        EXPECT_DOUBLE_EQ(ZoomOutStep(c.zoom), c.out) << c.zoom;
    }
}

TEST(BestFit, WholePercentsOfTheTighterAxisWithinTheZoomRange) {
    struct Case {
        int cw, ch, pw, ph;
        double zoom;
    } cases[] = {
        {500, 400, 1024, 768, 0.48},  // 48.8 % wide, 52.1 % high
        {1024, 768, 1024, 768, 1.0},
        {400, 500, 1024, 768, 0.39},
        {5000, 5000, 100, 100, 16.0},
        {10, 10, 4000, 3000, 0.0625},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(BestFitZoom(c.cw, c.ch, c.pw, c.ph), c.zoom) << c.cw << "x" << c.ch;
}

TEST(Caption, ShowsAsManyDecimalsAsTheZoomHas) {
    struct Case {
        const wchar_t* name;
        int number;
        double zoom;
        const wchar_t* caption;
    } cases[] = {
        {L"a.jpg", 0, 1.0, L"a.jpg 100%"},
        {L"a.jpg", 0, 0.125, L"a.jpg 12.5%"},
        {L"a.jpg", 0, 3.0, L"a.jpg 300%"},
        {L"a.jpg", 0, 0.0625, L"a.jpg 6.25%"},
        {L"a.jpg", 0, 0.667, L"a.jpg 66.7%"},
        {L"a.jpg", 0, 0.095, L"a.jpg  9.5%"},  // one decimal is padded to four places
        {L"", 3, 1.5, L"Untitled-3 150%"},
        {L"", 12, 0.0625, L"Untitled-12 6.25%"},
    };
    for (const Case& c : cases) EXPECT_EQ(ImageCaption(c.name, c.number, c.zoom), c.caption) << c.zoom;
}

TEST(ScrollBar, RangeHidesTheBarWhenThePictureFits) {
    struct Case {
        int extent, client, wanted;
        int maximum, position;
        bool shown;  // Windows hides a bar whose page exceeds its range
    } cases[] = {
        {400, 400, 30, 399, 0, false},  // exactly as wide as the client
        {401, 400, 30, 401, 1, true},
        {1000, 400, 900, 1000, 600, true},
        {1000, 400, 250, 1000, 250, true},
        {100, 400, 50, 100, 0, false},
        {1000, 400, -5, 1000, 0, true},
    };
    for (const Case& c : cases) {
        ScrollBarSetting s = ComputeScrollBar(c.extent, c.client, c.wanted);
        EXPECT_EQ(s.maximum, c.maximum) << c.extent << " in " << c.client;
        EXPECT_EQ(s.page, c.client);
        EXPECT_EQ(s.position, c.position) << c.extent << " in " << c.client;
        EXPECT_EQ(s.page <= s.maximum, c.shown) << c.extent << " in " << c.client;
    }
}

TEST(ScrollBar, RequestsStopAtMaximumMinusPagePlusOne) {
    struct Case {
        int position, expected;
    } cases[] = {{602, 601}, {601, 601}, {300, 300}, {-1, 0}};
    for (const Case& c : cases) EXPECT_EQ(LimitScrollPosition(c.position, 0, 1000, 400), c.expected) << c.position;
}

TEST(InitialFit, FirstFactorWhoseFrameFitsWithItsBorders) {
    const FrameMetrics m{4, 4, 19};  // a frame adds 8 + 20 across and 27 + 20 down
    struct Case {
        int w, h, availableW, availableH;
        double factor;
    } cases[] = {
        {1024, 768, 1100, 900, 1.0},
        {1024, 768, 1052, 816, 1.0},  // width may touch the edge
        {1024, 768, 1052, 815, 0.5},  // height must stay below it
        {1024, 768, 600, 500, 0.5},
        {1024, 768, 300, 300, 0.25},
        {1024, 768, 200, 200, 0},     // none
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(FirstFittingFactor(c.w, c.h, c.availableW, c.availableH, m), c.factor)
            << c.availableW << "x" << c.availableH;
    // The live zoom of a capture lets the height touch the edge as well.
    EXPECT_TRUE(FrameFitsAt(1.0, 1024, 768, 1052, 815, m, true));
    EXPECT_FALSE(FrameFitsAt(1.0, 1024, 768, 1052, 814, m, true));
}
