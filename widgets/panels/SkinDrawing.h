// SkinDrawing.h - the drawing routines the image panels, the window skin and
// the picture buttons share: free functions that keep no state.
//
//   PaintParentBackground  what a control's parent shows at its place
//   TilePicture            a graphic repeated over a rectangle
//   RegionFromBitmap, SetWindowRegion, SetRegionFromBitmap
//                          a window cut to a bitmap's outline
#pragma once

#include <classlib/Controls.h>
#include <classlib/Handles.h>
#include <classlib/Pictures.h>

// Paints what the control's parent shows at the control's place into the
// canvas, as if the canvas were the control's own surface: the viewport moved
// by minus the control's position, clipped to the parent's client area, then
// WM_ERASEBKGND and WM_PAINT sent to the parent with the canvas's DC (and 0).
// The DC's state is restored after. Nothing without a parent.
void PaintParentBackground(TCanvas* canvas, TControl* control);
// The same for a place at offset in parent's client area (nothing for no parent).
void PaintParentBackground(TCanvas* canvas, TWinControl* parent, TPoint offset);

// Copies of the graphic at (0, 0), (w, 0), ... (0, h), ... while x is less
// than the rectangle's width and y less than its height; tiles crossing the
// canvas's edge are clipped by it. Nothing for no graphic or one of zero size.
void TilePicture(TCanvas* canvas, TGraphic* graphic, const TRect& rect);

// Gives the window a region made of the bitmap's pixels whose colour is not
// transparentColor (compared as 0x00BBGGRR; a system colour matches no pixel),
// one rectangle per run of such pixels in each row (the same runs in rows that
// follow each other make one rectangle), and redraws it. The window
// owns the region from then on. A bitmap that is all transparentColor (or
// empty) gives an empty region: the window stays but shows nothing. Returns
// whether the window took the region.
bool SetRegionFromBitmap(HWND window, TBitmap* bitmap, TColor transparentColor);
// The region SetRegionFromBitmap gives the window, made without one.
TGdiObject<HRGN> RegionFromBitmap(TBitmap* bitmap, TColor transparentColor);
// Gives the window the region (which it owns from then on: region is left
// empty) and redraws it; false when the window did not take it.
bool SetWindowRegion(HWND window, TGdiObject<HRGN>& region);
