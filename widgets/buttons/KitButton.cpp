// KitButton.cpp - the button base: construction, setters, press and mouse-over
// tracking, transparency and focus repaints.
#include <classlib/Themes.h>
#include <widgets/buttons/KitButton.h>
#include <widgets/common/KitDraw.h>

TKitCustomButton::TKitCustomButton(TComponent* owner) : TCustomControl(owner) {
    // No csClickEvents: clicks come from state changes, not from releases.
    FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks};
    SetBounds(Left(), Top(), 115, 17);
    SetTabStop(true);
}

void TKitCustomButton::SetAlignmentVertical(TAlignmentVertical value) {
    ChangeAndInvalidate(FAlignmentVertical, value);
}
void TKitCustomButton::SetHighlightColor(TColor value) {
    ChangeAndInvalidate(FHighlightColor, value);
}
void TKitCustomButton::SetLightTextStyle(bool value) {
    ChangeAndInvalidate(FLightTextStyle, value);
}
void TKitCustomButton::SetTextStyle(TTextStyle value) { ChangeAndInvalidate(FTextStyle, value); }
void TKitCustomButton::SetTextHighlightColor(TColor value) {
    ChangeAndInvalidate(FTextHighlightColor, value);
}
void TKitCustomButton::SetTextShadowColor(TColor value) {
    ChangeAndInvalidate(FTextShadowColor, value);
}
void TKitCustomButton::SetTextShadowDepth(int value) {
    ChangeAndInvalidate(FTextShadowDepth, value);
}
void TKitCustomButton::SetHotTrack(bool value) { ChangeAndInvalidate(FHotTrack, value); }
void TKitCustomButton::SetThemeAware(bool value) { ChangeAndInvalidate(FThemeAware, value); }
void TKitCustomButton::SetTransparent(bool value) { ChangeAndInvalidate(FTransparent, value); }

bool TKitCustomButton::UsingThemes() const { return FThemeAware && ThemesEnabled(); }

// The right and bottom edges lie outside.
bool TKitCustomButton::InClient(int x, int y) const {
    return x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
}

void TKitCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    ::SetFocus(Handle());
    // A press that could not take the focus (another control kept it) is no press.
    if (!Focused()) return;
    FShowPressed = true;
    RepaintButton();
    FPressTracking = true;
}

void TKitCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!FPressTracking) return;
    const bool inside = InClient(x, y);
    if (inside == FShowPressed) return;
    FShowPressed = inside;
    RepaintButton();
}

void TKitCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (!FPressTracking) return;
    FPressTracking = false;
    FShowPressed = false;
    if (InClient(x, y)) ChangeState();
    RepaintButton();
}

void TKitCustomButton::InvalidateHotTrack() {
    if (FHotTrack || UsingThemes()) InvalidateRect(GetHotTrackRect(), false);
}

void TKitCustomButton::MouseEnter() {
    FMouseOver = true;
    TCustomControl::MouseEnter();
    if (OnMouseEnter) OnMouseEnter(this);
    InvalidateHotTrack();
}

void TKitCustomButton::MouseLeave() {
    FMouseOver = false;
    TCustomControl::MouseLeave();
    if (OnMouseLeave) OnMouseLeave(this);
    InvalidateHotTrack();
}

void TKitCustomButton::TextChanged() {
    TCustomControl::TextChanged();
    Repaint();
}

void TKitCustomButton::WMEraseBkgnd(TMessage& message) {
    if (!FTransparent) return TCustomControl::WMEraseBkgnd(message);
    PaintTransparentBackground(reinterpret_cast<HDC>(message.WParam));
    message.Result = 1;
}

void TKitCustomButton::WMSetFocus(TMessage& message) {
    TCustomControl::WMSetFocus(message);
    RepaintFocus();
}

void TKitCustomButton::WMKillFocus(TMessage& message) {
    TCustomControl::WMKillFocus(message);
    RepaintFocus();
}
