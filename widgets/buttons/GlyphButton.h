// GlyphButton.h - a control made of a small glyph cell beside a caption.
//
//   TKitCheckedActionLink   keeps Checked in step with a linked action, silently
//   TKitCustomGlyphButton   glyph placement, custom glyphs from a bitmap strip
//                           or an image list, frame and fill colours, the
//                           read-only look, automatic sizing, a cached
//                           background for transparency, and the frame
//                           controller's settings (IFrameControllerClient)
//
// What the glyph shows is the descendant's (BuildGlyph); the check box of
// CheckBox.h is the one in this program.
#pragma once

#include <classlib/ActnList.h>
#include <classlib/ImgList.h>
#include <classlib/Pictures.h>
#include <widgets/buttons/KitButton.h>
#include <widgets/frames/FrameController.h>

#include <memory>

class TKitCustomGlyphButton;

class TKitCheckedActionLink : public TWinControlActionLink {
public:
    explicit TKitCheckedActionLink(TKitCustomGlyphButton* client);

    // While the button's Checked equals the action's.
    bool IsCheckedLinked() const override;
    // Writes the button's Checked without a click.
    void SetChecked(bool value) override;

private:
    TKitCustomGlyphButton* FButton;
};

class TKitCustomGlyphButton : public TKitCustomButton, public IFrameControllerClient {
public:
    explicit TKitCustomGlyphButton(TComponent* owner);
    ~TKitCustomGlyphButton() override;

    // taRightJustify puts the caption right of the glyph.
    TLeftRight Alignment() const { return FAlignment; }
    virtual void SetAlignment(TLeftRight value);
    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool) {}

    TBitmap* CustomGlyphs() const { return FCustomGlyphs.get(); }
    // Copied into the control's own strip.
    virtual void SetCustomGlyphs(const TBitmap* value);
    TImageList* CustomGlyphImages() const { return FCustomGlyphImages; }
    virtual void SetCustomGlyphImages(TImageList* value);
    bool UseCustomGlyphs() const { return FUseCustomGlyphs; }
    // Also sizes the glyph cell: the list's images, a cell of the strip, or 13 x 13.
    virtual void SetUseCustomGlyphs(bool value);
    int GlyphCount() const { return FGlyphCount; }
    void SetGlyphCount(int value) { FGlyphCount = value; }
    int GlyphCellWidth() const { return FGlyphCellWidth; }
    int GlyphCellHeight() const { return FGlyphCellHeight; }

    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor value);
    TColor FillColor() const { return FFillColor; }
    virtual void SetFillColor(TColor value);
    TColor FocusColor() const { return FFocusColor; }
    virtual void SetFocusColor(TColor value);
    TColor DisabledColor() const { return FDisabledColor; }
    virtual void SetDisabledColor(TColor value);
    bool ReadOnly() const { return FReadOnly; }
    virtual void SetReadOnly(bool value);
    TColor ReadOnlyColor() const { return FReadOnlyColor; }
    virtual void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool value) { ChangeAndInvalidate(FReadOnlyColorOnFocus, value); }
    TColor TransparentColor() const { return FTransparentColor; }
    virtual void SetTransparentColor(TColor value);
    TColor WinMaskColor() const { return FWinMaskColor; }
    virtual void SetWinMaskColor(TColor value);
    TKitButtonHotTrackStyle HotTrackStyle() const { return FHotTrackStyle; }
    void SetHotTrackStyle(TKitButtonHotTrackStyle value) {
        ChangeAndInvalidate(FHotTrackStyle, value);
    }
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool value) { FTabOnEnter = value; }
    void SetTransparent(bool value) override;
    // A change fits the control to its caption (when switched on).
    void SetAutoSize(bool value) override;

    TKitFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TKitFrameController* value);
    TKitFrameControllerNotifications FrameControllerNotifications() const {
        return FFrameControllerNotifications;
    }
    void SetFrameControllerNotifications(TKitFrameControllerNotifications value) {
        FFrameControllerNotifications = value;
    }
    void FramingChanged() override;

    // The obsolete Boolean "Flat" of older descriptions becomes HotTrack.
    bool ReadObsoleteProperty(std::string_view name, std::string_view value);

    // Where the glyph cell lies in the control.
    TRect GlyphRect() const;

protected:
    // Draws the glyph of the current state into bitmap (GlyphCellWidth x GlyphCellHeight).
    virtual void BuildGlyph(TBitmap* bitmap) = 0;
    // The final glyph of a transparent, unthemed, built-in glyph, as it lies
    // on canvas in cell; nothing here.
    virtual void FinishTransparentGlyph(TCanvas*, const TRect&) {}
    // The glyph composed over the background, on canvas (the control's own when null).
    virtual void DrawGlyph(TCanvas* canvas);
    // dest becomes width x height and receives cell index of strip.
    virtual void CopyGlyphCell(int index, TBitmap* dest, TBitmap* strip, int width, int height);

    void PaintTransparentBackground(HDC dc) override;
    void RepaintButton() override { PaintNow(); }
    void RepaintFocus() override { PaintNow(); }
    TRect GetHotTrackRect() override { return GlyphRect(); }
    void Paint() override;

    void CreateWnd() override;
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    // Also takes the action's Checked, without a click.
    void ActionChange(TObject* sender, bool checkDefaults) override;
    // Writes Checked with clicks suppressed, also when writing fails.
    void SetCheckedSilently(bool value);
    void Loaded() override;
    void TextChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void ColorChanged() override;
    void ParentColorChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyPress(char& key) override;
    void WMEraseBkgnd(TMessage& message) override;
    void WMSize(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    // The caption's side has the glyph cell and four pixels taken off.
    TRect TextRect() const;
    // Sizes an AutoSize control to its caption and glyph. It runs when the
    // window is made, the form is loaded, the caption or font changes or
    // AutoSize is switched, never on a resize or a layout pass, so that a
    // width given afterwards (by the skin) stays and a caption given later
    // (by the language texts) is measured at that width.
    void AdjustToCaption();
    // The glyph cell lies on the right.
    bool GlyphOnRight() const;

    bool FClicksSuppressed = false;
    bool FMouseAction = false;

private:
    friend class TKitCheckedActionLink;

    void PaintNow();
    void CaptureBackground();
    // The composed glyph put on canvas in cell; custom glyphs show clWindow
    // where they hold WinMaskColor.
    void PlaceGlyph(TCanvas* canvas, const TRect& cell, TBitmap* glyph);
    void CustomGlyphsChanged();
    void UpdateUseCustomGlyphs();
    void MarkBackgroundStale();

    TLeftRight FAlignment = taRightJustify;
    TColor FFrameColor = clBtnShadow;
    int FGlyphCount = 2;
    std::unique_ptr<TBitmap> FCustomGlyphs;
    TImageList* FCustomGlyphImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    bool FUseCustomGlyphs = false;
    TColor FTransparentColor = clOlive;
    TColor FWinMaskColor = clLime;
    TColor FFillColor = clWindow;
    TColor FFocusColor = clWindow;
    TColor FDisabledColor = clBtnFace;
    bool FReadOnly = false;
    bool FReadOnlyColorOnFocus = false;
    TColor FReadOnlyColor = clInfoBk;
    int FGlyphCellWidth = 13;
    int FGlyphCellHeight = 13;
    bool FTabOnEnter = false;
    TKitButtonHotTrackStyle FHotTrackStyle = htsInterior;
    TKitFrameController* FFrameController = nullptr;
    TKitFrameControllerNotifications FFrameControllerNotifications =
        AllFrameControllerNotifications;
    std::unique_ptr<TBitmap> FBackgroundCache;
    bool FBackgroundStale = true;
};
