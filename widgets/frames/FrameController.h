// FrameController.h - one set of frame and colour settings shared by any
// number of controls.
//
//   TKitFrameControllerProperty        names one setting (fcpColor ...), or fcpAll
//   TKitFrameControllerNotifications   the settings a control takes, one bit each
//   IFrameControllerClient             a control told of every change (FramingChanged)
//   TKitFrameControllerSettings        the sixteen settings with their defaults
//   TKitFrameController                the component: settings, registered controls, pushes
//   SwitchFrameController              a framed control's FrameController setter
//
// A control registers with a controller and gets its settings pushed: a
// control implementing IFrameControllerClient is told of each change and
// takes what it wants itself; any other control has the setting written into
// its published property of the same name (IPublishedProperties), when it
// publishes one and its "FrameControllerNotifications" (all sixteen when it
// publishes none) accepts it.
//
// The controller keeps no control alive: a control leaves it when it is
// destroyed, and the controller forgets a registered control that goes away
// without leaving. A control keeps its reference to the controller through a
// free notification, so the controller's end clears it.
#pragma once

#include <classlib/Classes.h>
#include <classlib/Colors.h>
#include <widgets/common/KitTypes.h>

#include <memory>
#include <string_view>
#include <vector>

class IPublishedProperties;
class TKitRegIniFile;

enum TKitFrameControllerProperty : uint8_t {
    fcpColor,
    fcpFocusColor,
    fcpDisabledColor,
    fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus,
    fcpParentColor,
    fcpFlatButtonColor,
    fcpFlatButtons,
    fcpFrameColor,
    fcpFrameHotColor,
    fcpFrameHotTrack,
    fcpFrameHotStyle,
    fcpFrameSides,
    fcpFrameStyle,
    fcpFrameVisible,
    fcpFramingPreference,
    fcpAll
};
// fcpColor .. fcpFramingPreference; bit n is setting n.
using TKitFrameControllerPropertyConnection = TKitFrameControllerProperty;
using TKitFrameControllerNotifications = TSet<TKitFrameControllerPropertyConnection>;
constexpr TKitFrameControllerNotifications AllFrameControllerNotifications =
    TKitFrameControllerNotifications::FromBits(0xFFFF);

// The published name of a setting ("Color" ... "FramingPreference").
std::string_view FrameControllerPropertyName(TKitFrameControllerPropertyConnection property);

class IFrameControllerClient {
public:
    // The controller's settings changed; the control reads what its
    // notifications accept.
    virtual void FramingChanged() = 0;

protected:
    ~IFrameControllerClient() = default;
};

struct TKitFrameControllerSettings {
    TColor Color = clWindow;
    bool ParentColor = false;
    TColor FlatButtonColor = clBtnFace;
    bool FlatButtons = true;
    TColor DisabledColor = clBtnFace;
    TColor ReadOnlyColor = clInfoBk;
    bool ReadOnlyColorOnFocus = false;
    TColor FocusColor = clWindow;
    TColor FrameColor = clBtnShadow;
    TColor FrameHotColor = clBtnShadow;
    bool FrameHotTrack = false;
    TFrameStyle FrameHotStyle = fsFlatBold;
    TSides FrameSides = AllSides;
    TFrameStyle FrameStyle = fsFlat;
    bool FrameVisible = false;
    TFramingPreference FramingPreference = fpXPThemes;
};

class TKitFrameController : public TComponent {
public:
    explicit TKitFrameController(TComponent* owner);
    ~TKitFrameController() override;

    // Copies the sixteen settings of another controller (not RegIniFile) and
    // pushes them once; any other source raises the assignment error.
    void Assign(const TPersistent* source) override;

    // Adds control and pushes every setting to it, even while pushes are
    // locked; a control already registered is left alone.
    void RegisterControl(TComponent* control);
    void UnregisterControl(TComponent* control);
    int RegisteredCount() const { return FControls ? static_cast<int>(FControls->size()) : 0; }
    bool IsRegistered(const TComponent* control) const;

    virtual void PushToControl(TComponent* control, TKitFrameControllerProperty property);
    // Every registered control in the order of registration; nothing while locked.
    virtual void PushToAll(TKitFrameControllerProperty property);
    // Nested; the last UnlockPushes pushes every setting once.
    void LockPushes() { ++FLockCount; }
    void UnlockPushes();

    // A property of an older form description (FrameFlat, FrameFocusStyle,
    // FrameFlatStyle), read while loading and never written: true when name
    // is one of them.
    bool ReadObsoleteProperty(std::string_view name, std::string_view value);

    const TKitFrameControllerSettings& Settings() const { return FSettings; }
    TColor Color() const { return FSettings.Color; }
    bool ParentColor() const { return FSettings.ParentColor; }
    TColor FlatButtonColor() const { return FSettings.FlatButtonColor; }
    bool FlatButtons() const { return FSettings.FlatButtons; }
    TColor DisabledColor() const { return FSettings.DisabledColor; }
    TColor ReadOnlyColor() const { return FSettings.ReadOnlyColor; }
    bool ReadOnlyColorOnFocus() const { return FSettings.ReadOnlyColorOnFocus; }
    TColor FocusColor() const { return FSettings.FocusColor; }
    TColor FrameColor() const { return FSettings.FrameColor; }
    TColor FrameHotColor() const { return FSettings.FrameHotColor; }
    bool FrameHotTrack() const { return FSettings.FrameHotTrack; }
    TFrameStyle FrameHotStyle() const { return FSettings.FrameHotStyle; }
    TSides FrameSides() const { return FSettings.FrameSides; }
    TFrameStyle FrameStyle() const { return FSettings.FrameStyle; }
    bool FrameVisible() const { return FSettings.FrameVisible; }
    TFramingPreference FramingPreference() const { return FSettings.FramingPreference; }
    TKitRegIniFile* RegIniFile() const { return FRegIniFile; }

    // Colour follows into FocusColor while the two are equal, and ParentColor goes off.
    virtual void SetColor(TColor value);
    virtual void SetParentColor(bool value);
    virtual void SetFlatButtonColor(TColor value);
    virtual void SetFlatButtons(bool value);
    virtual void SetDisabledColor(TColor value);
    virtual void SetReadOnlyColor(TColor value);
    virtual void SetReadOnlyColorOnFocus(bool value);
    virtual void SetFocusColor(TColor value);
    virtual void SetFrameColor(TColor value);
    virtual void SetFrameHotColor(TColor value);
    // Turning it on makes the frame visible and, outside loading, all four sides framed.
    virtual void SetFrameHotTrack(bool value);
    virtual void SetFrameHotStyle(TFrameStyle value);
    virtual void SetFrameSides(TSides value);
    virtual void SetFrameStyle(TFrameStyle value);
    virtual void SetFrameVisible(bool value);
    virtual void SetFramingPreference(TFramingPreference value);
    // Not owned; forgotten when it goes away.
    virtual void SetRegIniFile(TKitRegIniFile* value);

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    template <class T>
    void Change(T& field, T value, TKitFrameControllerProperty property);
    // The setting's value as the published property holds it.
    int64_t OrdinalValue(TKitFrameControllerPropertyConnection property) const;
    void WriteSetting(IPublishedProperties* target, TKitFrameControllerNotifications accepted,
                      TKitFrameControllerPropertyConnection property) const;

    TKitFrameControllerSettings FSettings;
    std::unique_ptr<std::vector<TComponent*>> FControls;
    int FLockCount = 0;
    TKitRegIniFile* FRegIniFile = nullptr;
};

// Leaves the controller in field (if any) and registers control with value,
// asking for its removal notice; field then holds value.
void SwitchFrameController(TComponent* control, TKitFrameController*& field,
                           TKitFrameController* value);
