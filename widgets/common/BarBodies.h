// BarBodies.h - the three bodies of the kit's progress bar, painted inside
// its frames.
//
//   PaintTraditionalBar  a solid bar on a solid background, with the percent
//   PaintGradientBar     a gradient bar on a gradient background, with the percent
//   PaintLedBar          a row of blocks, or the platform's themed chunks
//   BarFilledPart        the share of a rectangle a percentage fills
//
// rect is the area inside the frames. The percent text ("42%") is centred in
// it and shows in backColor over the bar and in barColor over the background.
// A percentage above 100 paints as 100 while its text shows the value given.
#pragma once

#include <classlib/Graphics.h>

#include <cstdint>

#include "KitTypes.h"

// All of rect from 100 on; else the part from the left (horizontal) or from
// the bottom (vertical), rounded to the nearest pixel, halves to even.
TRect BarFilledPart(const TRect& rect, TOrientation orientation, uint16_t percent);

void PaintTraditionalBar(TCanvas* canvas, const TRect& rect, TOrientation orientation,
                         TColor barColor, TColor backColor, uint16_t percent, bool showPercent,
                         bool transparent);

void PaintGradientBar(TCanvas* canvas, const TRect& rect, TOrientation orientation, TColor barColor,
                      TColor barColorStop, TColor backColor, TColor backColorStop,
                      TGradientDirection gradientDirection, uint16_t percent, bool showPercent,
                      bool transparent);

// Blocks of BarColor lit from the left or from the bottom; with themeAware
// and visual styles active, the platform's progress-bar chunks inside rect
// shrunk by one.
void PaintLedBar(TCanvas* canvas, const TRect& rect, TOrientation orientation, TColor barColor,
                 TColor backColor, int numSegments, uint16_t percent, bool themeAware,
                 bool transparent);

// The LED layout along a length: numSegments blocks of size pixels after a
// margin of margin pixels.
struct TLedLayout {
    int numSegments;
    int size;
    int margin;
};
TLedLayout LedLayout(int length, int numSegments);
