// Frames.cpp - frames and bevels drawn with single lines and pixels.
#include "Frames.h"

#include "KitColors.h"
#include "KitGdi.h"

namespace {

// The rectangle moved in by amount on each side in sides.
TRect Shrink(const TRect& rect, TSides sides, int amount) {
    TRect inner = rect;
    if (sides.Contains(sdLeft)) inner.left += amount;
    if (sides.Contains(sdTop)) inner.top += amount;
    if (sides.Contains(sdRight)) inner.right -= amount;
    if (sides.Contains(sdBottom)) inner.bottom -= amount;
    return inner;
}

// A one-pixel line; the end point stays undrawn.
void Line(TCanvas* canvas, int x1, int y1, int x2, int y2) {
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

TRect DrawRings(TCanvas* canvas, const TRect& rect, const TFrameRingColors& rings, TSides sides) {
    const TRect inner =
        DrawFrameBevel(canvas, rect, rings.outer.upperLeft, rings.outer.lowerRight, 1, sides);
    return DrawFrameBevel(canvas, inner, rings.inner.upperLeft, rings.inner.lowerRight, 1, sides);
}

// Two rings offset by a pixel, one in each colour: a groove or a bump.
TRect DrawGroove(TCanvas* canvas, const TRect& rect, const TFrameColors& colors, TSides sides) {
    const TColor ul = colors.upperLeft, lr = colors.lowerRight;
    const auto [left, top, right, bottom] = rect;
    const bool l = sides.Contains(sdLeft), t = sides.Contains(sdTop);
    const bool r = sides.Contains(sdRight), b = sides.Contains(sdBottom);
    // The corner pixels where the rings meet, so that they join cleanly.
    if (r) canvas->SetPixels(right - 1, top, lr);
    if (t && !r) canvas->SetPixels(right - 1, top, ul);
    if (b) canvas->SetPixels(left, bottom - 1, lr);
    if (l && !b) canvas->SetPixels(left, bottom - 1, ul);
    if (t && !l) canvas->SetPixels(left, top + 1, lr);
    if (l && !t) canvas->SetPixels(left + 1, top, lr);
    if (b && !r) canvas->SetPixels(right - 1, bottom - 2, ul);
    if (r && !b) canvas->SetPixels(right - 2, bottom - 1, ul);
    DrawFrameSides(canvas, Rect(left + 1, top + 1, right, bottom), lr, lr, sides);
    DrawFrameSides(canvas, Rect(left, top, right - 1, bottom - 1), ul, ul, sides);
    return Shrink(rect, sides, 2);
}

// A flat inner frame without its four corner pixels, on every side.
TRect DrawOpenCornerFrame(TCanvas* canvas, const TRect& rect, TColor color) {
    const auto [left, top, right, bottom] = rect;
    canvas->Pen()->SetColor(color);
    Line(canvas, left, top + 1, left, bottom - 1);
    Line(canvas, left + 1, top, right - 1, top);
    Line(canvas, right - 1, top + 1, right - 1, bottom - 1);
    Line(canvas, left + 1, bottom - 1, right - 1, bottom - 1);
    return ShrinkRect(rect, 1);
}

// The rings under a rounded frame: the outer one in outerColor (clNone: not
// drawn), the one inside it in innerColor (clNone: not drawn).
void DrawRoundedUnderlay(TCanvas* canvas, const TRect& rect, TColor outerColor, TColor innerColor,
                         TSides sides) {
    const TRect inner = outerColor == clNone
                            ? Shrink(rect, sides, 1)
                            : DrawFrameBevel(canvas, rect, outerColor, outerColor, 1, sides);
    if (innerColor != clNone) DrawFrameBevel(canvas, inner, innerColor, innerColor, 1, sides);
}

// One of the two frames of DrawControlFrames; the outer and the inner frame
// differ only in the flat and rounded styles.
TRect DrawBorderFrame(TCanvas* canvas, const TRect& rect, TFrameStyleEx style, bool inner,
                      const TControlFrames& f, TColor flatShade) {
    const TSides sides = f.Sides;
    switch (style) {
        case fsFlat:
            if (inner && f.OpenInnerCorners) return DrawOpenCornerFrame(canvas, rect, flatShade);
            return DrawFrameBevel(canvas, rect, flatShade, flatShade, 1, sides);
        case fsFlatBold:
            return DrawFrameBevel(canvas, rect, flatShade, flatShade, 2, sides);
        case fsFlatRounded: {
            const bool banded = f.BorderWidth > 0 || f.BorderInner != fsNone;
            if (inner)
                DrawRoundedUnderlay(canvas, rect, f.BorderColor, f.Transparent ? clNone : f.Color,
                                    sides);
            else if (!f.Transparent)
                DrawRoundedUnderlay(canvas, rect, f.ParentColor, banded ? f.BorderColor : f.Color,
                                    sides);
            else if (banded)
                DrawRoundedUnderlay(canvas, rect, clNone, f.BorderColor, sides);
            return DrawRoundedFrame(canvas, rect, flatShade, sides);
        }
        case fsPopup:
            return DrawFrameBevel(canvas, rect, f.BorderHighlight, f.BorderShadow, f.BevelWidth,
                                  sides);
        case fsStatus:
            return DrawFrameBevel(canvas, rect, f.BorderShadow, f.BorderHighlight, f.BevelWidth,
                                  sides);
        default:
            return DrawStyledFrame(canvas, rect, style, sides);
    }
}

}  // namespace

TRect DrawFrameSides(TCanvas* canvas, const TRect& rect, TColor ulColor, TColor lrColor,
                     TSides sides) {
    const auto [left, top, right, bottom] = rect;
    if (ulColor != clNone) {
        canvas->Pen()->SetColor(ulColor);
        if (sides.Contains(sdLeft)) Line(canvas, left, top, left, bottom);
        if (sides.Contains(sdTop)) Line(canvas, left, top, right, top);
    }
    if (lrColor != clNone) {
        canvas->Pen()->SetColor(lrColor);
        if (sides.Contains(sdRight)) Line(canvas, right - 1, top, right - 1, bottom);
        if (sides.Contains(sdBottom)) Line(canvas, left, bottom - 1, right, bottom - 1);
    }
    return Shrink(rect, sides, 1);
}

TRect DrawFrameBevel(TCanvas* canvas, const TRect& rect, TColor ulColor, TColor lrColor, int width,
                     TSides sides) {
    canvas->Pen()->SetWidth(1);
    TRect inner = rect;
    for (int ring = 0; ring < width; ++ring)
        inner = DrawFrameSides(canvas, inner, ulColor, lrColor, sides);
    return inner;
}

TRect DrawTwoToneFrame(TCanvas* canvas, const TRect& rect, bool lowered, TSides sides) {
    return DrawRings(canvas, rect, lowered ? LoweredRings : RaisedRings, sides);
}

TRect DrawButtonFrame(TCanvas* canvas, const TRect& rect, bool down, TSides sides) {
    return DrawRings(canvas, rect, down ? ButtonDownRings : ButtonUpRings, sides);
}

TRect DrawStyledFrame(TCanvas* canvas, const TRect& rect, TFrameStyle style, TSides sides) {
    switch (style) {
        case fsFlat:
        case fsStatus:
        case fsPopup:
            return DrawFrameSides(canvas, rect, FrameColors[style].upperLeft,
                                  FrameColors[style].lowerRight, sides);
        case fsFlatBold:
            return DrawFrameBevel(canvas, rect, FrameColors[style].upperLeft,
                                  FrameColors[style].lowerRight, 2, sides);
        case fsLowered:
        case fsRaised:
            return DrawTwoToneFrame(canvas, rect, style == fsLowered, sides);
        case fsButtonDown:
        case fsButtonUp:
            return DrawButtonFrame(canvas, rect, style == fsButtonDown, sides);
        case fsGroove:
        case fsBump:
            return DrawGroove(canvas, rect, FrameColors[style], sides);
        default:
            return rect;
    }
}

TRect DrawRoundedFrame(TCanvas* canvas, const TRect& rect, TColor color, TSides sides) {
    const auto [left, top, right, bottom] = rect;
    const bool l = sides.Contains(sdLeft), t = sides.Contains(sdTop);
    const bool r = sides.Contains(sdRight), b = sides.Contains(sdBottom);
    const int tl = l ? 2 : 0, tt = t ? 2 : 0, tr = r ? 2 : 0, tb = b ? 2 : 0;
    canvas->Pen()->SetColor(color);
    if (l) Line(canvas, left, top + tt, left, bottom - tb);
    if (t) Line(canvas, left + tl, top, right - tr, top);
    if (r) Line(canvas, right - 1, top + tt, right - 1, bottom - tb);
    if (b) Line(canvas, left + tl, bottom - 1, right - tr, bottom - 1);
    if (l && t) canvas->SetPixels(left + 1, top + 1, color);
    if (t && r) canvas->SetPixels(right - 2, top + 1, color);
    if (r && b) canvas->SetPixels(right - 2, bottom - 2, color);
    if (b && l) canvas->SetPixels(left + 1, bottom - 2, color);
    return Rect(left + tl, top + tt, right - tr, bottom - tb);
}

TRect DrawBoxOutline(TCanvas* canvas, const TRect& rect, TColor color) {
    return DrawFrameSides(canvas, rect, color, color, AllSides);
}

TRect DrawDottedFocusFrame(TCanvas* canvas, const TRect& rect) {
    const auto [left, top, right, bottom] = rect;
    for (int y = top + 1; y < bottom; y += 2) {
        canvas->SetPixels(left, y, clBlack);
        canvas->SetPixels(right - 1, y, clBlack);
    }
    for (int x = left + 1; x < right; x += 2) {
        canvas->SetPixels(x, top, clBlack);
        canvas->SetPixels(x, bottom - 1, clBlack);
    }
    return ShrinkRect(rect, 1);
}

TRect DrawControlFrames(TCanvas* canvas, const TRect& rect, const TControlFrames& frames) {
    const TColor flatShade = ShiftColorLuminance(frames.FlatColor, frames.FlatColorAdjustment);
    TRect r = DrawBorderFrame(canvas, rect, frames.BorderOuter, false, frames, flatShade);
    if (frames.BorderWidth > 0)
        r = DrawFrameBevel(canvas, r, frames.BorderColor, frames.BorderColor, frames.BorderWidth,
                           frames.Sides);
    return DrawBorderFrame(canvas, r, frames.BorderInner, true, frames, flatShade);
}
