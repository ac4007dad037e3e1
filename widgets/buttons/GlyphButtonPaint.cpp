// GlyphButtonPaint.cpp - the glyph button's layout and painting: where the
// glyph cell lies, the glyph composed over the cached background, the
// caption beside it (one buffered paint), and the size that fits the
// caption.
#include <classlib/Forms.h>
#include <classlib/Handles.h>
#include <widgets/buttons/GlyphButton.h>
#include <widgets/common/Frames.h>
#include <widgets/common/KitDraw.h>

#include <algorithm>

namespace {

constexpr UINT CaptionFlags = DT_EXPANDTABS | DT_WORDBREAK;
// The gap between the glyph cell and the caption.
constexpr int GlyphGap = 4;

// Copies bitmap onto canvas at dest with every pixel of colour replaced by
// fill; the canvas's brush is as it was after.
void BrushCopyWith(TCanvas* canvas, const TRect& dest, TBitmap* bitmap, TColor colour,
                   TColor fill) {
    TBrush* brush = canvas->Brush();
    const TColor oldColour = brush->Color();
    const TBrushStyle oldStyle = brush->Style();
    brush->SetColor(fill);
    brush->SetStyle(bsSolid);
    canvas->BrushCopy(dest, bitmap, Rect(0, 0, bitmap->Width(), bitmap->Height()), colour);
    brush->SetStyle(oldStyle);
    brush->SetColor(oldColour);
}

}  // namespace

bool TKitCustomGlyphButton::GlyphOnRight() const {
    return UseRightToLeftAlignment() == (FAlignment == taRightJustify);
}

TRect TKitCustomGlyphButton::GlyphRect() const {
    const int x = GlyphOnRight() ? Width() - FGlyphCellWidth : 0;
    int y = 2;
    if (AlignmentVertical() == avCenter) y = (Height() - FGlyphCellHeight) / 2;
    if (AlignmentVertical() == avBottom) y = Height() - FGlyphCellHeight - 2;
    return Bounds(x, y, FGlyphCellWidth, FGlyphCellHeight);
}

TRect TKitCustomGlyphButton::TextRect() const {
    TRect text = ClientRect();
    InflateRect(&text, -1, -1);
    if (GlyphOnRight())
        text.right -= FGlyphCellWidth + GlyphGap;
    else
        text.left += FGlyphCellWidth + GlyphGap;
    return text;
}

// One cell bitmap: the glyph is built in it and composed over what lies
// behind it, on the cell bitmap or on the canvas itself.
void TKitCustomGlyphButton::DrawGlyph(TCanvas* canvas) {
    if (!canvas) canvas = Canvas();
    const TRect cell = GlyphRect();
    const TRect whole = Rect(0, 0, FGlyphCellWidth, FGlyphCellHeight);
    TBitmap glyph;
    glyph.SetSize(FGlyphCellWidth, FGlyphCellHeight);
    if (Transparent() && UsingThemes()) {
        // The themed part draws its own edges over what lies behind it.
        glyph.Canvas()->CopyRect(whole, canvas, cell);
        BuildGlyph(&glyph);
        return PlaceGlyph(canvas, cell, &glyph);
    }
    BuildGlyph(&glyph);
    if (!Transparent()) {
        BrushCopyWith(glyph.Canvas(), whole, &glyph, FTransparentColor, Color());
        return PlaceGlyph(canvas, cell, &glyph);
    }
    DrawBitmapTransparent(canvas, &glyph, cell, whole, FTransparentColor);
    if (!FUseCustomGlyphs) return FinishTransparentGlyph(canvas, cell);
    // Custom glyphs then have their mask colour replaced in the composed cell.
    glyph.Canvas()->CopyRect(whole, canvas, cell);
    PlaceGlyph(canvas, cell, &glyph);
}

void TKitCustomGlyphButton::PlaceGlyph(TCanvas* canvas, const TRect& cell, TBitmap* glyph) {
    if (FUseCustomGlyphs) return BrushCopyWith(canvas, cell, glyph, FWinMaskColor, clWindow);
    canvas->Draw(cell.left, cell.top, glyph);
}

void TKitCustomGlyphButton::CaptureBackground() {
    FBackgroundCache->SetSize(Width(), Height());
    const TRect all = Rect(0, 0, Width(), Height());
    if (Transparent()) {
        // The erase step has just covered the control with its parent's image.
        FBackgroundCache->Canvas()->CopyRect(all, Canvas(), all);
    } else {
        FBackgroundCache->Canvas()->Brush()->SetColor(Color());
        FBackgroundCache->Canvas()->FillRect(all);
    }
    FBackgroundStale = false;
}

void TKitCustomGlyphButton::Paint() {
    if (ComponentState().Contains(csDestroying) || Width() <= 0 || Height() <= 0) return;
    if (FBackgroundStale) CaptureBackground();
    const TRect all = Rect(0, 0, Width(), Height());
    TBufferedPaint buffer(Canvas(), all);
    TCanvas* canvas = buffer.Canvas();
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetColor(Color());
    canvas->CopyRect(all, FBackgroundCache->Canvas(), all);
    DrawGlyph(canvas);
    TRect text = TextRect();
    DrawCaption(canvas, text, CaptionFlags | (UseRightToLeftAlignment() ? DT_RIGHT : 0));
    InflateRect(&text, 1, 1);
    if (Focused() && !Caption().empty()) DrawDottedFocusFrame(canvas, text);
}

void TKitCustomGlyphButton::PaintNow() {
    if (HandleAllocated()) Paint();
}

void TKitCustomGlyphButton::PaintTransparentBackground(HDC dc) {
    if (!Transparent() || !Parent()) return;
    // A parent that paints through the class library repaints its own face;
    // any other is asked to, so that what it shows stays in step.
    const bool invalidateParent =
        !dynamic_cast<TCustomControl*>(Parent()) && !dynamic_cast<TCustomForm*>(Parent());
    CopyParentImage(Parent()->Handle(), Point(Left(), Top()), dc, invalidateParent);
}

void TKitCustomGlyphButton::AdjustToCaption() {
    if (!HandleAllocated() || ComponentState().Contains(csLoading) || !AutoSize()) return;
    TRect text = ClientRect();
    InflateRect(&text, -1, -1);
    text.right = std::max(text.right - (FGlyphCellWidth + GlyphGap), text.left + 2);
    {
        TClientDC screen;
        TCanvas measure;
        measure.SetHandle(screen.Get());
        measure.Font()->Assign(Font());
        CanvasDrawText(&measure, Caption(), text, DT_CALCRECT | CaptionFlags);
        measure.SetHandle(nullptr);
    }
    const int width = text.right - text.left + FGlyphCellWidth + 6;
    const int height = std::max<int>(FGlyphCellHeight + 2, text.bottom - text.top + 2);
    const int left = GlyphOnRight() ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, height);
}
