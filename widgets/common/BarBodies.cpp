// BarBodies.cpp - the traditional, gradient and LED bodies of the progress bar.
#include "BarBodies.h"

#include <classlib/Themes.h>
#include <vssym32.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "Gradients.h"
#include "KitDraw.h"
#include "KitGdi.h"

namespace {

constexpr int FullPercent = 100;
// LED bars this short show at most this many blocks.
constexpr int ShortLedLength = 80;
constexpr int ShortLedSegments = 10;

// percent of length, to the nearest pixel (halves to the even neighbour).
int ShareOf(int length, int percent) {
    return static_cast<int>(std::lrint(static_cast<double>(percent) * length / FullPercent));
}

TRect EmptyPart(const TRect& rect, TOrientation orientation, const TRect& filled) {
    if (orientation == orVertical) return Rect(rect.left, rect.top, rect.right, filled.top);
    return Rect(filled.right, rect.top, rect.right, rect.bottom);
}

std::string PercentText(uint16_t percent) { return std::to_string(percent) + "%"; }

// The text centred in rect, drawn only inside part; the canvas's brush fills
// part first unless its style is bsClear.
void DrawPercentIn(TCanvas* canvas, const TRect& rect, const TRect& part, const std::string& text) {
    const int x = (rect.left + rect.right) / 2;
    const int y = rect.top + (rect.bottom - rect.top - canvas->TextHeight("X")) / 2;
    HDC dc = canvas->Handle();
    const UINT previousAlign = SetTextAlign(dc, TA_CENTER | TA_TOP);
    canvas->TextRect(part, x, y, text);
    SetTextAlign(dc, previousAlign);
}

// The platform's progress chunks over the filled share of rect shrunk by one.
// A vertical chunk is drawn upside down into a bitmap and flipped, so that its
// pattern starts at the bottom.
void PaintThemedChunks(TCanvas* canvas, const TThemeData& theme, const TRect& rect,
                       TOrientation orientation, int percent) {
    const TRect r = ShrinkRect(rect, 1);
    if (orientation == orHorizontal) {
        const TRect filled =
            Rect(r.left, r.top, r.left + ShareOf(r.right - r.left, percent), r.bottom);
        if (filled.right <= filled.left || filled.bottom <= filled.top) return;
        theme.DrawBackground(canvas->Handle(), PP_CHUNK, 0, filled);
        return CanvasChanged(canvas);
    }
    const int width = r.right - r.left, height = ShareOf(r.bottom - r.top, percent);
    if (width <= 0 || height <= 0) return;
    TBitmap chunk;
    chunk.SetSize(width, height);
    theme.DrawBackground(chunk.Canvas()->Handle(), PP_CHUNKVERT, 0, Rect(0, 0, width, height));
    FlipBitmapVertically(&chunk);
    canvas->Draw(r.left, r.bottom - height, &chunk);
}

void PaintLedBlocks(TCanvas* canvas, const TRect& rect, TOrientation orientation, TColor barColor,
                    TColor backColor, int numSegments, int percent, bool transparent) {
    const bool vertical = orientation == orVertical;
    const auto [left, top, right, bottom] = rect;
    const TLedLayout layout = LedLayout(vertical ? bottom - top : right - left, numSegments);
    const int margin = layout.margin, size = layout.size, count = layout.numSegments;
    TPen* pen = canvas->Pen();
    TBrush* brush = canvas->Brush();
    pen->SetWidth(1);
    if (!transparent) {
        // A clear pen fills a rectangle short of its right and bottom edges.
        pen->SetStyle(psClear);
        brush->SetColor(backColor);
        if (vertical) {
            canvas->Rectangle(left, top, right + 1, top + margin + 1);
            canvas->Rectangle(left, bottom - margin - 1, right + 1, bottom + 1);
        } else {
            canvas->Rectangle(left, top, left + margin + 1, bottom + 1);
            canvas->Rectangle(right - margin - 1, top, right + 1, bottom + 1);
        }
    }
    if (size <= 0) return;
    pen->SetStyle(transparent ? psClear : psSolid);
    pen->SetColor(backColor);
    const int lit = std::min(percent * count / FullPercent, count);
    for (int i = 1; i <= count; ++i) {
        if (i > lit && transparent) break;
        TRect block = vertical ? Bounds(left, top + margin + size * (count - i), right - left, size)
                               : Bounds(left + margin + size * (i - 1), top, size, bottom - top);
        if (transparent) ++block.left, ++block.top;
        brush->SetColor(i <= lit ? barColor : backColor);
        canvas->Rectangle(block);
    }
    if (transparent) pen->SetStyle(psSolid);
}

}  // namespace

TRect BarFilledPart(const TRect& rect, TOrientation orientation, uint16_t percent) {
    if (percent >= FullPercent) return rect;
    if (orientation == orVertical)
        return Rect(rect.left, rect.bottom - ShareOf(rect.bottom - rect.top, percent), rect.right,
                    rect.bottom);
    return Rect(rect.left, rect.top, rect.left + ShareOf(rect.right - rect.left, percent),
                rect.bottom);
}

TLedLayout LedLayout(int length, int numSegments) {
    length = std::max(length, 0);
    int count = std::max(numSegments, 1);
    int size = length / count;
    if (length <= ShortLedLength && count > ShortLedSegments) {
        count = ShortLedSegments;
        size = length / ShortLedSegments;
    }
    const int extra = size > 0 ? (length - size * count) / size : 0;
    if (extra > 0) count += extra;
    return {count, size, (length - size * count) / 2};
}

void PaintTraditionalBar(TCanvas* canvas, const TRect& rect, TOrientation orientation,
                         TColor barColor, TColor backColor, uint16_t percent, bool showPercent,
                         bool transparent) {
    const TRect filled = BarFilledPart(rect, orientation, percent);
    const std::string text = showPercent ? PercentText(percent) : "";
    canvas->Font()->SetColor(backColor);
    canvas->Brush()->SetColor(barColor);
    DrawPercentIn(canvas, rect, filled, text);
    canvas->Font()->SetColor(barColor);
    if (transparent)
        canvas->Brush()->SetStyle(bsClear);
    else
        canvas->Brush()->SetColor(backColor);
    DrawPercentIn(canvas, rect, EmptyPart(rect, orientation, filled), text);
    if (transparent) canvas->Brush()->SetStyle(bsSolid);
}

void PaintGradientBar(TCanvas* canvas, const TRect& rect, TOrientation orientation, TColor barColor,
                      TColor barColorStop, TColor backColor, TColor backColorStop,
                      TGradientDirection gradientDirection, uint16_t percent, bool showPercent,
                      bool transparent) {
    const TRect filled = BarFilledPart(rect, orientation, percent);
    const TRect empty = EmptyPart(rect, orientation, filled);
    const std::string text = PercentText(percent);
    canvas->Font()->SetColor(backColor);
    DrawGradient(canvas, filled, gradientDirection, barColor, barColorStop, 1);
    if (showPercent) {
        canvas->Brush()->SetStyle(bsClear);
        DrawPercentIn(canvas, rect, filled, text);
    }
    canvas->Font()->SetColor(barColor);
    if (!transparent) DrawGradient(canvas, empty, gradientDirection, backColor, backColorStop, 1);
    if (showPercent) {
        canvas->Brush()->SetStyle(bsClear);
        DrawPercentIn(canvas, rect, empty, text);
    }
    canvas->Brush()->SetStyle(bsSolid);
}

void PaintLedBar(TCanvas* canvas, const TRect& rect, TOrientation orientation, TColor barColor,
                 TColor backColor, int numSegments, uint16_t percent, bool themeAware,
                 bool transparent) {
    const int shown = std::min<int>(percent, FullPercent);
    if (themeAware && ThemesEnabled()) {
        TThemeData theme(nullptr, L"PROGRESS");
        if (theme) return PaintThemedChunks(canvas, theme, rect, orientation, shown);
    }
    PaintLedBlocks(canvas, rect, orientation, barColor, backColor, numSegments, shown, transparent);
}
