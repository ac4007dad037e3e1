// Progress-bar bodies: filled and empty parts, the percent text, LED blocks
// and themed chunks.
#include <classlib/Themes.h>
#include <gtest/gtest.h>
#include <widgets/common/BarBodies.h>

#include "KitFixture.h"

namespace {

const COLORREF Bar = RGB(0, 0, 255), Back = RGB(255, 255, 0);

int CountIn(TPaintTarget& target, const TRect& rect, COLORREF color) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) count += target.At(x, y) == color;
    return count;
}

int Area(const TRect& rect) { return (rect.right - rect.left) * (rect.bottom - rect.top); }

}  // namespace

TEST(BarParts, FilledShareRoundsHalvesToEven) {
    const TRect r = Rect(0, 0, 75, 10);
    EXPECT_EQ(BarFilledPart(r, orHorizontal, 50), Rect(0, 0, 38, 10));                   // 37.5
    EXPECT_EQ(BarFilledPart(Rect(0, 0, 73, 10), orHorizontal, 50), Rect(0, 0, 36, 10));  // 36.5
    EXPECT_EQ(BarFilledPart(r, orHorizontal, 0), Rect(0, 0, 0, 10));
    EXPECT_EQ(BarFilledPart(r, orHorizontal, 100), r);
    EXPECT_EQ(BarFilledPart(r, orHorizontal, 250), r);
    EXPECT_EQ(BarFilledPart(Rect(3, 4, 13, 104), orVertical, 25), Rect(3, 79, 13, 104));
}

TEST(TraditionalBar, PercentZeroAndFullPaintOnePartOnly) {
    const TRect body = Rect(2, 2, 98, 18);
    for (uint16_t percent : {0, 100, 180}) {
        SCOPED_TRACE(percent);
        TPaintTarget target(100, 20);
        PaintTraditionalBar(target.Canvas(), body, orHorizontal, clBlue, clYellow, percent, false,
                            false);
        const COLORREF only = percent ? Bar : Back;
        EXPECT_EQ(CountIn(target, body, only), Area(body));
        EXPECT_EQ(target.Count(Untouched), 100 * 20 - Area(body));
    }
}

TEST(TraditionalBar, TextShowsInTheOtherPartsColour) {
    // Text pixels are those that differ from their part's fill (the font may
    // be smoothed, so most of them need not be exactly the text colour).
    const TRect body = Rect(0, 0, 200, 20), middle = Rect(80, 0, 120, 20);
    // At 90% the middle of the bar is filled, at 10% it is background.
    TPaintTarget over(200, 20);
    PaintTraditionalBar(over.Canvas(), body, orHorizontal, clBlue, clYellow, 90, true, false);
    EXPECT_GT(Area(middle) - CountIn(over, middle, Bar), 10);
    EXPECT_GT(CountIn(over, middle, Back), 0);
    EXPECT_EQ(CountIn(over, Rect(180, 0, 200, 20), Back), 400);
    TPaintTarget beside(200, 20);
    PaintTraditionalBar(beside.Canvas(), body, orHorizontal, clBlue, clYellow, 10, true, false);
    EXPECT_GT(Area(middle) - CountIn(beside, middle, Back), 10);
    EXPECT_GT(CountIn(beside, middle, Bar), 0);
    EXPECT_EQ(CountIn(beside, Rect(0, 0, 20, 20), Bar), 400);

    TPaintTarget plain(200, 20);
    PaintTraditionalBar(plain.Canvas(), body, orHorizontal, clBlue, clYellow, 50, false, false);
    EXPECT_EQ(CountIn(plain, Rect(0, 0, 100, 20), Bar), 2000);
    EXPECT_EQ(CountIn(plain, Rect(100, 0, 200, 20), Back), 2000);
}

TEST(TraditionalBar, VerticalFillsFromTheBottomAndTransparentKeepsTheBackground) {
    const TRect body = Rect(0, 0, 20, 100);
    TPaintTarget target(20, 100);
    PaintTraditionalBar(target.Canvas(), body, orVertical, clBlue, clYellow, 30, false, true);
    EXPECT_EQ(CountIn(target, Rect(0, 70, 20, 100), Bar), 600);
    EXPECT_EQ(CountIn(target, Rect(0, 0, 20, 70), Untouched), 1400);
    EXPECT_EQ(target.Canvas()->Brush()->Style(), bsSolid);
}

TEST(GradientBar, EachPartIsItsOwnGradient) {
    const TRect body = Rect(0, 0, 100, 10);
    TPaintTarget target(100, 10);
    PaintGradientBar(target.Canvas(), body, orHorizontal, clRed, clBlue, clWhite, clBlack,
                     gdVerticalEnd, 50, false, false);
    EXPECT_TRUE(Near(target.At(0, 5), RGB(255, 0, 0), 12));
    EXPECT_EQ(target.At(49, 5), RGB(0, 0, 255));
    EXPECT_TRUE(Near(target.At(50, 5), RGB(255, 255, 255), 12));
    EXPECT_EQ(target.At(99, 5), RGB(0, 0, 0));

    TPaintTarget empty(100, 10);
    PaintGradientBar(empty.Canvas(), body, orHorizontal, clRed, clBlue, clWhite, clBlack,
                     gdVerticalEnd, 0, false, false);
    EXPECT_TRUE(Near(empty.At(0, 5), RGB(255, 255, 255), 12));
    EXPECT_EQ(empty.At(99, 5), RGB(0, 0, 0));

    TPaintTarget full(100, 10);
    PaintGradientBar(full.Canvas(), body, orHorizontal, clRed, clBlue, clWhite, clBlack,
                     gdVerticalEnd, 120, false, true);
    EXPECT_EQ(full.At(99, 5), RGB(0, 0, 255));
}

TEST(GradientBar, TextOverTheGradientsAndTransparentLeavesTheEmptyPart) {
    const TRect body = Rect(0, 0, 200, 20);
    TPaintTarget target(200, 20);
    PaintGradientBar(target.Canvas(), body, orHorizontal, clGreen, clGreen, clWhite, clWhite,
                     gdHorizontalCenter, 50, true, true);
    EXPECT_EQ(target.Canvas()->Brush()->Style(), bsSolid);
    const TRect filled = Rect(0, 0, 100, 20), empty = Rect(100, 0, 200, 20);
    // "50%" straddles the middle: over the bar and over what was there before.
    EXPECT_GT(Area(filled) - CountIn(target, filled, RGB(0, 128, 0)), 3);
    EXPECT_GT(Area(empty) - CountIn(target, empty, Untouched), 3);
    EXPECT_GT(CountIn(target, empty, Untouched), Area(empty) / 2);
}

TEST(LedBar, LayoutOfTheBlocks) {
    const struct {
        int length, segments, count, size, margin;
    } cases[] = {
        {80, 20, 10, 8, 0},  {203, 20, 20, 10, 1}, {60, 20, 10, 6, 0},
        {100, 20, 20, 5, 0}, {103, 20, 20, 5, 1},  {110, 20, 22, 5, 0},
        {80, 8, 8, 10, 0},   {5, 20, 10, 0, 2},    {50, 0, 1, 50, 0},
    };
    for (const auto& c : cases) {
        const TLedLayout layout = LedLayout(c.length, c.segments);
        EXPECT_EQ(layout.numSegments, c.count) << c.length << "/" << c.segments;
        EXPECT_EQ(layout.size, c.size) << c.length << "/" << c.segments;
        EXPECT_EQ(layout.margin, c.margin) << c.length << "/" << c.segments;
    }
}

TEST(LedBar, EightyPixelsMakeTenBlocksOfEight) {
    TPaintTarget target(80, 10);
    PaintLedBar(target.Canvas(), Rect(0, 0, 80, 10), orHorizontal, clBlue, clYellow, 20, 50, false,
                false);
    // Each block's outline is in the back colour; lit blocks are filled with the bar.
    std::vector<TRun> bars;
    for (const TRun& run : Runs(target.Row(5)))
        if (run.color == Bar) bars.push_back(run);
    ASSERT_EQ(bars.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bars[i].start, 8 * i + 1);
        EXPECT_EQ(bars[i].length, 6);
    }
    EXPECT_EQ(CountIn(target, Rect(40, 0, 80, 10), Back), 400);
    EXPECT_EQ(target.Count(Untouched), 0);
}

TEST(LedBar, TwoHundredAndThreePixelsLeaveAMarginOfOne) {
    TPaintTarget target(203, 10);
    PaintLedBar(target.Canvas(), Rect(0, 0, 203, 10), orHorizontal, clBlue, clYellow, 20, 100,
                false, false);
    std::vector<TRun> bars;
    for (const TRun& run : Runs(target.Row(5)))
        if (run.color == Bar) bars.push_back(run);
    ASSERT_EQ(bars.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(bars[i].start, 1 + 10 * i + 1);
    EXPECT_EQ(target.At(0, 5), Back);
    EXPECT_EQ(target.At(201, 5), Back);
    EXPECT_EQ(target.At(202, 5), Back);
    EXPECT_EQ(target.Count(Untouched), 0);
}

TEST(LedBar, VerticalBlocksLightFromTheBottom) {
    TPaintTarget target(10, 80);
    PaintLedBar(target.Canvas(), Rect(0, 0, 10, 80), orVertical, clBlue, clYellow, 20, 30, false,
                false);
    const std::vector<TRun> runs = Runs(target.Column(5));
    std::vector<TRun> bars;
    for (const TRun& run : runs)
        if (run.color == Bar) bars.push_back(run);
    ASSERT_EQ(bars.size(), 3u);  // 30% of 10 blocks
    EXPECT_EQ(bars[0].start, 57);
    EXPECT_EQ(bars[2].start, 73);
    EXPECT_EQ(CountIn(target, Rect(0, 0, 10, 56), Back), 560);
}

TEST(LedBar, MoreThanAHundredPercentStaysInsideTheBar) {
    TPaintTarget target(100, 30);
    const TRect body = Rect(10, 10, 90, 20);
    PaintLedBar(target.Canvas(), body, orHorizontal, clBlue, clYellow, 20, 400, false, false);
    EXPECT_EQ(target.Count(Untouched), 100 * 30 - Area(body));
    TPaintTarget vertical(30, 100);
    PaintLedBar(vertical.Canvas(), Rect(10, 10, 20, 90), orVertical, clBlue, clYellow, 20, 400,
                false, false);
    EXPECT_EQ(CountIn(vertical, Rect(0, 0, 30, 10), Untouched), 300);
}

TEST(LedBar, TransparentDrawsOnlyTheLitBlocksInsetByOne) {
    TPaintTarget target(80, 10);
    PaintLedBar(target.Canvas(), Rect(0, 0, 80, 10), orHorizontal, clBlue, clYellow, 20, 50, false,
                true);
    EXPECT_EQ(target.At(0, 5), Untouched);  // the block's left edge moved in
    EXPECT_EQ(target.At(1, 5), Bar);
    EXPECT_EQ(target.At(1, 0), Untouched);
    EXPECT_EQ(CountIn(target, Rect(40, 0, 80, 10), Untouched), 400);
    EXPECT_EQ(target.Canvas()->Pen()->Style(), psSolid);
}

TEST(LedBar, ThemedChunksFillTheShareInsideAOnePixelRing) {
    if (!ThemesEnabled()) GTEST_SKIP() << "visual styles are off";
    TPaintTarget horizontal(100, 20);
    PaintLedBar(horizontal.Canvas(), Rect(0, 0, 100, 20), orHorizontal, clBlue, clYellow, 20, 50,
                true, false);
    EXPECT_LT(CountIn(horizontal, Rect(1, 1, 50, 19), Untouched), 49 * 18 / 2);
    EXPECT_EQ(CountIn(horizontal, Rect(50, 0, 100, 20), Untouched), 50 * 20);
    EXPECT_EQ(CountIn(horizontal, Rect(0, 0, 1, 20), Untouched), 20);
    EXPECT_EQ(horizontal.Count(Bar), 0);  // no blocks

    TPaintTarget vertical(20, 100);
    PaintLedBar(vertical.Canvas(), Rect(0, 0, 20, 100), orVertical, clBlue, clYellow, 20, 50, true,
                false);
    EXPECT_EQ(CountIn(vertical, Rect(0, 0, 20, 50), Untouched), 20 * 50);
    EXPECT_LT(CountIn(vertical, Rect(1, 50, 19, 99), Untouched), 18 * 49 / 2);
    EXPECT_EQ(CountIn(vertical, Rect(0, 99, 20, 100), Untouched), 20);

    TPaintTarget none(20, 100);
    PaintLedBar(none.Canvas(), Rect(0, 0, 20, 100), orVertical, clBlue, clYellow, 20, 0, true,
                false);
    EXPECT_EQ(none.Count(Untouched), 2000);
}
