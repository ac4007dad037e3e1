// Gradients: end colours of every layout, the run-length rule, the block
// copies, read back from memory bitmaps.
#include <gtest/gtest.h>
#include <widgets/common/Gradients.h>

#include <set>

#include "KitFixture.h"

namespace {

const COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255);
// The near edge of a band or slant gradient is within a step or two of its
// colour; the outer ring of a box gradient within a few of its coarser steps.
constexpr int EdgeTolerance = 12;
constexpr int BoxEdgeTolerance = 25;

std::set<COLORREF> Distinct(const std::vector<COLORREF>& pixels) {
    return std::set<COLORREF>(pixels.begin(), pixels.end());
}

// A target painted with one gradient over its whole area.
TPaintTarget Painted(int w, int h, TGradientDirection direction, TColor c1 = clRed,
                     TColor c2 = clBlue, uint8_t steps = 1) {
    TPaintTarget target(w, h);
    DrawGradient(target.Canvas(), Rect(0, 0, w, h), direction, c1, c2, steps);
    return target;
}

void ExpectMirrored(TPaintTarget& target) {
    const int w = target.Width(), h = target.Height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(target.At(x, y), target.At(w - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(target.At(x, y), target.At(x, h - 1 - y)) << x << "," << y;
        }
}

}  // namespace

TEST(Gradient, NothingOnAnEmptyRectangle) {
    for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d) {
        TPaintTarget target(10, 10);
        DrawGradient(target.Canvas(), Rect(2, 2, 2, 9), TGradientDirection(d), clRed, clBlue, 1);
        DrawGradient(target.Canvas(), Rect(2, 5, 9, 5), TGradientDirection(d), clRed, clBlue, 1);
        EXPECT_EQ(target.Count(Untouched), 100) << d;
    }
}

TEST(Gradient, EqualColoursOnADiagonalFillOneColour) {
    for (TGradientDirection d : {gdDiagonalUp, gdDiagonalDown}) {
        TPaintTarget target = Painted(37, 23, d, clGreen, clGreen);
        EXPECT_EQ(target.Count(Rgb(clGreen)), 37 * 23);
    }
}

TEST(Gradient, HorizontalEndRunsFromTopToBottomInWholeRows) {
    TPaintTarget target = Painted(100, 50, gdHorizontalEnd);
    for (int y = 0; y < 50; ++y) EXPECT_EQ(Distinct(target.Row(y)).size(), 1u) << y;
    EXPECT_TRUE(Near(target.At(0, 0), Red, EdgeTolerance));
    EXPECT_EQ(target.At(99, 49), Blue);
    const std::vector<COLORREF> column = target.Column(50);
    for (int y = 1; y < 50; ++y) {
        EXPECT_LE(GetRValue(column[y]), GetRValue(column[y - 1]));
        EXPECT_GE(GetBValue(column[y]), GetBValue(column[y - 1]));
    }
    EXPECT_GT(Distinct(column).size(), 45u);  // one colour change per row
}

TEST(Gradient, EndColoursOfEveryLayout) {
    const int w = 101, h = 61;
    {
        TPaintTarget t = Painted(w, h, gdHorizontalCenter);
        EXPECT_TRUE(Near(t.At(50, 0), Red, EdgeTolerance));
        EXPECT_EQ(t.At(50, h - 1), Red);
        EXPECT_EQ(t.At(50, h / 2), Blue);
        for (int y = 0; y < h; ++y) ASSERT_EQ(Distinct(t.Row(y)).size(), 1u) << y;
    }
    {
        TPaintTarget t = Painted(w, h, gdVerticalEnd);
        EXPECT_TRUE(Near(t.At(0, 30), Red, EdgeTolerance));
        EXPECT_EQ(t.At(w - 1, 30), Blue);
        for (int x = 0; x < w; ++x) ASSERT_EQ(Distinct(t.Column(x)).size(), 1u) << x;
    }
    {
        TPaintTarget t = Painted(w, h, gdVerticalCenter);
        EXPECT_TRUE(Near(t.At(0, 30), Red, EdgeTolerance));
        EXPECT_EQ(t.At(w - 1, 30), Red);
        EXPECT_EQ(t.At(w / 2, 30), Blue);
    }
    {
        TPaintTarget t = Painted(w, h, gdDiagonalUp);
        EXPECT_TRUE(Near(t.At(0, h - 1), Red, EdgeTolerance));
        EXPECT_TRUE(Near(t.At(w - 1, 0), Blue, EdgeTolerance));
    }
    {
        TPaintTarget t = Painted(w, h, gdDiagonalDown);
        EXPECT_TRUE(Near(t.At(w - 1, h - 1), Blue, EdgeTolerance));
        EXPECT_TRUE(Near(t.At(0, 0), Red, EdgeTolerance));
    }
    for (TGradientDirection d : {gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox}) {
        SCOPED_TRACE(int(d));
        TPaintTarget t = Painted(w, h, d);
        EXPECT_EQ(t.At(w / 2, h / 2), Blue);
        for (POINT corner : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}})
            EXPECT_TRUE(Near(t.At(corner.x, corner.y), Red, BoxEdgeTolerance));
        EXPECT_EQ(t.Count(Untouched), 0);
    }
}

TEST(Gradient, BoxLayoutsAreMirroredWithTheStopColourAtTheCentre) {
    for (int w = 9; w <= 14; ++w)
        for (int h = 9; h <= 12; ++h) {
            SCOPED_TRACE(testing::Message() << w << " x " << h);
            TPaintTarget t = Painted(w, h, gdSquareBox);
            ExpectMirrored(t);
            EXPECT_EQ(t.At((w - 1) / 2, (h - 1) / 2), Blue);
            EXPECT_EQ(t.At(w / 2, h / 2), Blue);
        }
}

TEST(Gradient, BoxInsetsWidenTheCentre) {
    const int w = 100, h = 60;
    // Along the centre line, the central half is all stop colour.
    TPaintTarget horizontal = Painted(w, h, gdHorizontalBox);
    for (int x = w / 4 + 2; x < 3 * w / 4 - 2; ++x) EXPECT_EQ(horizontal.At(x, h / 2), Blue) << x;
    EXPECT_NE(horizontal.At(w / 2, h / 4), Blue);

    TPaintTarget vertical = Painted(w, h, gdVerticalBox);
    for (int y = h / 4 + 2; y < 3 * h / 4 - 2; ++y) EXPECT_EQ(vertical.At(w / 2, y), Blue) << y;
    EXPECT_NE(vertical.At(w / 4, h / 2), Blue);

    TPaintTarget big = Painted(w, h, gdBigSquareBox);
    for (int y = h / 4 + 2; y < 3 * h / 4 - 2; ++y)
        for (int x = w / 4 + 2; x < 3 * w / 4 - 2; ++x)
            ASSERT_EQ(big.At(x, y), Blue) << x << "," << y;
    ExpectMirrored(big);
}

TEST(Gradient, SmallSquareBoxIsTheStartColour) {
    for (int size = 1; size <= 4; ++size) {
        TPaintTarget t = Painted(size, size, gdSquareBox);
        EXPECT_EQ(t.Count(Red), size * size) << size;
    }
    TPaintTarget wide = Painted(40, 4, gdSquareBox);
    EXPECT_EQ(wide.Count(Red), 160);
}

TEST(Gradient, ThinAreasAreFilledCompletely) {
    // Narrower than a band, not a power of two wide, a single pixel across.
    const struct {
        int w, h;
        TGradientDirection d;
    } cases[] = {
        {3, 20, gdHorizontalEnd},  {13, 5, gdHorizontalEnd},    {20, 3, gdVerticalEnd},
        {1, 20, gdVerticalCenter}, {20, 1, gdHorizontalCenter}, {1, 1, gdHorizontalEnd},
        {1, 30, gdDiagonalUp},     {30, 1, gdDiagonalDown},     {5, 30, gdBigSquareBox},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " layout " << int(c.d));
        TPaintTarget t = Painted(c.w, c.h, c.d);
        EXPECT_EQ(t.Count(Untouched), 0);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                const COLORREF p = t.At(x, y);
                ASSERT_EQ(GetGValue(p), 0) << x << "," << y;  // only red and blue mixed
                ASSERT_GE(GetRValue(p) + GetBValue(p), 240) << x << "," << y;
            }
    }
    // A single pixel across a centre layout is the stop colour.
    TPaintTarget column = Painted(1, 20, gdVerticalCenter);
    EXPECT_EQ(column.Count(Blue), 20);
}

TEST(Gradient, DrawnAtTheRectangleOnly) {
    TPaintTarget target(40, 30);
    DrawGradient(target.Canvas(), Rect(10, 5, 30, 25), gdVerticalEnd, clRed, clBlue, 1);
    EXPECT_EQ(target.Count(Untouched), 40 * 30 - 20 * 20);
    EXPECT_EQ(target.At(29, 24), Blue);
    EXPECT_EQ(target.At(30, 24), Untouched);
    // A rectangle given the wrong way round covers the same place.
    TPaintTarget reversed(40, 30);
    DrawGradient(reversed.Canvas(), Rect(30, 25, 10, 5), gdVerticalEnd, clRed, clBlue, 1);
    EXPECT_EQ(reversed.Count(Untouched), 40 * 30 - 20 * 20);
    EXPECT_EQ(reversed.At(29, 24), Blue);
}

TEST(GradientRuns, MinimumRunByColorSteps) {
    const struct {
        int steps, k, run;
    } cases[] = {
        {0, 255, 1},  {1, 255, 1},   {2, 255, 2},   {8, 255, 8},   {8, 256, 8},
        {9, 255, 29}, {16, 255, 16}, {16, 256, 17}, {255, 255, 2}, {255, 256, 2},
    };
    for (const auto& c : cases) EXPECT_EQ(MinimumRun(uint8_t(c.steps), c.k), c.run) << c.steps;
}

TEST(GradientRuns, BandRunsAreAtLeastTheMinimum) {
    for (uint8_t steps : {1, 2, 8, 16}) {
        SCOPED_TRACE(int(steps));
        TPaintTarget t = Painted(16, 240, gdHorizontalEnd, clBlack, clWhite, steps);
        const std::vector<TRun> runs = Runs(t.Column(5));
        ASSERT_GT(runs.size(), 2u);
        // The run at the top edge is what is left over.
        for (size_t i = 1; i < runs.size(); ++i)
            EXPECT_GE(runs[i].length, steps) << "run from " << runs[i].start;
        EXPECT_LE(runs.size(), 240u / steps + 1);
        EXPECT_EQ(runs.back().color, RGB(255, 255, 255));
    }
}

TEST(GradientRuns, SlantRunsAreAtLeastTheMinimum) {
    TPaintTarget fine = Painted(100, 100, gdDiagonalUp, clBlack, clWhite, 1);
    const size_t fineRuns = Runs(fine.Row(99)).size();
    TPaintTarget coarse = Painted(100, 100, gdDiagonalUp, clBlack, clWhite, 16);
    const std::vector<TRun> runs = Runs(coarse.Row(99));
    ASSERT_GT(runs.size(), 3u);
    // The bottom row ends with the closing band of the first pass, cut by the
    // diagonal, and the corner pixel of the second pass.
    for (size_t i = 0; i + 2 < runs.size(); ++i) EXPECT_GE(runs[i].length, 16) << runs[i].start;
    EXPECT_LT(runs.size() * 8, fineRuns);
}

TEST(GradientRuns, BoxRingsFollowTheColourSteps) {
    TPaintTarget fine = Painted(200, 200, gdSquareBox, clBlack, clWhite, 1);
    TPaintTarget coarse = Painted(200, 200, gdSquareBox, clBlack, clWhite, 16);
    const std::vector<COLORREF> fineRow = fine.Row(100), coarseRow = coarse.Row(100);
    const std::vector<COLORREF> fineHalf(fineRow.begin(), fineRow.begin() + 100);
    const std::vector<COLORREF> coarseHalf(coarseRow.begin(), coarseRow.begin() + 100);
    // 100 steps from the centre: a ring per step, or one per 17 steps.
    EXPECT_GT(Distinct(fineHalf).size(), 90u);
    EXPECT_LE(Distinct(coarseHalf).size(), 100u / 17 + 2);
}

TEST(ReplicateBlit, DoublesTheBlockUntilItCoversTheArea) {
    TPaintTarget target(20, 12);
    HDC dc = target.Canvas()->Handle();
    auto pattern = [](int x, int y) { return RGB(x * 80, y * 100, 50); };
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) SetPixel(dc, x, y, pattern(x, y));
    ReplicateBlit(dc, 0, 0, 17, 9, 3, 2, SRCCOPY);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const COLORREF expected = x < 17 && y < 9 ? pattern(x % 3, y % 2) : Untouched;
            ASSERT_EQ(target.At(x, y), expected) << x << "," << y;
        }
}

TEST(MirrorQuadrantBlit, TheQuarterShowsInAllFourCorners) {
    for (int w = 8; w <= 13; ++w)
        for (int h = 8; h <= 11; ++h) {
            SCOPED_TRACE(testing::Message() << w << " x " << h);
            TPaintTarget target(w, h);
            HDC dc = target.Canvas()->Handle();
            // The quarter: up to and with the centre column and row of an odd size.
            const int qw = (w + 1) / 2, qh = (h + 1) / 2;
            for (int y = 0; y < qh; ++y)
                for (int x = 0; x < qw; ++x) SetPixel(dc, x, y, RGB(x * 20, y * 20, 99));
            MirrorQuadrantBlit(dc, 0, 0, w, h, SRCCOPY);
            for (int y = 0; y < qh; ++y)
                for (int x = 0; x < qw; ++x) ASSERT_EQ(target.At(x, y), RGB(x * 20, y * 20, 99));
            ExpectMirrored(target);
        }
}
