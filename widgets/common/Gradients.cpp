// Gradients.cpp - two-colour gradients in 16.16 fixed point, painted as runs
// of one colour (with a brush per run, or the bands of one strip copied in at
// once on a true-colour DC).
#include "Gradients.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "KitGdi.h"

namespace {

// Band fills paint one strip this thick and replicate it.
constexpr int BandThickness = 8;

// The run-length divisors of the band and slant fills and of the box fill.
constexpr int LineRunDivisor = 255;
constexpr int BoxRunDivisor = 256;

// A colour walked in steps from one end colour toward the other, each channel
// held as channel x 65536. It never passes the end colour, so that a walk a
// step longer than its step count cannot overflow a channel.
class TColorWalk {
public:
    TColorWalk(COLORREF from, COLORREF to, int steps) {
        const int fromChannels[] = {GetRValue(from), GetGValue(from), GetBValue(from)};
        const int toChannels[] = {GetRValue(to), GetGValue(to), GetBValue(to)};
        for (int i = 0; i < 3; ++i) {
            const int64_t start = int64_t{fromChannels[i]} << 16;
            const int64_t end = int64_t{toChannels[i]} << 16;
            FValue[i] = start;
            FLow[i] = std::min(start, end);
            FHigh[i] = std::max(start, end);
            FStep[i] = steps > 0 ? (end - start) / steps : 0;
        }
    }

    void Step() {
        for (int i = 0; i < 3; ++i) FValue[i] = std::clamp(FValue[i] + FStep[i], FLow[i], FHigh[i]);
    }
    COLORREF Color() const { return RGB(FValue[0] >> 16, FValue[1] >> 16, FValue[2] >> 16); }

private:
    int64_t FValue[3], FLow[3], FHigh[3], FStep[3];
};

// Advances one run: steps the colour (and, through advance, the positions)
// until the run is at least minRun steps long and the colour has changed, or
// until finished() says the walk is over. Returns the run's colour: the one
// current when it began.
template <class Advance, class Finished>
COLORREF WalkRun(TColorWalk& color, int minRun, Advance advance, Finished finished) {
    const COLORREF runColor = color.Color();
    int length = 0;
    do {
        advance();
        color.Step();
        ++length;
    } while (!finished() && (length < minRun || color.Color() == runColor));
    return runColor;
}

void FillPolygon(HDC dc, const POINT (&points)[4], COLORREF color) {
    TGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    TSelectObject selected(dc, brush.Get());
    Polygon(dc, points, 4);
}

// A band of one colour covering [From, To) along the axis.
struct TBand {
    int From;
    int To;
    COLORREF Color;
};

// The bands, which follow each other downwards along the axis, each filled
// in its colour across BandThickness pixels. On a DC of 24 or more bits a
// pixel takes a fill's colour exactly, so there the strip of all the bands is
// copied in at once, pixel by pixel as the fills would have made it, instead
// of one brush and one fill for each of the hundreds of bands.
void FillBands(HDC dc, bool alongX, const std::vector<TBand>& bands) {
    if (bands.empty()) return;
    const int first = bands.back().From, length = bands.front().To - first;
    if (GetDeviceCaps(dc, BITSPIXEL) < 24 || length <= 0) {
        for (const TBand& band : bands)
            FillSolid(dc,
                      alongX ? Rect(band.From, 0, band.To, BandThickness)
                             : Rect(0, band.From, BandThickness, band.To),
                      band.Color);
        return;
    }
    const int width = alongX ? length : BandThickness, height = alongX ? BandThickness : length;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (const TBand& band : bands) {
        // Blue in the low byte, as the rows of a 32-bit bitmap hold it.
        const uint32_t pixel = uint32_t{GetBValue(band.Color)} |
                               uint32_t{GetGValue(band.Color)} << 8 |
                               uint32_t{GetRValue(band.Color)} << 16;
        for (int at = band.From - first; at < band.To - first; ++at) {
            if (alongX) {
                for (int row = 0; row < BandThickness; ++row) pixels[row * width + at] = pixel;
            } else {
                std::fill_n(pixels.begin() + static_cast<ptrdiff_t>(at) * width, width, pixel);
            }
        }
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, alongX ? first : 0, alongX ? 0 : first, width, height, 0, 0, 0,
                      static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
}

// Bands from position `from` down to just below `low`, each covering
// [new position, previous position) along the axis.
void PaintBands(HDC dc, bool alongX, int from, int low, TColorWalk& color, int minRun) {
    std::vector<TBand> bands;
    int position = from;
    while (position >= low) {
        const int previous = position;
        const COLORREF runColor = WalkRun(
            color, minRun, [&] { --position; }, [&] { return position < low; });
        bands.push_back(TBand{position, previous, runColor});
    }
    FillBands(dc, alongX, bands);
}

// One pass of the slant fill: the band edge moves by (dx, dy) per step from
// (x0, height) until y falls below 0; band(x, y, previous x, previous y,
// colour) paints each run, and once more up to (xEnd, 0) to close the pass.
template <class Band>
void SlantPass(TColorWalk& color, int minRun, int x0, int xEnd, int height, int64_t dx, int64_t dy,
               Band band) {
    int64_t x = int64_t{x0} << 16, y = int64_t{height} << 16;
    int previousX = x0, previousY = height;
    for (;;) {
        const COLORREF runColor = WalkRun(
            color, minRun, [&] { x += dx, y -= dy; }, [&] { return y < 0; });
        if (y < 0) return band(xEnd, 0, previousX, previousY, runColor);
        const int xi = static_cast<int>(x >> 16), yi = static_cast<int>(y >> 16);
        if (yi < previousY || xi != previousX) {
            band(xi, yi, previousX, previousY, runColor);
            previousX = xi;
            previousY = yi;
        }
    }
}

// The centre split of size pixels. A size of 1 has none: the end layout
// paints its one pixel in the stop colour just as the centre would, and keeps
// the band on the axis that was asked for (a split of 0 would turn it).
int CenterSplit(int size) { return size / 2 > 0 ? size / 2 : -1; }

void PaintGradient(HDC dc, int w, int h, TGradientDirection direction, COLORREF c1, COLORREF c2,
                   uint8_t colorSteps) {
    const TRect all = Rect(0, 0, w, h);
    switch (direction) {
        case gdDiagonalUp:
        case gdDiagonalDown:
            if (c1 == c2) return FillSolid(dc, all, c1);
            return FillSlantGradient(dc, direction == gdDiagonalUp ? w : -w, h, c1, c2, colorSteps);
        case gdHorizontalEnd:
        case gdHorizontalCenter:
            FillBandGradient(dc, 0, direction == gdHorizontalEnd ? -1 : CenterSplit(h), h, c1, c2,
                             colorSteps);
            return ReplicateBlit(dc, 0, 0, w, h, BandThickness, h, SRCCOPY);
        case gdVerticalEnd:
        case gdVerticalCenter:
            FillBandGradient(dc, direction == gdVerticalEnd ? -1 : CenterSplit(w), 0, w, c1, c2,
                             colorSteps);
            return ReplicateBlit(dc, 0, 0, w, h, w, BandThickness, SRCCOPY);
        case gdHorizontalBox:
            FillSolid(dc, all, c1);
            FillBoxGradient(dc, w, h, w >> 2, 0, c1, c2, colorSteps);
            return MirrorQuadrantBlit(dc, 0, 0, w, h, SRCCOPY);
        case gdVerticalBox:
            FillBoxGradient(dc, w, h, 0, h >> 2, c1, c2, colorSteps);
            return MirrorQuadrantBlit(dc, 0, 0, w, h, SRCCOPY);
        case gdSquareBox:
            FillSolid(dc, all, c1);
            FillBoxGradient(dc, w, h, 0, 0, c1, c2, colorSteps);
            return MirrorQuadrantBlit(dc, 0, 0, w, h, SRCCOPY);
        case gdBigSquareBox:
            FillBoxGradient(dc, w, h, w >> 2, h >> 2, c1, c2, colorSteps);
            return MirrorQuadrantBlit(dc, 0, 0, w, h, SRCCOPY);
    }
}

}  // namespace

int MinimumRun(uint8_t colorSteps, int k) {
    const int run = colorSteps > 8 ? k / colorSteps + 1 : colorSteps;
    return std::max(run, 1);
}

void DrawGradient(TCanvas* canvas, const TRect& rect, TGradientDirection direction,
                  TColor startColor, TColor stopColor, uint8_t colorSteps) {
    const int w = std::abs(rect.right - rect.left), h = std::abs(rect.bottom - rect.top);
    if (w == 0 || h == 0) return;
    HDC target = canvas->Handle();
    TScratchBitmap buffer(target, w, h);
    if (!buffer.Valid()) return;
    TSelectObject clearPen(buffer.DC(), GetStockObject(NULL_PEN));
    PaintGradient(buffer.DC(), w, h, direction, PlainRgb(startColor), PlainRgb(stopColor),
                  colorSteps);
    BitBlt(target, std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), w, h,
           buffer.DC(), 0, 0, canvas->CopyMode());
    CanvasChanged(canvas);
}

void FillBandGradient(HDC dc, int splitX, int splitY, int size, TColor startColor, TColor stopColor,
                      uint8_t colorSteps) {
    const bool alongX = splitX != 0;
    const int split = alongX ? splitX : splitY;
    const COLORREF c1 = PlainRgb(startColor), c2 = PlainRgb(stopColor);
    const int minRun = MinimumRun(colorSteps, LineRunDivisor);
    // C2 at the split (or the far end), walking down to C1 at position 0.
    const int end = split < 0 ? size : split + 1;
    TColorWalk toStart(c2, c1, end);
    PaintBands(dc, alongX, end, 1, toStart, minRun);
    if (split <= 0) return;
    // C1 at the far end, walking down to C2 just past the split.
    const int low = split + 2;
    TColorWalk toSplit(c1, c2, size - low + 1);
    PaintBands(dc, alongX, size, low, toSplit, minRun);
}

void FillBoxGradient(HDC dc, int width, int height, int insetX, int insetY, TColor startColor,
                     TColor stopColor, uint8_t colorSteps) {
    const COLORREF c1 = PlainRgb(startColor), c2 = PlainRgb(stopColor);
    if (c1 == c2 || width <= 4 || height <= 4)
        return FillSolid(dc, Rect(0, 0, width + 1, height + 1), c1);
    // The quarter's far edges (exclusive), at the centre of the whole area.
    const int farX = ((width - 1) >> 1) + 1, farY = ((height - 1) >> 1) + 1;
    // An inset past the centre leaves a central block reaching the edge.
    const int hw = std::max(farX - 1 - insetX, 0), hh = std::max(farY - 1 - insetY, 0);
    const int steps = std::max(hw, hh) + 1;
    TColorWalk color(c2, c1, steps);
    const int minRun = MinimumRun(colorSteps, BoxRunDivisor);
    int64_t x = int64_t{hw} << 16, y = int64_t{hh} << 16;
    // At least one unit, so that a zero half still runs out.
    const int64_t dx = std::max<int64_t>((int64_t{hw} << 16) / steps, 1);
    const int64_t dy = std::max<int64_t>((int64_t{hh} << 16) / steps, 1);
    int previousX = farX, previousY = farY;
    while (x >= 0 || y >= 0) {
        const COLORREF runColor = WalkRun(
            color, minRun, [&] { x -= dx, y -= dy; }, [&] { return x < 0 && y < 0; });
        const int xi = std::max(static_cast<int>(x >> 16), 0);
        const int yi = std::max(static_cast<int>(y >> 16), 0);
        // The ring is an L: a strip across the top of what is painted, and one
        // down its left side.
        FillSolid(dc, Rect(xi, yi, farX, previousY), runColor);
        FillSolid(dc, Rect(xi, previousY, previousX, farY), runColor);
        previousX = xi;
        previousY = yi;
    }
}

void FillSlantGradient(HDC dc, int width, int height, TColor startColor, TColor stopColor,
                       uint8_t colorSteps) {
    const int w = std::abs(width);
    const int steps = static_cast<int>(std::sqrt(double(w) * w + double(height) * height)) + 1;
    const int half = steps / 2;
    if (half == 0 || height <= 0) return;
    const bool up = width > 0;
    const COLORREF c1 = PlainRgb(startColor), c2 = PlainRgb(stopColor);
    TColorWalk color(up ? c1 : c2, up ? c2 : c1, steps);
    const int minRun = MinimumRun(colorSteps, LineRunDivisor);
    const int x0 = up ? 0 : w, xEnd = up ? w : 0;
    const int64_t dx = (int64_t{w} << 16) / half * (up ? 1 : -1);
    const int64_t dy = (int64_t{height} << 16) / half;
    TSelectObject clearPen(dc, GetStockObject(NULL_PEN));
    // From the bottom corner at (x0, height) up to the diagonal: the band edge
    // runs from (x0, y) on the side to (x, height) on the bottom.
    SlantPass(
        color, minRun, x0, xEnd, height, dx, dy,
        [&](int x, int y, int previousX, int previousY, COLORREF runColor) {
            FillPolygon(dc, {{x0, y}, {x0, previousY}, {previousX, height}, {x, height}}, runColor);
        });
    // From the diagonal to the top corner at (xEnd, 0): the band edge runs from
    // (x, 0) on the top to (xEnd, y) on the other side.
    SlantPass(color, minRun, x0, xEnd, height, dx, dy,
              [&](int x, int y, int previousX, int previousY, COLORREF runColor) {
                  FillPolygon(dc, {{x, 0}, {previousX, 0}, {xEnd, previousY}, {xEnd, y}}, runColor);
              });
}

void ReplicateBlit(HDC dc, int x, int y, int totalWidth, int totalHeight, int filledWidth,
                   int filledHeight, DWORD rop) {
    int w = std::min(filledWidth, totalWidth), h = std::min(filledHeight, totalHeight);
    if (w <= 0 || h <= 0) return;
    bool down = h < totalHeight;
    while (w < totalWidth || h < totalHeight) {
        if (down && h < totalHeight) {
            const int added = std::min(h, totalHeight - h);
            BitBlt(dc, x, y + h, w, added, dc, x, y, rop);
            h += added;
        } else if (w < totalWidth) {
            const int added = std::min(w, totalWidth - w);
            BitBlt(dc, x + w, y, added, h, dc, x, y, rop);
            w += added;
        }
        down = !down;
    }
}

void MirrorQuadrantBlit(HDC dc, int x, int y, int width, int height, DWORD rop) {
    const int hw = width >> 1, hh = height >> 1;
    // A mirrored copy at (x + n - 1) with extent -n covers the n pixels up to
    // and including x + n - 1. The quarter keeps the centre column of an odd
    // width; for an even width the extra column is covered again below.
    StretchBlt(dc, x, y + height - 1, hw + 1, -hh, dc, x, y, hw + 1, hh, rop);
    StretchBlt(dc, x + width - 1, y, -hw, height, dc, x, y, hw, height, rop);
}
