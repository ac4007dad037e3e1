// A thousand calls of every painter leave the process's GDI objects as they were.
#include <gtest/gtest.h>
#include <widgets/common/BarBodies.h>
#include <widgets/common/Frames.h>
#include <widgets/common/Gradients.h>
#include <widgets/common/KitDraw.h>

#include "KitFixture.h"

TEST(PainterLeaks, FramesAndGlyphs) {
    TPaintTarget target(40, 30);
    TCanvas* canvas = target.Canvas();
    const TRect all = Rect(0, 0, 40, 30);
    ExpectNoLeak("frames", [&](int round) {
        const auto style = TFrameStyleEx(round % (fsFlatRounded + 1));
        DrawStyledFrame(canvas, all, style, AllSides);
        DrawRoundedFrame(canvas, all, clRed, TSides{sdLeft, sdBottom});
        DrawDottedFocusFrame(canvas, all);
        TControlFrames frames;
        frames.BorderOuter = style;
        frames.BorderInner = TFrameStyleEx((round + 3) % (fsFlatRounded + 1));
        frames.BorderWidth = round % 3;
        frames.Transparent = round % 2;
        DrawControlFrames(canvas, all, frames);
    });
    ExpectNoLeak("check-box glyph", [&](int round) {
        TCheckBoxGlyph glyph;
        glyph.State = TCheckBoxState(round % 3);
        glyph.DrawState = TGlyphDrawState(round % 4);
        glyph.HotTrackStyle = TKitButtonHotTrackStyle(round / 4 % 2);
        PaintCheckBoxGlyph(canvas, Rect(2, 2, 15, 15), glyph);
        PaintHighlightRing(canvas, all, TGradientDirection(round % 10), clRed, clBlue);
    });
}

TEST(PainterLeaks, BitmapsParentImageAndText) {
    TPaintTarget target(40, 30);
    TCanvas* canvas = target.Canvas();
    std::unique_ptr<TBitmap> glyph = FilledBitmap(10, 10, clOlive);
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 400, 400, 60, 60, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    ExpectNoLeak("bitmaps and text", [&](int round) {
        DrawBitmapTransparent(canvas, glyph.get(), Rect(0, 0, 20 + round % 5, 20),
                              Rect(0, 0, 10, 10), clOlive);
        FlipBitmapVertically(glyph.get());
        CopyParentImage(parent, Point(5, 5), canvas->Handle(), false);
        TRect rect = Rect(0, 0, 40, 30);
        CanvasDrawText(canvas, "Scan", rect, round % 2 ? DT_CALCRECT : DT_SINGLELINE);
    });
    DestroyWindow(parent);
}

TEST(PainterLeaks, GradientsAndBarBodies) {
    TPaintTarget target(60, 40);
    TCanvas* canvas = target.Canvas();
    ExpectNoLeak("gradients", [&](int round) {
        DrawGradient(canvas, Rect(0, 0, 60, 40), TGradientDirection(round % 10), clRed, clBtnFace,
                     uint8_t(1 + round % 17));
    });
    ExpectNoLeak("bar bodies", [&](int round) {
        const auto orientation = TOrientation(round % 2);
        const auto percent = uint16_t(round % 120);
        PaintTraditionalBar(canvas, Rect(2, 2, 58, 38), orientation, clBlue, clWhite, percent, true,
                            round % 3 == 0);
        PaintGradientBar(canvas, Rect(2, 2, 58, 38), orientation, clBlue, clNavy, clWhite,
                         clBtnFace, gdHorizontalCenter, percent, true, round % 3 == 0);
        PaintLedBar(canvas, Rect(2, 2, 58, 38), orientation, clBlue, clWhite, 20, percent,
                    round % 2 == 0, round % 3 == 0);
    });
}
