// FrameController.cpp - the frame controller's settings, its list of
// registered controls and the lock on pushes.
#include <widgets/frames/FrameController.h>
#include <widgets/frames/RegIniFile.h>

#include <algorithm>

TKitFrameController::TKitFrameController(TComponent* owner) : TComponent(owner) {}

TKitFrameController::~TKitFrameController() = default;

void TKitFrameController::Assign(const TPersistent* source) {
    auto other = dynamic_cast<const TKitFrameController*>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    LockPushes();
    FSettings = other->FSettings;
    UnlockPushes();
}

bool TKitFrameController::IsRegistered(const TComponent* control) const {
    return FControls &&
           std::find(FControls->begin(), FControls->end(), control) != FControls->end();
}

void TKitFrameController::RegisterControl(TComponent* control) {
    if (!control || IsRegistered(control)) return;
    if (!FControls) FControls = std::make_unique<std::vector<TComponent*>>();
    FControls->push_back(control);
    // A control that goes away without leaving is forgotten (Notification).
    control->FreeNotification(this);
    PushToControl(control, fcpAll);
}

void TKitFrameController::UnregisterControl(TComponent* control) {
    if (!FControls) return;
    std::erase(*FControls, control);
    if (FControls->empty()) FControls.reset();
}

void TKitFrameController::PushToAll(TKitFrameControllerProperty property) {
    if (FLockCount > 0 || !FControls) return;
    // By index: a control may leave the list while it takes the settings.
    for (size_t i = 0; FControls && i < FControls->size(); ++i)
        PushToControl((*FControls)[i], property);
}

void TKitFrameController::UnlockPushes() {
    if (--FLockCount > 0) return;
    FLockCount = 0;
    PushToAll(fcpAll);
}

void TKitFrameController::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FRegIniFile) FRegIniFile = nullptr;
    UnregisterControl(component);
}

void TKitFrameController::Loaded() {
    TComponent::Loaded();
    PushToAll(fcpAll);
}

template <class T>
void TKitFrameController::Change(T& field, T value, TKitFrameControllerProperty property) {
    if (field == value) return;
    field = value;
    PushToAll(property);
}

void TKitFrameController::SetColor(TColor value) {
    if (FSettings.Color == value) return;
    if (FSettings.Color == FSettings.FocusColor) FSettings.FocusColor = value;
    FSettings.Color = value;
    FSettings.ParentColor = false;
    PushToAll(fcpColor);
}

void TKitFrameController::SetParentColor(bool value) {
    if (FSettings.ParentColor == value) return;
    FSettings.ParentColor = value;
    PushToAll(fcpParentColor);
    if (!value) PushToAll(fcpColor);
}

void TKitFrameController::SetFrameHotTrack(bool value) {
    if (FSettings.FrameHotTrack == value) return;
    FSettings.FrameHotTrack = value;
    if (value) {
        SetFrameVisible(true);
        // A description being read brings its own sides.
        if (!ComponentState().Contains(csLoading)) FSettings.FrameSides = AllSides;
    }
    PushToAll(fcpFrameHotTrack);
}

void TKitFrameController::SetRegIniFile(TKitRegIniFile* value) {
    if (FRegIniFile == value) return;
    FRegIniFile = value;
    if (value) value->FreeNotification(this);
}

void TKitFrameController::SetFlatButtonColor(TColor value) {
    Change(FSettings.FlatButtonColor, value, fcpFlatButtonColor);
}
void TKitFrameController::SetFlatButtons(bool value) {
    Change(FSettings.FlatButtons, value, fcpFlatButtons);
}
void TKitFrameController::SetDisabledColor(TColor value) {
    Change(FSettings.DisabledColor, value, fcpDisabledColor);
}
void TKitFrameController::SetReadOnlyColor(TColor value) {
    Change(FSettings.ReadOnlyColor, value, fcpReadOnlyColor);
}
void TKitFrameController::SetReadOnlyColorOnFocus(bool value) {
    Change(FSettings.ReadOnlyColorOnFocus, value, fcpReadOnlyColorOnFocus);
}
void TKitFrameController::SetFocusColor(TColor value) {
    Change(FSettings.FocusColor, value, fcpFocusColor);
}
void TKitFrameController::SetFrameColor(TColor value) {
    Change(FSettings.FrameColor, value, fcpFrameColor);
}
void TKitFrameController::SetFrameHotColor(TColor value) {
    Change(FSettings.FrameHotColor, value, fcpFrameHotColor);
}
void TKitFrameController::SetFrameHotStyle(TFrameStyle value) {
    Change(FSettings.FrameHotStyle, value, fcpFrameHotStyle);
}
void TKitFrameController::SetFrameSides(TSides value) {
    Change(FSettings.FrameSides, value, fcpFrameSides);
}
void TKitFrameController::SetFrameStyle(TFrameStyle value) {
    Change(FSettings.FrameStyle, value, fcpFrameStyle);
}
void TKitFrameController::SetFrameVisible(bool value) {
    Change(FSettings.FrameVisible, value, fcpFrameVisible);
}
void TKitFrameController::SetFramingPreference(TFramingPreference value) {
    Change(FSettings.FramingPreference, value, fcpFramingPreference);
}

void SwitchFrameController(TComponent* control, TKitFrameController*& field,
                           TKitFrameController* value) {
    if (field == value) return;
    if (field) field->UnregisterControl(control);
    field = value;
    if (!value) return;
    value->RegisterControl(control);
    value->FreeNotification(control);
}
