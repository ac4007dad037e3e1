// KitFixture.h - a bitmap to paint the kit's routines on and read back, and
// the one reader of painted pixels the widget tests share.
#pragma once

#include <classlib/Pictures.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "GraphicsFixture.h"

// A colour none of the painters uses, so that untouched pixels stand out.
constexpr TColor Untouched = 0x00123456;

// The bitmap's pixel as a plain RGB value.
inline COLORREF PixelAt(TBitmap* bitmap, int x, int y) {
    return GetPixel(bitmap->Canvas()->Handle(), x, y) & 0xFFFFFF;
}

// The rows and columns holding pixels of colour (with ink: of any other
// colour); right -1 when there are none.
inline TRect Extent(TBitmap* bitmap, COLORREF colour, bool ink = false) {
    TRect extent{bitmap->Width(), bitmap->Height(), -1, -1};
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x) {
            if ((PixelAt(bitmap, x, y) == colour) == ink) continue;
            extent.left = std::min<LONG>(extent.left, x);
            extent.top = std::min<LONG>(extent.top, y);
            extent.right = std::max<LONG>(extent.right, x + 1);
            extent.bottom = std::max<LONG>(extent.bottom, y + 1);
        }
    return extent;
}

class TPaintTarget {
public:
    TPaintTarget(int width, int height, TColor background = Untouched)
        : FBitmap(FilledBitmap(width, height, background)) {}

    TCanvas* Canvas() { return FBitmap->Canvas(); }
    TBitmap* Bitmap() { return FBitmap.get(); }
    int Width() const { return FBitmap->Width(); }
    int Height() const { return FBitmap->Height(); }
    COLORREF At(int x, int y) { return PixelAt(FBitmap.get(), x, y); }
    // The pixels of a row or a column.
    std::vector<COLORREF> Row(int y) {
        std::vector<COLORREF> pixels;
        for (int x = 0; x < Width(); ++x) pixels.push_back(At(x, y));
        return pixels;
    }
    std::vector<COLORREF> Column(int x) {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < Height(); ++y) pixels.push_back(At(x, y));
        return pixels;
    }
    int Count(COLORREF color) {
        int count = 0;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) count += At(x, y) == color;
        return count;
    }

private:
    std::unique_ptr<TBitmap> FBitmap;
};

// Rectangles compared and printed by the tests (the platform's RECT, found
// by its global namespace).
inline bool operator==(const TRect& a, const TRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const TRect& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline COLORREF Rgb(TColor color) { return ColorToRGB(color); }

// The size of text in font on the screen, as a control measures its caption.
inline TSize TextSizeIn(const TFont* font, const std::string& text) {
    TClientDC screen;
    TCanvas measure;
    measure.SetHandle(screen.Get());
    measure.SetFont(font);
    const TSize size = measure.TextExtent(text);
    measure.SetHandle(nullptr);
    return size;
}

// Every channel of a within tolerance of b's.
inline bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A run of equal neighbours: where it starts, how long, and its colour.
struct TRun {
    int start;
    int length;
    COLORREF color;
};

inline std::vector<TRun> Runs(const std::vector<COLORREF>& pixels) {
    std::vector<TRun> runs;
    for (int i = 0; i < static_cast<int>(pixels.size()); ++i) {
        if (runs.empty() || runs.back().color != pixels[i])
            runs.push_back({i, 1, pixels[i]});
        else
            ++runs.back().length;
    }
    return runs;
}

// A thousand rounds of paint leave the process's GDI objects as they were
// (counted after two rounds, which may make what is kept for later).
inline void ExpectNoLeak(const char* what, const std::function<void(int round)>& paint) {
    paint(0);
    paint(1);
    const size_t before = GdiObjectCount();
    ASSERT_GT(before, 0u);
    for (int round = 0; round < 1000; ++round) paint(round);
    EXPECT_EQ(GdiObjectCount(), before) << what;
}
