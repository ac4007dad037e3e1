// FaceFixture.h - reading a control's painted face: one pixel, and where a
// colour lies.
#pragma once

#include <classlib/Pictures.h>

#include <algorithm>

inline COLORREF At(TBitmap* bitmap, int x, int y) {
    return ColorToRGB(bitmap->Canvas()->Pixels(x, y));
}

// The rows and columns holding pixels of colour (with ink: of any other
// colour); right -1 when there are none.
inline TRect Extent(TBitmap* bitmap, COLORREF colour, bool ink = false) {
    TRect extent{bitmap->Width(), bitmap->Height(), -1, -1};
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x) {
            if ((At(bitmap, x, y) == colour) == ink) continue;
            extent.left = std::min<LONG>(extent.left, x);
            extent.top = std::min<LONG>(extent.top, y);
            extent.right = std::max<LONG>(extent.right, x + 1);
            extent.bottom = std::max<LONG>(extent.bottom, y + 1);
        }
    return extent;
}
