// FramePush.cpp - how the frame controller's settings reach a control: by
// FramingChanged, or written into the control's published properties of the
// same names.
#include <classlib/Controls.h>
#include <widgets/frames/FrameController.h>
#include <widgets/frames/PublishedProperties.h>

#include <array>

namespace {

constexpr std::array<std::string_view, fcpAll> PropertyNames{"Color",
                                                             "FocusColor",
                                                             "DisabledColor",
                                                             "ReadOnlyColor",
                                                             "ReadOnlyColorOnFocus",
                                                             "ParentColor",
                                                             "FlatButtonColor",
                                                             "FlatButtons",
                                                             "FrameColor",
                                                             "FrameHotColor",
                                                             "FrameHotTrack",
                                                             "FrameHotStyle",
                                                             "FrameSides",
                                                             "FrameStyle",
                                                             "FrameVisible",
                                                             "FramingPreference"};

// The settings of a full push, in the order they are written.
constexpr std::array<TKitFrameControllerPropertyConnection, fcpAll> FullPushOrder{
    fcpParentColor,          fcpColor,         fcpDisabledColor,   fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus, fcpFocusColor,    fcpFlatButtonColor, fcpFlatButtons,
    fcpFrameColor,           fcpFrameHotColor, fcpFrameHotTrack,   fcpFrameHotStyle,
    fcpFrameSides,           fcpFrameStyle,    fcpFrameVisible,    fcpFramingPreference};

// A control that publishes no choice takes every setting.
TKitFrameControllerNotifications AcceptedSettings(IPublishedProperties& target) {
    auto published = target.PublishedProperty("FrameControllerNotifications");
    if (!published) return AllFrameControllerNotifications;
    return TKitFrameControllerNotifications::FromBits(static_cast<uint32_t>(published->Get()) &
                                                      AllFrameControllerNotifications.Bits());
}

}  // namespace

std::string_view FrameControllerPropertyName(TKitFrameControllerPropertyConnection property) {
    return property < fcpAll ? PropertyNames[property] : std::string_view{};
}

int64_t TKitFrameController::OrdinalValue(TKitFrameControllerPropertyConnection property) const {
    const TKitFrameControllerSettings& s = FSettings;
    switch (property) {
        case fcpColor:
            return s.Color;
        case fcpFocusColor:
            return s.FocusColor;
        case fcpDisabledColor:
            return s.DisabledColor;
        case fcpReadOnlyColor:
            return s.ReadOnlyColor;
        case fcpReadOnlyColorOnFocus:
            return s.ReadOnlyColorOnFocus;
        case fcpParentColor:
            return s.ParentColor;
        case fcpFlatButtonColor:
            return s.FlatButtonColor;
        case fcpFlatButtons:
            return s.FlatButtons;
        case fcpFrameColor:
            return s.FrameColor;
        case fcpFrameHotColor:
            return s.FrameHotColor;
        case fcpFrameHotTrack:
            return s.FrameHotTrack;
        case fcpFrameHotStyle:
            return s.FrameHotStyle;
        case fcpFrameSides:
            return s.FrameSides.Bits();
        case fcpFrameStyle:
            return s.FrameStyle;
        case fcpFrameVisible:
            return s.FrameVisible;
        case fcpFramingPreference:
            return s.FramingPreference;
        case fcpAll:
            break;
    }
    return 0;
}

void TKitFrameController::WriteSetting(IPublishedProperties* target,
                                       TKitFrameControllerNotifications accepted,
                                       TKitFrameControllerPropertyConnection property) const {
    if (!accepted.Contains(property)) return;
    // A setting the control does not publish is passed over.
    if (auto published = target->PublishedProperty(PropertyNames[property]))
        published->Set(OrdinalValue(property));
}

void TKitFrameController::PushToControl(TComponent* control, TKitFrameControllerProperty property) {
    if (!dynamic_cast<TControl*>(control)) return;
    if (auto client = dynamic_cast<IFrameControllerClient*>(control)) {
        client->FramingChanged();
        return;
    }
    auto target = dynamic_cast<IPublishedProperties*>(control);
    if (!target) return;
    const TKitFrameControllerNotifications accepted = AcceptedSettings(*target);
    if (property != fcpAll) {
        WriteSetting(target, accepted, property);
        return;
    }
    for (TKitFrameControllerPropertyConnection each : FullPushOrder) {
        // A controller that follows its parent's colour has no colour to give.
        if (each == fcpColor && FSettings.ParentColor) continue;
        WriteSetting(target, accepted, each);
    }
}
