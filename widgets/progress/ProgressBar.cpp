// ProgressBar.cpp - the progress bar's properties, the parts count behind
// Percent, the frame controller and the turn to vertical.
#include <widgets/progress/ProgressBar.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int MaxSegments = 100;
constexpr uint32_t MaxParts = std::numeric_limits<int32_t>::max();

}  // namespace

TKitCustomProgressBar::TKitCustomProgressBar(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle.Include(csOpaque);
    SetBounds(Left(), Top(), 200, 24);
}

TKitCustomProgressBar::~TKitCustomProgressBar() {
    if (FFrameController) FFrameController->UnregisterControl(this);
}

template <class T>
void TKitCustomProgressBar::ChangeAndRepaint(T& field, T value) {
    if (field == value) return;
    field = value;
    Repaint();
}

void TKitCustomProgressBar::SetBackColor(TColor value) { ChangeAndRepaint(FBackColor, value); }
void TKitCustomProgressBar::SetBackColorStop(TColor value) {
    ChangeAndRepaint(FBackColorStop, value);
}
void TKitCustomProgressBar::SetBarColorStop(TColor value) {
    ChangeAndRepaint(FBarColorStop, value);
}
void TKitCustomProgressBar::SetBevelWidth(int value) {
    ChangeAndRepaint(FBevelWidth, std::max(value, 1));
}
void TKitCustomProgressBar::SetBorderColor(TColor value) { ChangeAndRepaint(FBorderColor, value); }
void TKitCustomProgressBar::SetBorderInner(TFrameStyleEx value) {
    ChangeAndRepaint(FBorderInner, value);
}
void TKitCustomProgressBar::SetBorderOuter(TFrameStyleEx value) {
    ChangeAndRepaint(FBorderOuter, value);
}
void TKitCustomProgressBar::SetBorderWidth(int value) {
    ChangeAndRepaint(FBorderWidth, std::max(value, 0));
}
void TKitCustomProgressBar::SetGradientDirection(TGradientDirection value) {
    ChangeAndRepaint(FGradientDirection, value);
}
void TKitCustomProgressBar::SetInteriorOffset(uint8_t value) {
    ChangeAndRepaint(FInteriorOffset, value);
}
void TKitCustomProgressBar::SetNumSegments(int value) {
    ChangeAndRepaint(FNumSegments, std::clamp(value, 1, MaxSegments));
}
void TKitCustomProgressBar::SetOrientation(TOrientation value) {
    ChangeAndRepaint(FOrientation, value);
}
void TKitCustomProgressBar::SetShowPercent(bool value) { ChangeAndRepaint(FShowPercent, value); }
void TKitCustomProgressBar::SetFlatColor(TColor value) { ChangeAndInvalidate(FFlatColor, value); }
void TKitCustomProgressBar::SetFlatColorAdjustment(int value) {
    ChangeAndInvalidate(FFlatColorAdjustment, value);
}
void TKitCustomProgressBar::SetThemeAware(bool value) { ChangeAndInvalidate(FThemeAware, value); }

void TKitCustomProgressBar::SetBarColor(TColor value) {
    if (FBarColor == value) return;
    FBarColor = value;
    Font()->SetColor(value);
    Repaint();
}

void TKitCustomProgressBar::SetBarStyle(TBarStyle value) {
    if (FBarStyle == value) return;
    FBarStyle = value;
    SetShowPercent(value != bsLED);
    SetInteriorOffset(value == bsLED ? 1 : 0);
    Repaint();
}

void TKitCustomProgressBar::SetPercent(uint16_t value) {
    if (FPercent == value) return;
    FPercent = value;
    PercentChanged();
    Repaint();
}

void TKitCustomProgressBar::PercentChanged() {
    if (OnChange) OnChange(this, FPercent);
}

void TKitCustomProgressBar::SetPartsComplete(uint32_t value) {
    value = std::min(value, MaxParts);
    if (FPartsComplete == value) return;
    FPartsComplete = std::min(value, FTotalParts);
    if (Loading() || FTotalParts == 0) return;
    // Halves go to the even neighbour: 12.5 gives 12, 37.5 gives 38.
    const double percent = static_cast<double>(FPartsComplete) / FTotalParts * 100.0;
    SetPercent(static_cast<uint16_t>(std::nearbyint(percent)));
}

void TKitCustomProgressBar::SetTotalParts(uint32_t value) {
    value = std::min(value, MaxParts);
    if (FTotalParts == value) return;
    FTotalParts = value;
    if (Loading()) return;
    FPartsComplete = 0;
    SetPercent(0);
}

void TKitCustomProgressBar::SetFrameController(TKitFrameController* value) {
    SwitchFrameController(this, FFrameController, value);
}

void TKitCustomProgressBar::FramingChanged() {
    if (!FFrameController || !FFrameController->FrameVisible()) return;
    const TKitFrameControllerSettings& settings = FFrameController->Settings();
    const TKitFrameControllerNotifications take = FFrameControllerNotifications;
    if (take.Contains(fcpFrameStyle)) FBorderOuter = settings.FrameStyle;
    if (take.Contains(fcpFrameColor)) {
        FFlatColor = settings.FrameColor;
        FFlatColorAdjustment = 0;
    }
    if (take.Contains(fcpColor)) SetBackColor(settings.Color);
    if (take.Contains(fcpParentColor)) SetParentColor(settings.ParentColor);
    Invalidate();
}

void TKitCustomProgressBar::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FFrameController) FFrameController = nullptr;
}

void TKitCustomProgressBar::ChangeBounds(int left, int top, int width, int height) {
    TGraphicControl::ChangeBounds(left, top, width, height);
    SetOrientation(Height() > Width() ? orVertical : orHorizontal);
}
