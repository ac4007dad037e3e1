// ProgressBarPaint.cpp - the progress bar painted through a work bitmap:
// the themed frame or the kit's frames, the interior gap, then the body.
#include <classlib/Pictures.h>
#include <classlib/Themes.h>
#include <vssym32.h>
#include <widgets/common/BarBodies.h>
#include <widgets/common/Frames.h>
#include <widgets/common/KitDraw.h>
#include <widgets/common/KitGdi.h>
#include <widgets/progress/ProgressBar.h>

TRect TKitCustomProgressBar::PaintFrames(TCanvas* canvas) {
    TRect rect = ClientRect();
    if (FThemeAware && ThemesEnabled()) {
        TThemeData theme(nullptr, L"PROGRESS");
        if (theme) {
            const int part = FOrientation == orVertical ? PP_BARVERT : PP_BAR;
            theme.DrawBackground(canvas->Handle(), part, 0, rect);
            CanvasChanged(canvas);
            // The themed frame is wider than the LED body's own gap.
            return ShrinkRect(rect, FInteriorOffset + (FBarStyle == bsLED ? 1 : 3));
        }
    }
    canvas->Brush()->SetColor(FBorderColor);
    canvas->FillRect(rect);
    TControlFrames frames;
    frames.BorderOuter = FBorderOuter;
    frames.BorderInner = FBorderInner;
    frames.BorderWidth = FBorderWidth;
    frames.Sides = AllSides;
    frames.BevelWidth = FBevelWidth;
    frames.BorderColor = FBorderColor;
    frames.BorderHighlight = clBtnHighlight;
    frames.BorderShadow = clBtnShadow;
    frames.FlatColor = FFlatColor;
    frames.FlatColorAdjustment = FFlatColorAdjustment;
    frames.Color = FBackColor;
    frames.ParentColor = Parent() ? Parent()->Color() : clBtnFace;
    frames.Transparent = false;
    frames.OpenInnerCorners = true;
    rect = DrawControlFrames(canvas, rect, frames);
    // The gap between frame and body, a ring of InteriorOffset pixels in BackColor.
    return DrawFrameBevel(canvas, rect, FBackColor, FBackColor, FInteriorOffset, AllSides);
}

// The work bitmap is a scratch one, white as a new bitmap is, so that the
// bar's frequent repaints (every step of a scan) make and free no bitmap.
void TKitCustomProgressBar::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    TScratchBitmap work(Canvas()->Handle(), Width(), Height());
    if (!work.Valid()) return;
    PatBlt(work.DC(), 0, 0, Width(), Height(), WHITENESS);
    // Lets go of the DC (its objects put back) before the scratch bitmap goes.
    TCanvas workCanvas;
    workCanvas.SetHandle(work.DC());
    TCanvas* canvas = &workCanvas;
    canvas->Font()->Assign(Font());
    const TRect body = PaintFrames(canvas);
    switch (FBarStyle) {
        case bsTraditional:
            PaintTraditionalBar(canvas, body, FOrientation, FBarColor, FBackColor, FPercent,
                                FShowPercent, false);
            break;
        case bsLED:
            PaintLedBar(canvas, body, FOrientation, FBarColor, FBackColor, FNumSegments, FPercent,
                        FThemeAware, false);
            break;
        case bsGradient:
            PaintGradientBar(canvas, body, FOrientation, FBarColor, FBarColorStop, FBackColor,
                             FBackColorStop, FGradientDirection, FPercent, FShowPercent, false);
            break;
    }
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), work.DC(), 0, 0, Canvas()->CopyMode());
    CanvasChanged(Canvas());
}
