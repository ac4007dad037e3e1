// KitGdi.h - small GDI helpers shared by the kit's drawing routines.
//
//   PlainRgb         a colour as a bare COLORREF (system colours resolved)
//   ShrinkRect       a rectangle moved in on every side
//   CanvasChanged    tells a canvas's owner that its DC was drawn on directly
//   FillSolid        a rectangle in one colour, with a brush made for the call
//
// Off-screen bitmaps are the class library's TMemoryBitmap, TScratchBitmap for
// one drawing (lent from the thread's spares) and, for a buffered paint,
// TBufferedPaint.
#pragma once

#include <classlib/Graphics.h>
#include <classlib/Handles.h>

inline COLORREF PlainRgb(TColor color) { return ColorToRGB(color) & 0xFFFFFF; }

inline TRect ShrinkRect(const TRect& rect, int amount) {
    return Rect(rect.left + amount, rect.top + amount, rect.right - amount, rect.bottom - amount);
}

// Drawing through canvas->Handle() bypasses the canvas; its owner (a bitmap
// keeping a mask of its pixels) hears of the change this way.
inline void CanvasChanged(TCanvas* canvas) {
    if (canvas->OnChange) canvas->OnChange(canvas);
}

// Nothing for an empty rectangle.
void FillSolid(HDC dc, const TRect& rect, COLORREF color);
