// TBSkinerBlocks.cpp - the skin keys of each control class, read and applied
// in a fixed order. A key is class prefix + control name + suffix.
#include <app/TBSkiner.h>
#include <app/globals.h>
#include <classlib/ComCtrls.h>
#include <classlib/ExtCtrls.h>
#include <classlib/StdCtrls.h>
#include <classlib/SysUtils.h>
#include <widgets/buttons/CheckBox.h>
#include <widgets/pages/PageControlEx.h>
#include <widgets/panels/ImagePanel.h>
#include <widgets/panels/WindowSkin.h>
#include <widgets/picbuttons/PicButton.h>
#include <widgets/progress/ProgressBar.h>
#include <widgets/tree/VirtualTrees.h>

namespace {

// The keys of one control: its class prefix and name, read from the
// applier's section.
class TControlKeys {
public:
    TControlKeys(const TBSkinerDLL& skiner, const char* prefix, const TControl& control)
        : FSkiner(skiner), FBase(prefix + control.Name()) {}

    std::string Text(const char* suffix, const std::string& def) const {
        return FSkiner.ReadSkinString(FSkiner.SkinSection(), FBase + suffix, def);
    }
    int32_t Integer(const char* suffix, int32_t def) const {
        return FSkiner.ReadSkinInteger(FSkiner.SkinSection(), FBase + suffix, def);
    }
    bool Bool(const char* suffix, bool def) const {
        return FSkiner.ReadSkinBool(FSkiner.SkinSection(), FBase + suffix, def);
    }
    // An identifier or an integer; any other text raises EConvertError.
    TColor Colour(const char* suffix, const std::string& def) const {
        return StringToColor(Text(suffix, def));
    }
    // The key's file in the skin folder, or empty when no such file exists
    // (an absent or empty key names the folder itself).
    std::string PictureFile(const char* suffix) const {
        std::string path = AppSettings.SkinPath + Text(suffix, "");
        return FileExists(path) ? path : std::string();
    }
    void LoadPicture(const char* suffix, TPicture* picture) const {
        std::string path = PictureFile(suffix);
        if (!path.empty()) FSkiner.LoadPicture(path, picture);
    }

private:
    const TBSkinerDLL& FSkiner;
    std::string FBase;
};

// Character-set keys: a number (0 ANSI, 1 default, 2 symbol, 134 GB2312 ...);
// any other text, the default text "DEFAULT_CHARSET" among them, gives 1.
TFontCharset SkinCharset(const std::string& text) {
    int value = 0;
    return TryStrToInt(text, value) && value >= 0 && value <= 255
               ? static_cast<TFontCharset>(value)
               : static_cast<TFontCharset>(DEFAULT_CHARSET);
}

// Pitch keys: 0 default, 1 variable, 2 fixed; any other text, the default
// text "fpDefault" among them, gives the default pitch.
TFontPitch SkinPitch(const std::string& text) {
    int value = 0;
    return TryStrToInt(text, value) && value >= fpDefault && value <= fpFixed
               ? static_cast<TFontPitch>(value)
               : fpDefault;
}

// The seven keys of a font, each applied whether present or not. The size
// comes after the height and replaces it. With keepCurrent (the results
// tree) colour, height and size default to the font's current values, the
// size's read after the height was set, so a skin with a height alone keeps it.
void ApplyFontKeys(const TControlKeys& keys, const std::string& group, TFont* font,
                   bool keepCurrent) {
    auto suffix = [&group](const char* property) { return group + property; };
    font->SetCharset(SkinCharset(keys.Text(suffix("_CHARSET").c_str(), "DEFAULT_CHARSET")));
    font->SetColor(keys.Colour(suffix("_COLOR").c_str(),
                               keepCurrent ? ColorToString(font->Color()) : "clWindowText"));
    font->SetHeight(keys.Integer(suffix("_HEIGHT").c_str(), keepCurrent ? font->Height() : -11));
    font->SetName(keys.Text(suffix("_NAME").c_str(), "Tahoma"));
    font->SetPitch(SkinPitch(keys.Text(suffix("_PITCH").c_str(), "fpDefault")));
    font->SetSize(keys.Integer(suffix("_SIZE").c_str(), keepCurrent ? font->Size() : 8));
    font->SetStyle(ParseFontStyleLetters(keys.Text(suffix("_STYLE").c_str(), "")));
}

void ApplyFontGroup(const TControlKeys& keys, TControl& control) {
    ApplyFontKeys(keys, "_FONT", control.Font(), false);
}

// A bounds key is applied only when it holds a number other than 0.
void ApplyNonZero(const TControlKeys& keys, const char* suffix, int32_t def,
                  void (TControl::*setter)(int), TControl& control) {
    int32_t value = keys.Integer(suffix, def);
    if (value != 0) (control.*setter)(value);
}

void ApplyPlace(const TControlKeys& keys, TControl& control) {
    ApplyNonZero(keys, "_LEFT", 0, &TControl::SetLeft, control);
    ApplyNonZero(keys, "_TOP", 0, &TControl::SetTop, control);
}

// Width and height default to a picture's size, so a skin without them
// gives the control its picture's size.
void ApplySize(const TControlKeys& keys, TControl& control, int width, int height) {
    ApplyNonZero(keys, "_WIDTH", width, &TControl::SetWidth, control);
    ApplyNonZero(keys, "_HEIGHT", height, &TControl::SetHeight, control);
}

void ApplyBoundsGroup(const TControlKeys& keys, TControl& control) {
    ApplyPlace(keys, control);
    ApplySize(keys, control, 0, 0);
}

// Always applied: a skin without the keys enables and shows the control.
void ApplyStateGroup(const TControlKeys& keys, TControl& control) {
    control.SetEnabled(keys.Bool("_ENABLE", true));
    control.SetVisible(keys.Bool("_VISIBLE", true));
}

void ApplyCaption(const TControlKeys& keys, TControl& control) {
    std::string text = NormaliseSkinText(keys.Text("_TEXT", ""));
    if (!text.empty()) control.SetCaption(text);
}

void ApplyHint(const TControlKeys& keys, TControl& control) {
    std::string text = NormaliseSkinText(keys.Text("_HINT", ""));
    if (!text.empty()) control.SetHint(text);
}

void ApplyShowHint(const TControlKeys& keys, TControl& control) {
    control.SetShowHint(keys.Bool("_SHOWHINT", false));
}

void ApplyCursor(const TControlKeys& keys, TControl& control) {
    control.SetCursor(keys.Integer("_CURSOR", crDefault));
}

void ApplyColor(const TControlKeys& keys, TControl& control) {
    control.SetColor(keys.Colour("_COLOR", "clBtnFace"));
}

// The hint keys, as most classes read them first.
void ApplyHintKeys(const TControlKeys& keys, TControl& control) {
    ApplyHint(keys, control);
    ApplyShowHint(keys, control);
}

// Font, bounds and state: how most blocks end.
void ApplyLayoutKeys(const TControlKeys& keys, TControl& control) {
    ApplyFontGroup(keys, control);
    ApplyBoundsGroup(keys, control);
    ApplyStateGroup(keys, control);
}

void SkinPageControl(const TControlKeys& keys, TPageControlEx& pages) {
    ApplyLayoutKeys(keys, pages);
}

void SkinCheckBox(const TControlKeys& keys, TKitCheckBox& box) {
    ApplyCaption(keys, box);
    ApplyHintKeys(keys, box);
    ApplyColor(keys, box);
    ApplyCursor(keys, box);
    box.SetTransparent(keys.Bool("_TRANSPARENT", true));
    ApplyLayoutKeys(keys, box);
}

void SkinProgressBar(const TControlKeys& keys, TKitProgressBar& bar) {
    ApplyHintKeys(keys, bar);
    ApplyCursor(keys, bar);
    ApplyLayoutKeys(keys, bar);
}

void SkinListView(const TControlKeys& keys, TListView& list) {
    ApplyHintKeys(keys, list);
    ApplyColor(keys, list);
    ApplyCursor(keys, list);
    ApplyLayoutKeys(keys, list);
}

void SkinLabel(const TControlKeys& keys, TLabel& label) {
    ApplyCaption(keys, label);
    ApplyHintKeys(keys, label);
    label.SetAutoSize(keys.Bool("_AUTOSIZE", false));
    label.SetTransparent(keys.Bool("_TRANSPARENT", true));
    ApplyCursor(keys, label);
    ApplyLayoutKeys(keys, label);
}

// The glyph is loaded in place and the transparent colour set last: its
// setter cuts the form to the glyph, puts the control at (0, 0) and gives
// the form the glyph's size.
void SkinWindowSkin(const TControlKeys& keys, TWindowSkin& skin) {
    std::string glyph = keys.PictureFile("_BMP");
    if (!glyph.empty()) skin.Glyph()->LoadFromFile(glyph);
    skin.SetLeft(keys.Integer("_LEFT", 0));
    skin.SetTop(keys.Integer("_TOP", 0));
    ApplySize(keys, skin, skin.Glyph()->Width(), skin.Glyph()->Height());
    skin.SetTransparentColor(keys.Colour("_TRANSPARENTCOLOR", "clFuchsia"));
}

void SkinImage(const TControlKeys& keys, TImage& image) {
    ApplyHintKeys(keys, image);
    ApplyCursor(keys, image);
    image.SetAutoSize(keys.Bool("_AUTOSIZE", true));
    image.SetTransparent(keys.Bool("_TRANSPARENT", true));
    keys.LoadPicture("_BMP", image.Picture());
    ApplyPlace(keys, image);
    ApplySize(keys, image, image.Picture()->Width(), image.Picture()->Height());
    ApplyStateGroup(keys, image);
}

void SkinPicButton(const TControlKeys& keys, TPicButton& button) {
    ApplyCaption(keys, button);
    ApplyHintKeys(keys, button);
    ApplyFontGroup(keys, button);
    keys.LoadPicture("_NORMALBMP", button.PicNormal());
    keys.LoadPicture("_ONBMP", button.PicMouseHover());
    keys.LoadPicture("_DOWNBMP", button.PicMouseDown());
    keys.LoadPicture("_DISABLEDBMP", button.PicDisabled());
    ApplyPlace(keys, button);
    ApplySize(keys, button, button.PicNormal()->Width(), button.PicNormal()->Height());
    ApplyStateGroup(keys, button);
}

void SkinImagePanel(const TControlKeys& keys, TImagePanel& panel) {
    ApplyCaption(keys, panel);
    ApplyHintKeys(keys, panel);
    panel.SetAutoSize(keys.Bool("_AUTOSIZE", false));
    panel.SetTransparent(keys.Bool("_TRANSPARENT", false));
    ApplyCursor(keys, panel);
    ApplyColor(keys, panel);
    panel.SetBorderWidth(keys.Integer("_BORDERWIDTH", 0));
    ApplyFontGroup(keys, panel);
    keys.LoadPicture("_BMP", panel.Picture());
    ApplyPlace(keys, panel);
    ApplySize(keys, panel, panel.Picture()->Width(), panel.Picture()->Height());
    ApplyStateGroup(keys, panel);
}

// The tree's fifteen colours; each defaults to its current value, written
// as the colour's identifier or as "$" and eight hexadecimal digits.
struct TTreeColourKey {
    const char* Suffix;
    TColor (TVTColors::*Get)() const;
    void (TVTColors::*Set)(TColor);
};

const TTreeColourKey TreeColourKeys[] = {
    {"_COLORS_BORDERCOLOR", &TVTColors::BorderColor, &TVTColors::SetBorderColor},
    {"_COLORS_DISABLEDCOLOR", &TVTColors::DisabledColor, &TVTColors::SetDisabledColor},
    {"_COLORS_DROPMARKCOLOR", &TVTColors::DropMarkColor, &TVTColors::SetDropMarkColor},
    {"_COLORS_DROPTARGETCOLOR", &TVTColors::DropTargetColor, &TVTColors::SetDropTargetColor},
    {"_COLORS_DROPTARGETBORDERCOLOR", &TVTColors::DropTargetBorderColor,
     &TVTColors::SetDropTargetBorderColor},
    {"_COLORS_FOCUSEDSELECTIONCOLOR", &TVTColors::FocusedSelectionColor,
     &TVTColors::SetFocusedSelectionColor},
    {"_COLORS_FOCUSEDSELECTIONBORDERCOLOR", &TVTColors::FocusedSelectionBorderColor,
     &TVTColors::SetFocusedSelectionBorderColor},
    {"_COLORS_GRIDLINECOLOR", &TVTColors::GridLineColor, &TVTColors::SetGridLineColor},
    {"_COLORS_HEADERHOTCOLOR", &TVTColors::HeaderHotColor, &TVTColors::SetHeaderHotColor},
    {"_COLORS_HOTCOLOR", &TVTColors::HotColor, &TVTColors::SetHotColor},
    {"_COLORS_SELECTIONRECTANGLEBLENDCOLOR", &TVTColors::SelectionRectangleBlendColor,
     &TVTColors::SetSelectionRectangleBlendColor},
    {"_COLORS_SELECTIONRECTANGLEBORDERCOLOR", &TVTColors::SelectionRectangleBorderColor,
     &TVTColors::SetSelectionRectangleBorderColor},
    {"_COLORS_TREELINECOLOR", &TVTColors::TreeLineColor, &TVTColors::SetTreeLineColor},
    {"_COLORS_UNFOCUSEDSELECTIONCOLOR", &TVTColors::UnfocusedSelectionColor,
     &TVTColors::SetUnfocusedSelectionColor},
    {"_COLORS_UNFOCUSEDSELECTIONBORDERCOLOR", &TVTColors::UnfocusedSelectionBorderColor,
     &TVTColors::SetUnfocusedSelectionBorderColor},
};

TColor CurrentColour(const TControlKeys& keys, const char* suffix, TColor current) {
    return keys.Colour(suffix, ColorToString(current));
}

// Most of the tree's keys default to its current values, so an absent key
// keeps what the form gave it; the fonts still take the default name,
// character set, pitch and style, and ShowDescription defaults to on.
void SkinTree(const TControlKeys& keys, TVirtualStringTree& tree) {
    ApplyHintKeys(keys, tree);
    keys.LoadPicture("_BACKGROUNDBMP", tree.Background());
    tree.SetBackgroundOffsetX(keys.Integer("_BACKGROUNDOFFSETX", tree.BackgroundOffsetX()));
    tree.SetBackgroundOffsetY(keys.Integer("_BACKGROUNDOFFSETY", tree.BackgroundOffsetY()));
    tree.SetShowDescription(keys.Bool("_SHOWDESCRIPTION", true));
    ApplyCursor(keys, tree);
    tree.SetHotCursor(keys.Integer("_HOTCURSOR", crDefault));
    tree.SetDefaultNodeHeight(keys.Integer("_DEFAULTNODEHEIGHT", tree.DefaultNodeHeight()));
    keys.LoadPicture("_SELECTEDPICTUREBMP", tree.SelectedPicture());
    tree.SetMargin(keys.Integer("_MARGIN", tree.Margin()));
    tree.SetTextMargin(keys.Integer("_TEXTMARGIN", tree.TextMargin()));
    ApplyFontKeys(keys, "_FONT", tree.Font(), true);
    ApplyFontKeys(keys, "_SELECTEDFONT", tree.SelectedFont(), true);
    ApplyFontKeys(keys, "_SELECTEDDESCFONT", tree.SelectedDescFont(), true);
    tree.SetColor(CurrentColour(keys, "_COLOR", tree.Color()));
    TVTColors& colors = *tree.Colors();
    for (const TTreeColourKey& key : TreeColourKeys)
        (colors.*key.Set)(CurrentColour(keys, key.Suffix, (colors.*key.Get)()));
    tree.SetLeft(keys.Integer("_LEFT", tree.Left()));
    tree.SetTop(keys.Integer("_TOP", tree.Top()));
    tree.SetWidth(keys.Integer("_WIDTH", tree.Width()));
    tree.SetHeight(keys.Integer("_HEIGHT", tree.Height()));
    ApplyStateGroup(keys, tree);
}

// The block of class T, when control is one.
template <class T>
void SkinIf(const TBSkinerDLL& skiner, TControl* control, const char* prefix,
            void (*block)(const TControlKeys&, T&)) {
    if (auto* typed = dynamic_cast<T*>(control))
        block(TControlKeys(skiner, prefix, *control), *typed);
}

}  // namespace

void TBSkinerDLL::ApplySkinToControl(TControl* control) {
    // Each class is tested on its own; as none of them descends from
    // another, at most one block runs.
    SkinIf<TPageControlEx>(*this, control, "PAGECONTROLEX_", SkinPageControl);
    SkinIf<TKitCheckBox>(*this, control, "KITCHECKBOX_", SkinCheckBox);
    SkinIf<TKitProgressBar>(*this, control, "KITPROGRESSBAR_", SkinProgressBar);
    SkinIf<TListView>(*this, control, "LISTVIEW_", SkinListView);
    SkinIf<TLabel>(*this, control, "LABEL_", SkinLabel);
    SkinIf<TWindowSkin>(*this, control, "WINDOWSKIN_", SkinWindowSkin);
    SkinIf<TImage>(*this, control, "IMAGE_", SkinImage);
    SkinIf<TPicButton>(*this, control, "PicButton_", SkinPicButton);
    SkinIf<TImagePanel>(*this, control, "IMAGEPANEL_", SkinImagePanel);
    SkinIf<TVirtualStringTree>(*this, control, "VIRTUALSTRINGTREE_", SkinTree);
}
