// GraphicsObjects.cpp - pens, brushes and fonts and their GDI objects.
#include <classlib/Graphics.h>

#include <algorithm>

#include "GdiCheck.h"

namespace {

// The platform value of an enumeration value; a value cast from a number
// outside the enumeration takes the first entry.
template <class T, size_t N>
T PlatformValue(const T (&table)[N], int index) {
    return index >= 0 && static_cast<size_t>(index) < N ? table[index] : table[0];
}

}  // namespace

HGDIOBJ TGraphicsObject::GdiHandle() {
    if (!FHandle) FHandle.Reset(CheckGdi(CreateGdiObject()));
    return FHandle.Get();
}

void TGraphicsObject::Changed() {
    if (FHandle && FReleasing) FReleasing();
    FHandle.Reset();
    if (OnChange) OnChange(this);
}

void TPen::Assign(const TPersistent* source) {
    auto pen = dynamic_cast<const TPen*>(source);
    if (!pen) return TGraphicsObject::Assign(source);
    // As the setters: the same values change nothing, and the pen keeps its handle.
    if (FColor == pen->FColor && FWidth == pen->FWidth && FStyle == pen->FStyle &&
        FMode == pen->FMode)
        return;
    FColor = pen->FColor;
    FWidth = pen->FWidth;
    FStyle = pen->FStyle;
    FMode = pen->FMode;
    Changed();
}

HGDIOBJ TPen::CreateGdiObject() const {
    static const int styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                 PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    return CreatePen(PlatformValue(styles, FStyle), std::max(FWidth, 0), ColorToRGB(FColor));
}

void TBrush::Assign(const TPersistent* source) {
    auto brush = dynamic_cast<const TBrush*>(source);
    if (!brush) return TGraphicsObject::Assign(source);
    if (FColor == brush->FColor && FStyle == brush->FStyle) return;
    FColor = brush->FColor;
    FStyle = brush->FStyle;
    Changed();
}

HGDIOBJ TBrush::CreateGdiObject() const {
    static const int hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                  HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
    if (FStyle == bsClear) return GetStockObject(NULL_BRUSH);
    if (FStyle < bsHorizontal || FStyle > bsDiagCross) return CreateSolidBrush(ColorToRGB(FColor));
    return CreateHatchBrush(hatches[FStyle - bsHorizontal], ColorToRGB(FColor));
}

TFont::TFont() : FPixelsPerInch(ScreenPixelsPerInch()) { FHeight = -MulDiv(8, FPixelsPerInch, 72); }

void TFont::Assign(const TPersistent* source) {
    auto font = dynamic_cast<const TFont*>(source);
    if (!font) return TGraphicsObject::Assign(source);
    // A canvas given its control's font for every paint keeps the font it made.
    if (FCharset == font->FCharset && FColor == font->FColor && FHeight == font->FHeight &&
        FName == font->FName && FPitch == font->FPitch && FStyle == font->FStyle)
        return;
    FCharset = font->FCharset;
    FColor = font->FColor;
    FHeight = font->FHeight;
    FName = font->FName;
    FPitch = font->FPitch;
    FStyle = font->FStyle;
    Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, FPixelsPerInch, 72)); }

HGDIOBJ TFont::CreateGdiObject() const {
    static const BYTE pitches[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
    LOGFONTA data{};
    data.lfHeight = FHeight;
    data.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    data.lfItalic = FStyle.Contains(fsItalic);
    data.lfUnderline = FStyle.Contains(fsUnderline);
    data.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    data.lfCharSet = FCharset;
    data.lfOutPrecision = OUT_DEFAULT_PRECIS;
    data.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    data.lfQuality = DEFAULT_QUALITY;
    data.lfPitchAndFamily = PlatformValue(pitches, FPitch);
    // A longer name is cut to the field, never past it.
    FName.copy(data.lfFaceName, sizeof data.lfFaceName - 1);
    return CreateFontIndirectA(&data);
}
