// FrameObsolete.cpp - the frame controller's properties of older form
// descriptions: read while loading, applied to today's settings, never written.
#include <classlib/SysUtils.h>
#include <widgets/frames/FrameController.h>
#include <widgets/frames/OldPropReader.h>

#include <array>

namespace {

constexpr std::array<std::string_view, fsFlatBold + 1> FrameStyleNames{
    "fsNone",   "fsFlat",     "fsGroove", "fsBump",  "fsLowered", "fsButtonDown",
    "fsRaised", "fsButtonUp", "fsStatus", "fsPopup", "fsFlatBold"};

// A form description writes a Boolean as True or False.
bool ReadBoolean(std::string_view value) { return SameText(value, "True") || value == "1"; }

}  // namespace

bool TKitFrameController::ReadObsoleteProperty(std::string_view name, std::string_view value) {
    static const TKitOldPropReader frameFlatStyle("FrameFlatStyle");
    if (frameFlatStyle.Reads(name)) return true;
    if (SameText(name, "FrameFlat")) {
        // The flat look of old became hot tracking from a status frame to a lowered one.
        const bool flat = ReadBoolean(value);
        SetFrameHotTrack(flat);
        if (flat) {
            FSettings.FrameStyle = fsStatus;
            FSettings.FrameHotStyle = fsLowered;
        }
        return true;
    }
    if (SameText(name, "FrameFocusStyle")) {
        // A name that is no frame style keeps the current one.
        for (size_t i = 0; i < FrameStyleNames.size(); ++i)
            if (SameText(value, FrameStyleNames[i])) FSettings.FrameHotStyle = TFrameStyle(i);
        return true;
    }
    return false;
}
