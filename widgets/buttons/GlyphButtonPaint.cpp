// GlyphButtonPaint.cpp - the glyph button's layout and painting: where the
// glyph cell lies, the glyph composed over the cached background, the
// caption beside it, and the size that fits the caption.
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

std::unique_ptr<TBitmap> CellBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    return bitmap;
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

void TKitCustomGlyphButton::DrawGlyph(TCanvas* canvas) {
    if (!canvas) canvas = Canvas();
    const TRect cell = GlyphRect();
    const int w = FGlyphCellWidth;
    const int h = FGlyphCellHeight;
    const TRect whole = Rect(0, 0, w, h);
    const bool themed = UsingThemes();
    auto glyph = CellBitmap(w, h);
    auto composed = CellBitmap(w, h);
    if (Transparent() && themed) {
        // The themed part draws its own edges over what lies behind it.
        glyph->Canvas()->SetCopyMode(SRCCOPY);
        glyph->Canvas()->CopyRect(whole, canvas, cell);
        BuildGlyph(glyph.get());
        composed->Assign(glyph.get());
    } else if (Transparent()) {
        composed->Canvas()->CopyRect(whole, canvas, cell);
        BuildGlyph(glyph.get());
        DrawBitmapTransparent(composed->Canvas(), glyph.get(), whole, whole, FTransparentColor);
    } else {
        BuildGlyph(glyph.get());
        composed->Canvas()->Brush()->SetColor(Color());
        composed->Canvas()->BrushCopy(whole, glyph.get(), whole, FTransparentColor);
    }
    auto final = CellBitmap(w, h);
    if (FUseCustomGlyphs) {
        final->Canvas()->Brush()->SetColor(clWindow);
        final->Canvas()->BrushCopy(whole, composed.get(), whole, FWinMaskColor);
    } else {
        final->Assign(composed.get());
        if (Transparent() && !themed) FinishTransparentGlyph(final.get());
    }
    canvas->Draw(cell.left, cell.top, final.get());
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
    TBitmap picture;
    picture.SetSize(Width(), Height());
    TCanvas* canvas = picture.Canvas();
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetColor(Color());
    if (FBackgroundStale) CaptureBackground();
    const TRect all = Rect(0, 0, Width(), Height());
    canvas->CopyRect(all, FBackgroundCache->Canvas(), all);
    DrawGlyph(canvas);
    TRect text = TextRect();
    DrawCaption(canvas, text, CaptionFlags | (UseRightToLeftAlignment() ? DT_RIGHT : 0));
    InflateRect(&text, 1, 1);
    if (Focused() && !Caption().empty()) DrawDottedFocusFrame(canvas, text);
    Canvas()->SetCopyMode(SRCCOPY);
    Canvas()->Draw(0, 0, &picture);
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
