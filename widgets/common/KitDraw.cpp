// KitDraw.cpp - the check-box square, the highlight ring, transparent and
// flipped bitmaps, the parent's image and text.
#include "KitDraw.h"

#include <cstring>

#include "Frames.h"
#include "Gradients.h"
#include "KitColors.h"
#include "KitGdi.h"

namespace {

// The tick of the 13 x 13 check glyph, three pixels thick, from the square's
// top-left corner.
constexpr POINT TickPixels[] = {{3, 5}, {3, 6}, {3, 7}, {4, 6}, {4, 7}, {4, 8}, {5, 7},
                                {5, 8}, {5, 9}, {6, 6}, {6, 7}, {6, 8}, {7, 5}, {7, 6},
                                {7, 7}, {8, 4}, {8, 5}, {8, 6}, {9, 3}, {9, 4}, {9, 5}};

TColor InteriorColor(const TCheckBoxGlyph& glyph) {
    switch (glyph.DrawState) {
        case gdsPressed:
            return DarkenColor(glyph.FocusColor, 20);
        case gdsDisabled:
            return glyph.DisabledColor;
        default:
            if (glyph.Focused)
                return glyph.ReadOnly && glyph.ReadOnlyColorOnFocus ? glyph.ReadOnlyColor
                                                                    : glyph.FocusColor;
            return glyph.ReadOnly ? glyph.ReadOnlyColor : glyph.FillColor;
    }
}

// The DC's clipping region (or its lack), put back at the end of a scope.
class TSavedClip {
public:
    explicit TSavedClip(HDC dc) : FDC(dc), FRegion(CreateRectRgn(0, 0, 0, 0)) {
        FHadRegion = FRegion && GetClipRgn(dc, FRegion.Get()) == 1;
    }
    ~TSavedClip() { SelectClipRgn(FDC, FHadRegion ? FRegion.Get() : nullptr); }
    TSavedClip(const TSavedClip&) = delete;
    TSavedClip& operator=(const TSavedClip&) = delete;

private:
    HDC FDC;
    TGdiObject<HRGN> FRegion;
    bool FHadRegion = false;
};

int Width(const TRect& rect) { return rect.right - rect.left; }
int Height(const TRect& rect) { return rect.bottom - rect.top; }

}  // namespace

void PaintCheckBoxGlyph(TCanvas* canvas, const TRect& rect, const TCheckBoxGlyph& glyph) {
    const bool hot = glyph.DrawState == gdsHot;
    const TRect inside = DrawBoxOutline(
        canvas, rect,
        hot && glyph.HotTrackStyle == htsFrame ? glyph.HotColorStop : glyph.FrameColor);
    const TColor mark = glyph.DrawState == gdsDisabled ? clBtnShadow : glyph.MarkColor;
    canvas->Brush()->SetColor(InteriorColor(glyph));
    canvas->FillRect(inside);
    if (glyph.State == cbChecked) {
        for (POINT pixel : TickPixels)
            canvas->SetPixels(rect.left + pixel.x, rect.top + pixel.y, mark);
    } else if (glyph.State == cbGrayed) {
        canvas->Brush()->SetColor(mark);
        canvas->FillRect(ShrinkRect(inside, 2));
    }
    if (!hot) return;
    if (glyph.HotTrackStyle == htsInterior)
        PaintHighlightRing(canvas, inside, gdDiagonalDown, glyph.HotColorStart, glyph.HotColorStop);
    else
        DrawBoxOutline(canvas, inside, glyph.HotColorStop);
}

void PaintHighlightRing(TCanvas* canvas, const TRect& rect, TGradientDirection direction,
                        TColor startColor, TColor stopColor) {
    if (!FullColorDisplay()) return;
    HDC dc = canvas->Handle();
    TSavedClip savedClip(dc);
    const TRect inner = ShrinkRect(rect, 2);
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    DrawGradient(canvas, rect, direction, startColor, stopColor, 1);
}

void DrawBitmapTransparent(TCanvas* canvas, TBitmap* bitmap, const TRect& destRect,
                           const TRect& sourceRect, TColor transparentColor) {
    const int w = Width(destRect), h = Height(destRect);
    if (!bitmap || bitmap->Empty() || w <= 0 || h <= 0) return;
    HDC target = canvas->Handle();
    TMemoryBitmap image(target, w, h);
    TOwnedDC maskDC(CreateCompatibleDC(target));
    TGdiObject<HBITMAP> mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!image.Valid() || !maskDC || !mask) return;
    SetStretchBltMode(image.DC(), COLORONCOLOR);
    StretchBlt(image.DC(), 0, 0, w, h, bitmap->Canvas()->Handle(), sourceRect.left, sourceRect.top,
               Width(sourceRect), Height(sourceRect), SRCCOPY);
    // The mask is white where the image shows the transparent colour.
    TSelectObject maskSelected(maskDC.Get(), mask.Get());
    SetBkColor(image.DC(), PlainRgb(transparentColor));
    BitBlt(maskDC.Get(), 0, 0, w, h, image.DC(), 0, 0, SRCCOPY);
    TransparentStretchBlt(target, destRect, image.DC(), Rect(0, 0, w, h), maskDC.Get());
    CanvasChanged(canvas);
}

void FlipBitmapVertically(TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty() || bitmap->Height() < 2) return;
    const int height = bitmap->Height();
    TBitmap flipped;
    flipped.SetPixelFormat(bitmap->PixelFormat());
    flipped.SetSize(bitmap->Width(), height);
    // Assign takes the transparency settings too: keep the bitmap's own.
    flipped.SetTransparent(bitmap->Transparent());
    if (bitmap->TransparentMode() == tmFixed)
        flipped.SetTransparentColor(bitmap->TransparentColor());
    // Rows lie bottom-up, so the distance from row 1 to row 0 is one row's bytes.
    const size_t rowBytes = static_cast<size_t>(bitmap->ScanLine(0) - bitmap->ScanLine(1));
    for (int y = 0; y < height; ++y)
        std::memcpy(flipped.ScanLine(height - 1 - y), bitmap->ScanLine(y), rowBytes);
    bitmap->Assign(&flipped);
}

void CopyParentImage(HWND parent, TPoint controlOrigin, HDC dc, bool invalidateParent) {
    if (!parent || !IsWindow(parent)) return;
    RECT client{};
    GetClientRect(parent, &client);
    {
        TSavedDC saved(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x - controlOrigin.x, origin.y - controlOrigin.y, nullptr);
        IntersectClipRect(dc, 0, 0, client.right, client.bottom);
        SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
    if (invalidateParent) InvalidateRect(parent, nullptr, TRUE);
}

int CanvasDrawText(TCanvas* canvas, std::string_view text, TRect& rect, UINT flags) {
    HDC dc = canvas->Handle();
    TSelectObject font(dc, canvas->Font()->Handle());
    SetTextColor(dc, PlainRgb(canvas->Font()->Color()));
    SetBkColor(dc, PlainRgb(canvas->Brush()->Color()));
    SetBkMode(dc, canvas->Brush()->Style() == bsSolid ? OPAQUE : TRANSPARENT);
    const int height = DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, flags);
    CanvasChanged(canvas);
    return height;
}
