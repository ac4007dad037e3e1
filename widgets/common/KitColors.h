// KitColors.h - colour maths on the 0-240 hue, saturation and luminance
// scale, and the two display facts the kit reads once.
//
//   SplitColorHsl, HueOfColor, JoinColorHsl    RGB <-> hue/saturation/luminance
//   DarkenColor, LightenColor, ShiftColorLuminance
//   MixColors, ColorsAreClose, OppositeHueColor
//   FullColorDisplay      the screen has no palette (read on first use)
//   XpColorScheme         the desktop's colour scheme 0/1/2 (read on first use)
//   DisplayHasFullColor, QueryXpColorScheme, XpColorSchemeOf   the queries behind them
//
// Every routine converts a system colour to its RGB value before working on
// it; the results are plain RGB colours (0x00BBGGRR).
#pragma once

#include <classlib/Colors.h>

#include <cstdint>
#include <string_view>

void SplitColorHsl(TColor color, uint8_t& hue, uint8_t& saturation, uint8_t& luminance);
uint8_t HueOfColor(TColor color);
// Values above 240 give full channels (luminance 241..255 is white).
TColor JoinColorHsl(uint8_t hue, uint8_t saturation, uint8_t luminance);

// Luminance lowered by amount, stopping at black.
TColor DarkenColor(TColor color, uint8_t amount);
// Luminance raised by amount, stopping at white.
TColor LightenColor(TColor color, uint8_t amount);
// Darkens for a negative delta, lightens for a positive one (at most 255 either
// way); 0 returns the colour itself, a system colour unconverted.
TColor ShiftColorLuminance(TColor color, int delta);

// weight / 255 of color1 and the rest of color2, channel by channel.
TColor MixColors(TColor color1, TColor color2, uint8_t weight);
// Hues less than 20 apart and luminances less than 60 apart; saturation aside.
bool ColorsAreClose(TColor color1, TColor color2);
// The hue half way round the circle, fully saturated, at the given luminance.
TColor OppositeHueColor(TColor color, uint8_t luminance);

// True when the screen works without a palette (NUMCOLORS answers -1).
bool DisplayHasFullColor();
// The desktop colour scheme: 1 for "HOMESTEAD", 2 for "METALLIC", else 0.
uint8_t XpColorSchemeOf(std::string_view colorName);
// The scheme of the current user's ThemeManager "ColorName" value.
uint8_t QueryXpColorScheme();

// The two values are read once, on first use, and never change afterwards.
bool FullColorDisplay();
uint8_t XpColorScheme();
