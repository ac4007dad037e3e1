// WindowSkin.h - the control that gives a borderless form the outline of a
// bitmap and lets the user drag the form by it.
//
//   TWindowSkin   a windowless control on a form: Glyph, TransparentColor,
//                 OnRegionChanged, OnPaint
//
// Made on a form, it takes the form's frame away (BorderStyle bsNone). Setting
// the glyph or the transparent colour cuts the form's window to the glyph's
// pixels that are not of the transparent colour, sizes the control to the
// glyph at (0, 0) and gives the form the glyph's size as its client size; a
// form without a window yet is given the region when its window is made (a
// glyph set while the form is built makes no window). A
// press of any mouse button on it moves the form with the mouse until the
// button is released. Made on anything but a form it has nothing to shape or
// drag: the glyph and the colour are only stored and painted.
#pragma once

#include <classlib/Forms.h>
#include <classlib/Handles.h>
#include <classlib/Pictures.h>

#include <memory>

class TWindowSkin : public TGraphicControl {
public:
    explicit TWindowSkin(TComponent* owner);
    ~TWindowSkin() override;

    TCustomForm* Form() const { return FForm; }
    // The outline and face of the form; the control owns it. The skin loader
    // may load a picture straight into it, then set TransparentColor.
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies the bitmap (nullptr empties the glyph), then reshapes the form.
    void SetGlyph(const TBitmap* value);
    TColor TransparentColor() const { return FTransparentColor; }
    // Reshapes the form even for the colour it has, so that a glyph loaded
    // in place takes effect.
    void SetTransparentColor(TColor value);
    // Cuts the form to the glyph and sizes it; nothing for an empty glyph.
    void UpdateFormShape();

    TNotifyEvent OnRegionChanged;
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomForm* FForm = nullptr;
    std::unique_ptr<TBitmap> FGlyph;
    TColor FTransparentColor = clFuchsia;
    // The form's shape while the form has no window: given to the window
    // when it is made.
    TGdiObject<HRGN> FPendingRegion;
};
