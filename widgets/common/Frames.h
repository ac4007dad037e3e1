// Frames.h - the frame and bevel painters of the kit's owner-drawn controls.
//
//   TFrameColors, FrameColors        upper-left / lower-right colours of the
//                                    one-ring styles, by style
//   TFrameRingColors, FrameRingColors  outer and inner rings of the 3-D styles
//   DrawFrameSides ... DrawDottedFocusFrame   single frames
//   TControlFrames, DrawControlFrames         a control's complete border
//
// Every painter draws with single lines and pixels in the canvas's pen, and
// returns the rectangle left inside what it drew (the argument is unchanged),
// so that callers chain them: outer frame, border band, inner frame. Sides
// are tested in the order left, top, right, bottom; a side in clNone is left
// undrawn but still counts for the rectangle returned.
#pragma once

#include <classlib/Graphics.h>

#include <array>

#include "KitTypes.h"

struct TFrameColors {
    TColor upperLeft;   // the left and top sides
    TColor lowerRight;  // the right and bottom sides
};

// Indexed by TFrameStyle; the styles drawn with two rings and fsNone hold clNone.
constexpr std::array<TFrameColors, fsFlatBold + 1> FrameColors{{
    {clNone, clNone},               // fsNone
    {cl3DDkShadow, cl3DDkShadow},   // fsFlat
    {clBtnShadow, clBtnHighlight},  // fsGroove
    {clBtnHighlight, clBtnShadow},  // fsBump
    {clNone, clNone},               // fsLowered
    {clNone, clNone},               // fsButtonDown
    {clNone, clNone},               // fsRaised
    {clNone, clNone},               // fsButtonUp
    {clBtnShadow, clBtnHighlight},  // fsStatus
    {clBtnHighlight, clBtnShadow},  // fsPopup
    {clBtnShadow, clBtnShadow},     // fsFlatBold
}};

struct TFrameRingColors {
    TFrameColors outer;
    TFrameColors inner;
};

constexpr TFrameRingColors RaisedRings{{cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}};
constexpr TFrameRingColors LoweredRings{{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}};
constexpr TFrameRingColors ButtonUpRings{{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}};
constexpr TFrameRingColors ButtonDownRings{{clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}};

TRect DrawFrameSides(TCanvas* canvas, const TRect& rect, TColor ulColor, TColor lrColor,
                     TSides sides);
// DrawFrameSides width times, each inside the last (pen width 1).
TRect DrawFrameBevel(TCanvas* canvas, const TRect& rect, TColor ulColor, TColor lrColor, int width,
                     TSides sides);
// The fsLowered or fsRaised rings.
TRect DrawTwoToneFrame(TCanvas* canvas, const TRect& rect, bool lowered, TSides sides);
// The fsButtonDown or fsButtonUp rings.
TRect DrawButtonFrame(TCanvas* canvas, const TRect& rect, bool down, TSides sides);
TRect DrawStyledFrame(TCanvas* canvas, const TRect& rect, TFrameStyle style, TSides sides);
// Sides two pixels short of each present neighbour, with a pixel set inside
// each corner where two sides meet.
TRect DrawRoundedFrame(TCanvas* canvas, const TRect& rect, TColor color, TSides sides);
// All four sides in one colour.
TRect DrawBoxOutline(TCanvas* canvas, const TRect& rect, TColor color);
// Every other pixel of the edge set to black.
TRect DrawDottedFocusFrame(TCanvas* canvas, const TRect& rect);

// The settings of a control's border, as the progress bar and the frame
// controller hold them.
struct TControlFrames {
    TFrameStyleEx BorderOuter = fsLowered;
    TFrameStyleEx BorderInner = fsNone;
    int BorderWidth = 0;  // band between the two frames, in BorderColor
    TSides Sides = AllSides;
    int BevelWidth = 1;  // width of the fsPopup and fsStatus frames
    TColor BorderColor = clBtnFace;
    TColor BorderHighlight = clBtnHighlight;
    TColor BorderShadow = clBtnShadow;
    TColor FlatColor = clBtnShadow;  // the flat styles, shifted by FlatColorAdjustment
    int FlatColorAdjustment = 30;
    TColor Color = clWindow;         // the control's own colour
    TColor ParentColor = clBtnFace;  // shows round the corners of a rounded frame
    bool Transparent = false;
    bool OpenInnerCorners = true;  // a flat inner frame leaves its corner pixels out
};

// Outer frame, border band and inner frame; returns the client rectangle.
TRect DrawControlFrames(TCanvas* canvas, const TRect& rect, const TControlFrames& frames);
