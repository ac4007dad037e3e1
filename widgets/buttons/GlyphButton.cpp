// GlyphButton.cpp - the glyph button's properties, custom glyphs, frame
// controller and the events that restyle or resize it.
#include <classlib/SysUtils.h>
#include <widgets/buttons/GlyphButton.h>

TKitCustomGlyphButton::TKitCustomGlyphButton(TComponent* owner)
    : TKitCustomButton(owner),
      FCustomGlyphs(std::make_unique<TBitmap>()),
      FImageChangeLink(std::make_unique<TChangeLink>()),
      FBackgroundCache(std::make_unique<TBitmap>()) {
    SetAutoSize(true);
    FCustomGlyphs->OnChange = [this](TObject*) { CustomGlyphsChanged(); };
    FImageChangeLink->OnChange = [this](TObject*) { CustomGlyphsChanged(); };
}

TKitCustomGlyphButton::~TKitCustomGlyphButton() {
    // The image list's change link leaves the list by itself.
    if (FFrameController) FFrameController->UnregisterControl(this);
}

void TKitCustomGlyphButton::SetAlignment(TLeftRight value) {
    ChangeAndInvalidate(FAlignment, value);
}
void TKitCustomGlyphButton::SetFrameColor(TColor value) { ChangeAndInvalidate(FFrameColor, value); }
void TKitCustomGlyphButton::SetFillColor(TColor value) { ChangeAndInvalidate(FFillColor, value); }
void TKitCustomGlyphButton::SetFocusColor(TColor value) { ChangeAndInvalidate(FFocusColor, value); }
void TKitCustomGlyphButton::SetDisabledColor(TColor value) {
    ChangeAndInvalidate(FDisabledColor, value);
}
void TKitCustomGlyphButton::SetReadOnly(bool value) { ChangeAndInvalidate(FReadOnly, value); }
void TKitCustomGlyphButton::SetReadOnlyColor(TColor value) {
    ChangeAndInvalidate(FReadOnlyColor, value);
}
void TKitCustomGlyphButton::SetTransparentColor(TColor value) {
    ChangeAndInvalidate(FTransparentColor, value);
}
void TKitCustomGlyphButton::SetWinMaskColor(TColor value) {
    ChangeAndInvalidate(FWinMaskColor, value);
}

void TKitCustomGlyphButton::SetTransparent(bool value) {
    FBackgroundStale = true;
    TKitCustomButton::SetTransparent(value);
}

void TKitCustomGlyphButton::SetAutoSize(bool value) {
    if (value == AutoSize()) return;
    TKitCustomButton::SetAutoSize(value);
    AdjustToCaption();
}

void TKitCustomGlyphButton::MarkBackgroundStale() {
    FBackgroundStale = true;
    Invalidate();
}

// --- Custom glyphs ----------------------------------------------------------------

void TKitCustomGlyphButton::SetCustomGlyphs(const TBitmap* value) {
    // The copy's change notice does the rest.
    FCustomGlyphs->Assign(value);
}

void TKitCustomGlyphButton::SetCustomGlyphImages(TImageList* value) {
    if (FCustomGlyphImages) FCustomGlyphImages->UnRegisterChanges(FImageChangeLink.get());
    FCustomGlyphImages = value;
    if (value) {
        value->RegisterChanges(FImageChangeLink.get());
        value->FreeNotification(this);
        FBackgroundStale = true;
    }
    UpdateUseCustomGlyphs();
    Invalidate();
}

void TKitCustomGlyphButton::CustomGlyphsChanged() {
    UpdateUseCustomGlyphs();
    MarkBackgroundStale();
}

void TKitCustomGlyphButton::UpdateUseCustomGlyphs() {
    const TImageList* list = FCustomGlyphImages;
    if (list && list->Width() > 0 && list->Height() > 0 && list->Count() > 0)
        SetUseCustomGlyphs(true);
    else
        SetUseCustomGlyphs(!FCustomGlyphs->Empty());
}

void TKitCustomGlyphButton::SetUseCustomGlyphs(bool value) {
    FUseCustomGlyphs = value;
    if (!value) {
        FGlyphCellWidth = 13;
        FGlyphCellHeight = 13;
    } else if (FCustomGlyphImages) {
        FGlyphCellWidth = FCustomGlyphImages->Width();
        FGlyphCellHeight = FCustomGlyphImages->Height();
    } else {
        FGlyphCellWidth = FGlyphCount > 0 ? FCustomGlyphs->Width() / FGlyphCount : 0;
        FGlyphCellHeight = FCustomGlyphs->Height();
    }
    Invalidate();
}

void TKitCustomGlyphButton::CopyGlyphCell(int index, TBitmap* dest, TBitmap* strip, int width,
                                          int height) {
    dest->SetSize(width, height);
    dest->Canvas()->CopyRect(Rect(0, 0, width, height), strip->Canvas(),
                             Rect(index * width, 0, (index + 1) * width, height));
}

// --- Frame controller ----------------------------------------------------------------

void TKitCustomGlyphButton::SetFrameController(TKitFrameController* value) {
    SwitchFrameController(this, FFrameController, value);
}

void TKitCustomGlyphButton::FramingChanged() {
    if (!FFrameController || !FFrameController->FrameVisible()) return;
    const TKitFrameControllerSettings& settings = FFrameController->Settings();
    const TKitFrameControllerNotifications take = FFrameControllerNotifications;
    SetHotTrack(true);
    if (take.Contains(fcpColor)) FFillColor = settings.Color;
    if (take.Contains(fcpFrameColor)) FFrameColor = settings.FrameColor;
    if (take.Contains(fcpFocusColor)) FFocusColor = settings.FocusColor;
    if (take.Contains(fcpDisabledColor)) FDisabledColor = settings.DisabledColor;
    if (take.Contains(fcpReadOnlyColor)) FReadOnlyColor = settings.ReadOnlyColor;
    if (take.Contains(fcpReadOnlyColorOnFocus))
        FReadOnlyColorOnFocus = settings.ReadOnlyColorOnFocus;
    if (take.Contains(fcpFrameHotTrack))
        FHotTrackStyle = settings.FrameHotTrack ? htsFrame : htsInterior;
    if (take.Contains(fcpFrameHotColor) && FHotTrackStyle == htsFrame)
        SetHotTrackColor(settings.FrameHotColor);
    Invalidate();
}

void TKitCustomGlyphButton::Notification(TComponent* component, TOperation operation) {
    TKitCustomButton::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FFrameController) FFrameController = nullptr;
    if (component == FCustomGlyphImages) {
        // The list is going: its links are no longer its to keep.
        FCustomGlyphImages = nullptr;
        UpdateUseCustomGlyphs();
        Invalidate();
    }
}

bool TKitCustomGlyphButton::ReadObsoleteProperty(std::string_view name, std::string_view value) {
    if (!SameText(name, "Flat")) return false;
    SetHotTrack(SameText(value, "True") || value == "1");
    return true;
}

// --- Events ---------------------------------------------------------------------------

void TKitCustomGlyphButton::CreateWnd() {
    TKitCustomButton::CreateWnd();
    AdjustToCaption();
}

void TKitCustomGlyphButton::Loaded() {
    TKitCustomButton::Loaded();
    AdjustToCaption();
}

void TKitCustomGlyphButton::TextChanged() {
    TKitCustomButton::TextChanged();
    AdjustToCaption();
}

void TKitCustomGlyphButton::FontChanged() {
    TKitCustomButton::FontChanged();
    AdjustToCaption();
}

void TKitCustomGlyphButton::EnabledChanged() {
    TKitCustomButton::EnabledChanged();
    MarkBackgroundStale();
}

void TKitCustomGlyphButton::ColorChanged() {
    TKitCustomButton::ColorChanged();
    MarkBackgroundStale();
}

void TKitCustomGlyphButton::ParentColorChanged() {
    TKitCustomButton::ParentColorChanged();
    MarkBackgroundStale();
}

void TKitCustomGlyphButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    FMouseAction = true;
    TKitCustomButton::MouseDown(button, shift, x, y);
}

void TKitCustomGlyphButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    try {
        TKitCustomButton::MouseUp(button, shift, x, y);
    } catch (...) {
        FMouseAction = false;
        throw;
    }
    FMouseAction = false;
}

void TKitCustomGlyphButton::KeyPress(char& key) {
    if (!FTabOnEnter || key != '\r') return TKitCustomButton::KeyPress(key);
    // Enter moves on like Tab; OnKeyPress never sees it.
    key = 0;
    PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
}

void TKitCustomGlyphButton::WMEraseBkgnd(TMessage& message) {
    TKitCustomButton::WMEraseBkgnd(message);
    FBackgroundStale = true;
}

void TKitCustomGlyphButton::WMSize(TMessage& message) {
    TKitCustomButton::WMSize(message);
    FBackgroundStale = true;
}
