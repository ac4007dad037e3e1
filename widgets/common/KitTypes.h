// KitTypes.h - the enumerations that the kit's controls, their drawing
// routines and the frame controller share. Every one fits in a byte and
// keeps its value names and order, since the skin and form descriptions set
// them by name and number.
//
//   TFrameStyleEx / TFrameStyle   frame styles (TFrameStyle stops at fsFlatBold)
//   TSide / TSides                frame sides, and a set of them
//   TGradientDirection            the ten two-colour gradient layouts
//   TBarStyle, TOrientation       progress-bar body style and filling direction
//   TTextStyle, TAlignmentVertical, TFramingPreference,
//   TKitHotTrackColorType, TKitButtonHotTrackStyle, TKitAboutInfo
//   TCheckBoxState                unchecked, checked, grayed (the class library's)
//   TGlyphDrawState               how a check-box glyph is drawn
#pragma once

#include <classlib/StdCtrls.h>
#include <classlib/Types.h>

#include <cstdint>

enum TFrameStyleEx : uint8_t {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded
};
// The styles fsNone .. fsFlatBold; the routines taking one treat
// fsFlatRounded as fsNone.
using TFrameStyle = TFrameStyleEx;

enum TSide : uint8_t { sdLeft, sdTop, sdRight, sdBottom };
// Masks 1, 2, 4, 8 in the order of TSide.
using TSides = TSet<TSide>;
constexpr TSides AllSides{sdLeft, sdTop, sdRight, sdBottom};

enum TGradientDirection : uint8_t {
    gdDiagonalUp,
    gdDiagonalDown,
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox
};

enum TBarStyle : uint8_t { bsTraditional, bsLED, bsGradient };
enum TOrientation : uint8_t { orHorizontal, orVertical };
enum TTextStyle : uint8_t { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TAlignmentVertical : uint8_t { avTop, avCenter, avBottom };
enum TFramingPreference : uint8_t { fpCustomFraming, fpXPThemes };
enum TKitHotTrackColorType : uint8_t { htctComplement, htctActual };
enum TKitButtonHotTrackStyle : uint8_t { htsInterior, htsFrame };
// The type of the About property every kit component publishes; it holds nothing.
enum TKitAboutInfo : uint8_t { aiKitComponents };

// How a check-box glyph is drawn: 0 normal, 1 pressed, 2 hot, 3 disabled.
enum TGlyphDrawState : uint8_t { gdsNormal, gdsPressed, gdsHot, gdsDisabled };
