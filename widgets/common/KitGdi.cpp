// KitGdi.cpp - solid fills and off-screen bitmaps for the kit's painters.
#include "KitGdi.h"

void FillSolid(HDC dc, const TRect& rect, COLORREF color) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    TGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush.Get());
}

TMemoryBitmap::TMemoryBitmap(HDC reference, int width, int height)
    : FDC(CreateCompatibleDC(reference)) {
    if (!FDC || width <= 0 || height <= 0) return;
    FBitmap.Reset(CreateCompatibleBitmap(reference, width, height));
    if (FBitmap) FPrevious = SelectObject(FDC.Get(), FBitmap.Get());
}

TMemoryBitmap::~TMemoryBitmap() {
    if (FPrevious) SelectObject(FDC.Get(), FPrevious);
}
