// CheckBoxGlyph.cpp - the check box's glyph, drawn the first of four ways
// that applies: custom glyphs, the platform's themed part, the kit's
// hot-track square, the classic frame control.
#include <classlib/Themes.h>
#include <vssym32.h>
#include <widgets/buttons/CheckBox.h>
#include <widgets/common/KitColors.h>
#include <widgets/common/KitDraw.h>
#include <widgets/common/KitGdi.h>

namespace {

// Custom glyph cells: a row of three (unchecked, checked, grayed) per look.
enum TGlyphCellRow { rowNormal = 0, rowPressed = 3, rowDisabled = 6, rowHot = 9 };

// Themed states: four per check state, normal, hot, pressed, disabled.
int ThemedState(TCheckBoxState state, int look) { return CBS_UNCHECKEDNORMAL + state * 4 + look; }
constexpr int LookHot = CBS_UNCHECKEDHOT - CBS_UNCHECKEDNORMAL;
constexpr int LookPressed = CBS_UNCHECKEDPRESSED - CBS_UNCHECKEDNORMAL;
constexpr int LookDisabled = CBS_UNCHECKEDDISABLED - CBS_UNCHECKEDNORMAL;

}  // namespace

void TKitCustomCheckBox::BuildGlyph(TBitmap* bitmap) {
    if (UseCustomGlyphs()) return BuildCustomGlyph(bitmap);
    if (UsingThemes()) return BuildThemedGlyph(bitmap);
    if (HotTrack()) return BuildHotTrackGlyph(bitmap);
    BuildClassicGlyph(bitmap);
}

void TKitCustomCheckBox::BuildCustomGlyph(TBitmap* bitmap) {
    TImageList* list = CustomGlyphImages();
    // A list with a fourth row of images has hot glyphs; grayed shows its hot
    // glyph without HotTrack too.
    const bool hotImages = list && list->Count() > 9 && MouseOver();
    const bool hot = hotImages && (HotTrack() || FState == cbGrayed);
    TGlyphCellRow row = rowNormal;
    if (!Enabled())
        row = rowDisabled;
    else if (ShowPressed())
        row = rowPressed;
    else if (hot)
        row = rowHot;
    const int index = static_cast<int>(row) + static_cast<int>(FState);
    TBitmap work;
    if (list) {
        work.SetSize(GlyphCellWidth(), GlyphCellHeight());
        work.Canvas()->Brush()->SetColor(TransparentColor());
        work.Canvas()->FillRect(Rect(0, 0, GlyphCellWidth(), GlyphCellHeight()));
        list->Draw(work.Canvas(), 0, 0, index, true);
    } else {
        CopyGlyphCell(index, &work, CustomGlyphs(), GlyphCellWidth(), GlyphCellHeight());
    }
    bitmap->Assign(&work);
}

void TKitCustomCheckBox::BuildThemedGlyph(TBitmap* bitmap) {
    TCanvas* canvas = bitmap->Canvas();
    const TRect cell = Rect(0, 0, GlyphCellWidth(), GlyphCellHeight());
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(cell);
    int look = 0;
    if (!Enabled())
        look = LookDisabled;
    else if (ShowPressed())
        look = LookPressed;
    else if (MouseOver())
        look = LookHot;
    TThemeData theme(Handle(), L"BUTTON");
    if (!theme) return;
    theme.DrawBackground(canvas->Handle(), BP_CHECKBOX, ThemedState(FState, look), cell);
    CanvasChanged(canvas);
}

void TKitCustomCheckBox::BuildHotTrackGlyph(TBitmap* bitmap) {
    TColor first = HotTrackColor();
    TColor second = MixColors(clWhite, HotTrackColor(), 190);
    if (HotTrackColorType() == htctComplement) {
        second = OppositeHueColor(HotTrackColor(), 180);
        first = DarkenColor(second, 30);
    }
    TCheckBoxGlyph glyph;
    glyph.State = FState;
    glyph.DrawState = !Enabled()      ? gdsDisabled
                      : ShowPressed() ? gdsPressed
                      : MouseOver()   ? gdsHot
                                      : gdsNormal;
    glyph.Focused = Focused();
    glyph.HotTrackStyle = HotTrackStyle();
    glyph.FrameColor = FrameColor();
    glyph.MarkColor = HighlightColor();
    glyph.FillColor = FillColor();
    glyph.FocusColor = FocusColor();
    glyph.DisabledColor = DisabledColor();
    glyph.HotColorStart = second;
    glyph.HotColorStop = first;
    glyph.ReadOnly = ReadOnly();
    glyph.ReadOnlyColorOnFocus = ReadOnlyColorOnFocus();
    glyph.ReadOnlyColor = ReadOnlyColor();
    PaintCheckBoxGlyph(bitmap->Canvas(), Rect(0, 0, GlyphCellWidth(), GlyphCellHeight()), glyph);
}

void TKitCustomCheckBox::BuildClassicGlyph(TBitmap* bitmap) {
    UINT flags = DFCS_BUTTONCHECK;
    if (FState == cbChecked) flags |= DFCS_CHECKED;
    if (FState == cbGrayed) flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (ShowPressed()) flags |= DFCS_PUSHED;
    if (!Enabled()) flags |= DFCS_INACTIVE;
    TRect cell = Rect(0, 0, GlyphCellWidth(), GlyphCellHeight());
    DrawFrameControl(bitmap->Canvas()->Handle(), &cell, DFC_BUTTON, flags);
    CanvasChanged(bitmap->Canvas());
}
