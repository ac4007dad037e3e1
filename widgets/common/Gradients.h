// Gradients.h - two-colour gradients painted as runs of solid colour.
//
//   DrawGradient        a gradient over a rectangle of a canvas, in one of the
//                       ten TGradientDirection layouts
//   FillBandGradient    one 8-pixel band of a horizontal or vertical gradient
//   FillBoxGradient     concentric rings in the top-left quarter
//   FillSlantGradient   bands parallel to a diagonal
//   ReplicateBlit       a painted block doubled until it covers an area
//   MirrorQuadrantBlit  a top-left quarter mirrored into the other three
//   MinimumRun          the shortest run of one colour for a ColorSteps value
//
// The fills work on a bare DC (an off-screen bitmap of DrawGradient's), with
// the colour channels in 16.16 fixed point. A run of one colour is painted
// with one solid brush, made and deleted for that run, so the work grows with
// the number of colour changes rather than with the area. ColorSteps sets the
// shortest run: 1 paints every change of colour, larger values coarser steps.
// StartColor is C1 and StopColor C2; system colours are converted first.
#pragma once

#include <classlib/Graphics.h>

#include <cstdint>

#include "KitTypes.h"

void DrawGradient(TCanvas* canvas, const TRect& rect, TGradientDirection direction,
                  TColor startColor, TColor stopColor, uint8_t colorSteps);

// An 8-pixel band whose colour varies along x (splitX not 0: rows 0-7) or
// along y (columns 0-7) over size pixels: C1 at 0 and C2 at the far end for
// a negative split, C1 at both ends and C2 at the split otherwise.
void FillBandGradient(HDC dc, int splitX, int splitY, int size, TColor startColor, TColor stopColor,
                      uint8_t colorSteps);
// Rings from C2 round the centre of a width x height area out to C1, in its
// top-left quarter; insetX and insetY widen the central block.
void FillBoxGradient(HDC dc, int width, int height, int insetX, int insetY, TColor startColor,
                     TColor stopColor, uint8_t colorSteps);
// Width > 0: C1 at the bottom-left corner to C2 at the top-right one.
// Width <= 0 (the mirrored diagonal over |width|): C2 at the bottom-right
// corner to C1 at the top-left one.
void FillSlantGradient(HDC dc, int width, int height, TColor startColor, TColor stopColor,
                       uint8_t colorSteps);
// Copies the filled block at (x, y) beside itself, doubling it along one axis
// at a time, until it covers totalWidth x totalHeight.
void ReplicateBlit(HDC dc, int x, int y, int totalWidth, int totalHeight, int filledWidth,
                   int filledHeight, DWORD rop);
// Mirrors the top-left quarter of the area (with the centre row and column of
// an odd size) into the bottom-left, then the left half into the right half.
void MirrorQuadrantBlit(HDC dc, int x, int y, int width, int height, DWORD rop);

// The shortest run of one colour, in steps: ColorSteps up to 8 gives
// ColorSteps, larger values k div ColorSteps + 1 (k: 255 for the band and
// slant fills, 256 for the box fill); never below 1.
int MinimumRun(uint8_t colorSteps, int k);
