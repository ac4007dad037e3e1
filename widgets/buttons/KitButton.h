// KitButton.h - the owner-drawn base of the kit's clickable controls.
//
//   TKitCustomButton   press tracking with the mouse, mouse-over tracking with
//                      a hot-track repaint, the caption in four text styles
//                      with vertical alignment, visual-style awareness,
//                      transparency and a repaint on focus changes
//
// It paints nothing itself: a descendant says how the pressed and hot looks
// are repainted (RepaintButton, GetHotTrackRect) and what a completed click
// does (ChangeState). A mouse release produces no click of the class
// library's; clicks come from the descendant's state changes.
#pragma once

#include <classlib/Controls.h>
#include <widgets/common/KitTypes.h>

class TKitCustomButton : public TCustomControl {
public:
    explicit TKitCustomButton(TComponent* owner);

    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    virtual void SetAlignmentVertical(TAlignmentVertical value);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor value) { FHotTrackColor = value; }
    TKitHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    void SetHotTrackColorType(TKitHotTrackColorType value) { FHotTrackColorType = value; }
    TColor HighlightColor() const { return FHighlightColor; }
    virtual void SetHighlightColor(TColor value);
    bool LightTextStyle() const { return FLightTextStyle; }
    virtual void SetLightTextStyle(bool value);
    TTextStyle TextStyle() const { return FTextStyle; }
    virtual void SetTextStyle(TTextStyle value);
    TColor TextHighlightColor() const { return FTextHighlightColor; }
    virtual void SetTextHighlightColor(TColor value);
    TColor TextShadowColor() const { return FTextShadowColor; }
    virtual void SetTextShadowColor(TColor value);
    int TextShadowDepth() const { return FTextShadowDepth; }
    virtual void SetTextShadowDepth(int value);
    bool HotTrack() const { return FHotTrack; }
    virtual void SetHotTrack(bool value);
    bool ThemeAware() const { return FThemeAware; }
    virtual void SetThemeAware(bool value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);

    bool PressTracking() const { return FPressTracking; }
    bool MouseOver() const { return FMouseOver; }
    bool ShowPressed() const { return FShowPressed; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // What lies behind the control, painted into dc by the erase step of a
    // transparent control; nothing here.
    virtual void PaintTransparentBackground(HDC) {}
    // Shows a new pressed look or state; nothing here.
    virtual void RepaintButton() {}
    virtual void RepaintFocus() { Repaint(); }
    // The area the hot look covers; the client area here.
    virtual TRect GetHotTrackRect() { return ClientRect(); }
    // ThemeAware, and the platform's visual styles active.
    virtual bool UsingThemes() const;
    // The caption placed by AlignmentVertical inside rect, in TextStyle, with
    // the platform's DrawText flags.
    virtual void DrawCaption(TCanvas* canvas, TRect rect, UINT flags);
    // A click completed on the control.
    virtual void ChangeState() = 0;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TextChanged() override;
    void WMEraseBkgnd(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;

    bool FShowPressed = false;

private:
    bool InClient(int x, int y) const;
    void InvalidateHotTrack();
    void DrawCaptionCopy(TCanvas* canvas, const std::string& text, TRect rect, int dx, int dy,
                         TColor color, UINT flags);

    TAlignmentVertical FAlignmentVertical = avCenter;
    TColor FHotTrackColor = 1350640;  // red 240, green 155, blue 20
    TKitHotTrackColorType FHotTrackColorType = htctActual;
    TColor FHighlightColor = clHighlight;
    bool FLightTextStyle = false;
    TTextStyle FTextStyle = tsNormal;
    TColor FTextHighlightColor = clBtnHighlight;
    TColor FTextShadowColor = clBtnShadow;
    int FTextShadowDepth = 2;
    bool FPressTracking = false;
    bool FHotTrack = false;
    bool FMouseOver = false;
    bool FTransparent = false;
    bool FThemeAware = true;
};
