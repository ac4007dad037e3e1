// KitGdi.cpp - solid fills for the kit's painters.
#include "KitGdi.h"

void FillSolid(HDC dc, const TRect& rect, COLORREF color) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    TGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush.Get());
}
