// Frame painters: the rectangles they return and the pixels they set.
#include <gtest/gtest.h>
#include <widgets/common/Frames.h>
#include <widgets/common/KitColors.h>

#include "KitFixture.h"

namespace {

const COLORREF None = Untouched;

// A 20 x 12 target with a control's frames drawn over all of it, which
// returned the client rectangle expected.
TPaintTarget Framed(const TControlFrames& frames, const TRect& client) {
    TPaintTarget target(20, 12);
    EXPECT_EQ(DrawControlFrames(target.Canvas(), Rect(0, 0, 20, 12), frames), client);
    return target;
}

}  // namespace

TEST(FrameSides, LinesInTheirColoursAndTheRectangleInside) {
    TPaintTarget target(16, 12);
    const TRect inner =
        DrawFrameSides(target.Canvas(), Rect(2, 2, 12, 10), clRed, clBlue, AllSides);
    EXPECT_EQ(inner, Rect(3, 3, 11, 9));
    EXPECT_EQ(target.At(2, 5), Rgb(clRed));  // left
    EXPECT_EQ(target.At(5, 2), Rgb(clRed));  // top
    EXPECT_EQ(target.At(2, 2), Rgb(clRed));
    EXPECT_EQ(target.At(11, 5), Rgb(clBlue));  // right, at Right - 1
    EXPECT_EQ(target.At(5, 9), Rgb(clBlue));   // bottom, at Bottom - 1
    EXPECT_EQ(target.At(11, 2), Rgb(clBlue));  // the lower-right sides are drawn last
    EXPECT_EQ(target.At(2, 9), Rgb(clBlue));
    EXPECT_EQ(target.At(5, 5), None);
    EXPECT_EQ(target.At(12, 5), None);
    EXPECT_EQ(target.At(5, 10), None);
}

TEST(FrameSides, ANoneColourLeavesItsSidesButStillMovesIn) {
    TPaintTarget target(16, 12);
    EXPECT_EQ(DrawFrameSides(target.Canvas(), Rect(2, 2, 12, 10), clNone, clBlue, AllSides),
              Rect(3, 3, 11, 9));
    EXPECT_EQ(target.At(2, 5), None);
    EXPECT_EQ(target.At(5, 2), None);
    EXPECT_EQ(target.At(11, 5), Rgb(clBlue));

    TPaintTarget partial(16, 12);
    EXPECT_EQ(
        DrawFrameSides(partial.Canvas(), Rect(2, 2, 12, 10), clRed, clBlue, TSides{sdTop, sdRight}),
        Rect(2, 3, 11, 10));
    EXPECT_EQ(partial.At(2, 5), None);
    EXPECT_EQ(partial.At(5, 9), None);
    EXPECT_EQ(partial.At(5, 2), Rgb(clRed));
}

TEST(FrameBevel, WidthCountsTheRings) {
    TPaintTarget target(16, 16);
    EXPECT_EQ(DrawFrameBevel(target.Canvas(), Rect(0, 0, 16, 16), clRed, clBlue, 0, AllSides),
              Rect(0, 0, 16, 16));
    EXPECT_EQ(target.Count(None), 16 * 16);
    target.Canvas()->Pen()->SetWidth(3);
    EXPECT_EQ(DrawFrameBevel(target.Canvas(), Rect(0, 0, 16, 16), clRed, clBlue, 3, AllSides),
              Rect(3, 3, 13, 13));
    for (int x = 0; x < 3; ++x) EXPECT_EQ(target.At(x, 8), Rgb(clRed));
    EXPECT_EQ(target.At(3, 8), None);  // one-pixel lines, whatever the pen's width was
    for (int x = 13; x < 16; ++x) EXPECT_EQ(target.At(x, 8), Rgb(clBlue));
}

TEST(StyledFrame, EachStyleDrawsItsRingsAndReturnsWhatIsInside) {
    struct TCase {
        TFrameStyle style;
        int inset;
        TColor outerLeft, innerLeft, outerRight, innerRight;
    };
    const TColor U = Untouched;
    const TCase cases[] = {
        {fsNone, 0, U, U, U, U},
        {fsFlat, 1, cl3DDkShadow, U, cl3DDkShadow, U},
        {fsGroove, 2, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
        {fsBump, 2, clBtnHighlight, clBtnShadow, clBtnShadow, clBtnHighlight},
        {fsLowered, 2, clBtnShadow, cl3DDkShadow, clBtnHighlight, cl3DLight},
        {fsButtonDown, 2, clBtnText, clBtnShadow, clBtnText, clBtnShadow},
        {fsRaised, 2, cl3DLight, clBtnHighlight, cl3DDkShadow, clBtnShadow},
        {fsButtonUp, 2, clBtnHighlight, cl3DLight, cl3DDkShadow, clBtnShadow},
        {fsStatus, 1, clBtnShadow, U, clBtnHighlight, U},
        {fsPopup, 1, clBtnHighlight, U, clBtnShadow, U},
        {fsFlatBold, 2, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow},
        {fsFlatRounded, 0, U, U, U, U},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int(c.style));
        TPaintTarget target(20, 16);
        const TRect rect = Rect(2, 2, 18, 14);
        EXPECT_EQ(DrawStyledFrame(target.Canvas(), rect, c.style, AllSides),
                  Rect(2 + c.inset, 2 + c.inset, 18 - c.inset, 14 - c.inset));
        EXPECT_EQ(target.At(2, 8), Rgb(c.outerLeft));
        EXPECT_EQ(target.At(3, 8), Rgb(c.innerLeft));
        EXPECT_EQ(target.At(17, 8), Rgb(c.outerRight));
        EXPECT_EQ(target.At(16, 8), Rgb(c.innerRight));
        // The top follows the left and the bottom the right.
        EXPECT_EQ(target.At(8, 2), Rgb(c.outerLeft));
        EXPECT_EQ(target.At(8, 13), Rgb(c.outerRight));
        EXPECT_EQ(target.At(1, 8), None);
        EXPECT_EQ(target.At(9, 8), None);
    }
}

TEST(StyledFrame, GrooveRingsMeetAtTheCorners) {
    TPaintTarget target(10, 10);
    DrawStyledFrame(target.Canvas(), Rect(0, 0, 10, 10), fsGroove, AllSides);
    // The top-right and bottom-left corners belong to the lower-right ring.
    EXPECT_EQ(target.At(9, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(target.At(0, 9), Rgb(clBtnHighlight));
    EXPECT_EQ(target.At(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(target.At(8, 1), Rgb(clBtnShadow));
    EXPECT_EQ(target.At(9, 9), Rgb(clBtnHighlight));

    // Without a left side, the pixel under the top-left corner joins the top.
    TPaintTarget open(10, 10);
    EXPECT_EQ(DrawStyledFrame(open.Canvas(), Rect(0, 0, 10, 10), fsGroove,
                              TSides{sdTop, sdRight, sdBottom}),
              Rect(0, 2, 8, 8));
    EXPECT_EQ(open.At(0, 1), Rgb(clBtnHighlight));
}

TEST(RoundedFrame, ShortSidesAndInnerCornerPixels) {
    TPaintTarget top(10, 10);
    EXPECT_EQ(DrawRoundedFrame(top.Canvas(), Rect(0, 0, 10, 10), clRed, TSides{sdTop}),
              Rect(0, 2, 10, 10));
    for (int x = 0; x < 10; ++x) EXPECT_EQ(top.At(x, 0), Rgb(clRed));
    EXPECT_EQ(top.Count(Rgb(clRed)), 10);

    TPaintTarget all(10, 10);
    EXPECT_EQ(DrawRoundedFrame(all.Canvas(), Rect(0, 0, 10, 10), clRed, AllSides),
              Rect(2, 2, 8, 8));
    EXPECT_EQ(all.At(0, 0), None);
    EXPECT_EQ(all.At(1, 0), None);
    EXPECT_EQ(all.At(0, 1), None);
    EXPECT_EQ(all.At(1, 1), Rgb(clRed));
    EXPECT_EQ(all.At(2, 0), Rgb(clRed));
    EXPECT_EQ(all.At(0, 2), Rgb(clRed));
    EXPECT_EQ(all.At(8, 8), Rgb(clRed));
    EXPECT_EQ(all.At(9, 9), None);
    EXPECT_EQ(all.At(7, 9), Rgb(clRed));
}

TEST(BoxOutlineAndFocusFrame, OneRingAndEveryOtherPixel) {
    TPaintTarget box(8, 8);
    EXPECT_EQ(DrawBoxOutline(box.Canvas(), Rect(0, 0, 8, 8), clRed), Rect(1, 1, 7, 7));
    EXPECT_EQ(box.Count(Rgb(clRed)), 28);

    TPaintTarget dots(10, 8);
    EXPECT_EQ(DrawDottedFocusFrame(dots.Canvas(), Rect(0, 0, 10, 8)), Rect(1, 1, 9, 7));
    const std::vector<COLORREF> left = dots.Column(0), top = dots.Row(0);
    for (int y = 0; y < 8; ++y) EXPECT_EQ(left[y], y % 2 ? Rgb(clBlack) : None) << y;
    for (int x = 0; x < 10; ++x) EXPECT_EQ(top[x], x % 2 ? Rgb(clBlack) : None) << x;
    EXPECT_EQ(dots.At(9, 3), Rgb(clBlack));
    EXPECT_EQ(dots.At(3, 7), Rgb(clBlack));
    EXPECT_EQ(dots.At(4, 4), None);
}

TEST(ControlFrames, LoweredOuterFrameAloneIsTwoPixels) {
    TControlFrames frames;  // fsLowered, no band, no inner frame
    TPaintTarget target = Framed(frames, Rect(2, 2, 18, 10));
    EXPECT_EQ(target.At(0, 5), Rgb(clBtnShadow));
    EXPECT_EQ(target.At(1, 5), Rgb(cl3DDkShadow));
    EXPECT_EQ(target.At(2, 5), None);
}

TEST(ControlFrames, FlatFramesAroundABandWithOpenInnerCorners) {
    TControlFrames frames;
    frames.BorderOuter = fsFlat;
    frames.BorderInner = fsFlat;
    frames.BorderWidth = 2;
    frames.BorderColor = clYellow;
    frames.FlatColor = clRed;
    frames.FlatColorAdjustment = 0;
    TPaintTarget target = Framed(frames, Rect(4, 4, 16, 8));
    EXPECT_EQ(target.At(0, 5), Rgb(clRed));
    EXPECT_EQ(target.At(1, 5), Rgb(clYellow));
    EXPECT_EQ(target.At(2, 5), Rgb(clYellow));
    EXPECT_EQ(target.At(3, 5), Rgb(clRed));
    EXPECT_EQ(target.At(3, 3), None);  // the inner frame's corners stay open
    EXPECT_EQ(target.At(16, 8), None);
    EXPECT_EQ(target.At(4, 3), Rgb(clRed));

    frames.OpenInnerCorners = false;
    TPaintTarget closed = Framed(frames, Rect(4, 4, 16, 8));
    EXPECT_EQ(closed.At(3, 3), Rgb(clRed));
}

TEST(ControlFrames, OpenInnerCornersDrawAllFourSidesWhateverTheSides) {
    TControlFrames frames;
    frames.BorderOuter = fsNone;
    frames.BorderInner = fsFlat;
    frames.Sides = TSides{sdTop};
    frames.FlatColor = clRed;
    frames.FlatColorAdjustment = 0;
    TPaintTarget target = Framed(frames, Rect(1, 1, 19, 11));
    EXPECT_EQ(target.At(0, 5), Rgb(clRed));
    EXPECT_EQ(target.At(19, 5), Rgb(clRed));
    EXPECT_EQ(target.At(5, 11), Rgb(clRed));
}

TEST(ControlFrames, FlatColourIsShiftedByTheAdjustment) {
    TControlFrames frames;
    frames.BorderOuter = fsFlatBold;
    frames.FlatColor = clRed;
    frames.FlatColorAdjustment = -60;
    TPaintTarget target = Framed(frames, Rect(2, 2, 18, 10));
    EXPECT_EQ(target.At(0, 5), Rgb(clMaroon));
    EXPECT_EQ(target.At(1, 5), Rgb(clMaroon));
}

TEST(ControlFrames, RoundedOuterFrameShowsTheParentInItsCorners) {
    TControlFrames frames;
    frames.BorderOuter = fsFlatRounded;
    frames.FlatColor = clRed;
    frames.FlatColorAdjustment = 0;
    frames.ParentColor = clGreen;
    frames.Color = clAqua;
    frames.BorderColor = clYellow;
    TPaintTarget target = Framed(frames, Rect(2, 2, 18, 10));
    EXPECT_EQ(target.At(0, 0), Rgb(clGreen));
    EXPECT_EQ(target.At(1, 0), Rgb(clGreen));
    EXPECT_EQ(target.At(1, 1), Rgb(clRed));
    EXPECT_EQ(target.At(2, 0), Rgb(clRed));
    EXPECT_EQ(target.At(0, 5), Rgb(clRed));
    EXPECT_EQ(target.At(1, 5), Rgb(clAqua));  // no band: the ring inside is the control's colour

    frames.BorderWidth = 1;
    TPaintTarget banded = Framed(frames, Rect(3, 3, 17, 9));
    EXPECT_EQ(banded.At(1, 5), Rgb(clYellow));
    EXPECT_EQ(banded.At(2, 5), Rgb(clYellow));

    frames.Transparent = true;
    TPaintTarget transparent = Framed(frames, Rect(3, 3, 17, 9));
    EXPECT_EQ(transparent.At(0, 0), None);
    EXPECT_EQ(transparent.At(1, 5), Rgb(clYellow));
}

TEST(ControlFrames, PopupAndStatusUseTheBevelWidth) {
    TControlFrames frames;
    frames.BorderOuter = fsPopup;
    frames.BorderInner = fsStatus;
    frames.BevelWidth = 2;
    frames.BorderHighlight = clWhite;
    frames.BorderShadow = clNavy;
    TPaintTarget target = Framed(frames, Rect(4, 4, 16, 8));
    EXPECT_EQ(target.At(0, 5), Rgb(clWhite));
    EXPECT_EQ(target.At(1, 5), Rgb(clWhite));
    EXPECT_EQ(target.At(2, 5), Rgb(clNavy));
    EXPECT_EQ(target.At(3, 5), Rgb(clNavy));
    EXPECT_EQ(target.At(19, 5), Rgb(clNavy));
    EXPECT_EQ(target.At(17, 5), Rgb(clWhite));
}
