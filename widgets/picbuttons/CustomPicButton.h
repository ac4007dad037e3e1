// CustomPicButton.h - the owner-drawn push button of the main program.
//
//   TCustomPicButton  a caption in a font of its own for each state (normal,
//                     mouse over, held down, disabled), an optional focus
//                     rectangle and border, the parent's background shown
//                     through it, a state picture from its subclass, an event
//                     repeated while the left button is held on it, and Enter
//                     and Escape as the dialog's default and cancel button
//
// The state shown follows from the flags, first match: disabled, held down
// (Pressed), mouse over (MouseOver), normal. Every paint goes through one
// buffered paint of the button's size (TBufferedPaint); the button never
// erases its background by itself.
#pragma once

#include <classlib/Forms.h>
#include <classlib/Pictures.h>
#include <widgets/timers/SimpleTimer.h>

#include <cstdint>
#include <memory>
#include <string>

#include "PicControls.h"

class TCustomPicButton : public TCustomControl {
public:
    explicit TCustomPicButton(TComponent* owner);
    ~TCustomPicButton() override;

    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    bool Default() const { return FDefault; }
    // Every button of the form works out again whether Enter clicks it.
    void SetDefault(bool value);
    TModalResult ModalResult() const { return FModalResult; }
    // Given to the form on every click (also when it is mrNone).
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { ChangeAndInvalidate(FTransparent, value); }
    bool EnableTransparentColor() const { return FEnableTransparentColor; }
    void SetEnableTransparentColor(bool value) {
        ChangeAndInvalidate(FEnableTransparentColor, value);
    }
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor value) { ChangeAndInvalidate(FTransparentColor, value); }
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int value) { FRepeatInterval = value; }
    int FocusedRectMargin() const { return FFocusedRectMargin; }
    void SetFocusedRectMargin(int value) { ChangeAndInvalidate(FFocusedRectMargin, value); }
    // Whether Enter in the dialog clicks the button now.
    bool Active() const { return FActive; }
    TPicTextAlign TextAlign() const { return FTextAlign; }
    void SetTextAlign(TPicTextAlign value) { ChangeAndInvalidate(FTextAlign, value); }
    TPicAlign PictureAlign() const { return FPictureAlign; }
    void SetPictureAlign(TPicAlign value) { ChangeAndInvalidate(FPictureAlign, value); }
    int TextX() const { return FTextX; }
    void SetTextX(int value) { ChangeAndInvalidate(FTextX, value); }
    int TextY() const { return FTextY; }
    void SetTextY(int value) { ChangeAndInvalidate(FTextY, value); }
    int PictureX() const { return FPictureX; }
    void SetPictureX(int value) { ChangeAndInvalidate(FPictureX, value); }
    int PictureY() const { return FPictureY; }
    void SetPictureY(int value) { ChangeAndInvalidate(FPictureY, value); }
    // The caption wraps at word ends instead of being one line.
    bool MultiLines() const { return FMultiLines; }
    void SetMultiLines(bool value) { ChangeAndInvalidate(FMultiLines, value); }
    // The caption's fonts in the hover, held-down and disabled states; the
    // setters copy the given font.
    TFont* FontMouseHover() const { return FFontMouseHover.get(); }
    void SetFontMouseHover(const TFont* value) { CopyFont(*FFontMouseHover, value); }
    TFont* FontMouseDown() const { return FFontMouseDown.get(); }
    void SetFontMouseDown(const TFont* value) { CopyFont(*FFontMouseDown, value); }
    TFont* FontDisabled() const { return FFontDisabled.get(); }
    void SetFontDisabled(const TFont* value) { CopyFont(*FFontDisabled, value); }
    // The picture stretched from its position to the bottom-right corner.
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value) { ChangeAndInvalidate(FStretch, value); }
    bool DrawFocused() const { return FDrawFocused; }
    void SetDrawFocused(bool value) { ChangeAndInvalidate(FDrawFocused, value); }
    bool DrawBorder() const { return FDrawBorder; }
    void SetDrawBorder(bool value) { ChangeAndInvalidate(FDrawBorder, value); }
    bool MouseOver() const { return FMouseOver; }
    bool Pressed() const { return FPressed; }

    void Click() override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    // Every RepeatInterval milliseconds while the left button is held on it.
    TNotifyEvent OnMouseContinuouslyDown;

protected:
    // Draws the picture at the PictureAlign position; nothing for an empty one.
    virtual void PaintPicture(TCanvas* canvas, TPicture* picture);
    virtual void PaintCaption(TCanvas* canvas, const std::string& caption);
    virtual void PaintFocusRect(TCanvas* canvas);
    virtual void PaintBorder(TCanvas* canvas);
    // Copies the picture of the current state into holder; false when there
    // is none (no picture layer then). None here.
    virtual bool GetStatePicture(TPicture* holder);

    void Paint() override;
    void CreateWnd() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool DialogChar(char key, TShiftState shift) override;
    bool DialogKey(WORD key, TShiftState shift) override;
    void FocusChanged(TWinControl* focused) override;
    void EnabledChanged() override;
    void FontChanged() override;
    void TextChanged() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;
    void WMEraseBkgnd(TMessage& message) override;

private:
    void CopyFont(TFont& font, const TFont* value) {
        font.Assign(value);
        Invalidate();
    }
    void PaintBackground(TCanvas* canvas);
    void PaintPictureLayer(TCanvas* canvas);
    void StopRepeating();

    bool FCancel = false;
    bool FDefault = false;
    bool FTransparent = false;
    TModalResult FModalResult = mrNone;
    bool FEnableTransparentColor = false;
    TColor FTransparentColor = clFuchsia;
    // Made by a left press, freed when the press ends. A light timer: the
    // repeated event may end the press (a click) and so free it mid-tick.
    std::unique_ptr<TSimpleTimer> FRepeatTimer;
    int FRepeatInterval = 100;
    int FFocusedRectMargin = 2;
    bool FActive = false;
    TPicTextAlign FTextAlign = TPicTextAlign::taCenter;
    TPicAlign FPictureAlign = paTopLeft;
    int FTextX = 0;
    int FTextY = 0;
    int FPictureX = 0;
    int FPictureY = 0;
    bool FMultiLines = false;
    std::unique_ptr<TFont> FFontMouseHover;
    std::unique_ptr<TFont> FFontMouseDown;
    std::unique_ptr<TFont> FFontDisabled;
    bool FStretch = false;
    bool FDrawFocused = true;
    bool FDrawBorder = false;
    bool FMouseOver = false;
    bool FPressed = false;
};
