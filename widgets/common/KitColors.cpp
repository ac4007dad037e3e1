// KitColors.cpp - hue, saturation and luminance on the 0-240 scale.
#include "KitColors.h"

#include <classlib/Handles.h>
#include <classlib/Registry.h>
#include <classlib/SysUtils.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double HslScale = 240.0;

// Rounds to the nearest integer, halves to the even neighbour.
uint8_t RoundToByte(double value) {
    return static_cast<uint8_t>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

uint8_t ChannelByte(double channel) { return RoundToByte(std::clamp(channel, 0.0, 1.0) * 255.0); }

TColor ChannelsRgb(double red, double green, double blue) {
    return static_cast<TColor>(RGB(ChannelByte(red), ChannelByte(green), ChannelByte(blue)));
}

}  // namespace

void SplitColorHsl(TColor color, uint8_t& hue, uint8_t& saturation, uint8_t& luminance) {
    const COLORREF rgb = ColorToRGB(color);
    const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b});
    const double l = (high + low) / 2;
    double h = 0, s = 0;
    if (high != low) {
        const double d = high - low;
        s = l < 0.5 ? d / (high + low) : d / (2 - high - low);
        if (r == high)
            h = (g - b) / d;
        else if (g != high)
            h = 4 + (r - g) / d;
        else
            h = 2 + (b - r) / d;
        h /= 6;
        if (h < 0) h += 1;
    }
    hue = RoundToByte(h * HslScale);
    saturation = RoundToByte(s * HslScale);
    luminance = RoundToByte(l * HslScale);
}

uint8_t HueOfColor(TColor color) {
    uint8_t hue, saturation, luminance;
    SplitColorHsl(color, hue, saturation, luminance);
    return hue;
}

TColor JoinColorHsl(uint8_t hue, uint8_t saturation, uint8_t luminance) {
    const double l = luminance / HslScale, s = saturation / HslScale;
    const double m2 = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (m2 <= 0) return clBlack;
    const double m1 = 2 * l - m2;
    // The hue divides by 239: hue 239 lands on 6, which the default row shares with 0.
    const double sector = hue / 239.0 * 6;
    const int k = static_cast<int>(sector);
    const double v = (m2 - m1) * (sector - k);
    const double up = m1 + v, down = m2 - v;
    switch (k) {
        case 1:
            return ChannelsRgb(down, m2, m1);
        case 2:
            return ChannelsRgb(m1, m2, up);
        case 3:
            return ChannelsRgb(m1, down, m2);
        case 4:
            return ChannelsRgb(up, m1, m2);
        case 5:
            return ChannelsRgb(m2, m1, down);
        default:
            return ChannelsRgb(m2, up, m1);
    }
}

TColor DarkenColor(TColor color, uint8_t amount) {
    uint8_t hue, saturation, luminance;
    SplitColorHsl(color, hue, saturation, luminance);
    return JoinColorHsl(hue, saturation, static_cast<uint8_t>(std::max(luminance - amount, 0)));
}

TColor LightenColor(TColor color, uint8_t amount) {
    uint8_t hue, saturation, luminance;
    SplitColorHsl(color, hue, saturation, luminance);
    return JoinColorHsl(hue, saturation, static_cast<uint8_t>(std::min(luminance + amount, 255)));
}

TColor ShiftColorLuminance(TColor color, int delta) {
    const auto amount = static_cast<uint8_t>(std::min(std::abs(delta), 255));
    if (delta < 0) return DarkenColor(color, amount);
    if (delta > 0) return LightenColor(color, amount);
    return color;
}

TColor MixColors(TColor color1, TColor color2, uint8_t weight) {
    const COLORREF a = ColorToRGB(color1), b = ColorToRGB(color2);
    const float w = weight / 255.0f;
    auto mix = [w](BYTE first, BYTE second) { return RoundToByte(first * w + second * (1 - w)); };
    return static_cast<TColor>(RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                                   mix(GetBValue(a), GetBValue(b))));
}

bool ColorsAreClose(TColor color1, TColor color2) {
    uint8_t h1, s1, l1, h2, s2, l2;
    SplitColorHsl(color1, h1, s1, l1);
    SplitColorHsl(color2, h2, s2, l2);
    return std::abs(h1 - h2) < 20 && std::abs(l1 - l2) < 60;
}

TColor OppositeHueColor(TColor color, uint8_t luminance) {
    const int hue = HueOfColor(color);
    const int opposite = hue < 120 ? hue + 120 : hue - 120;
    return JoinColorHsl(static_cast<uint8_t>(opposite), 240, luminance);
}

bool DisplayHasFullColor() {
    TClientDC screen;
    return GetDeviceCaps(screen.Get(), NUMCOLORS) == -1;
}

uint8_t XpColorSchemeOf(std::string_view colorName) {
    const std::string name = UpperCase(colorName);
    if (name == "HOMESTEAD") return 1;
    if (name == "METALLIC") return 2;
    return 0;
}

uint8_t QueryXpColorScheme() {
    TRegIniFile key("\\Software\\Microsoft\\Windows\\CurrentVersion");
    return XpColorSchemeOf(key.ReadString("ThemeManager", "ColorName", ""));
}

bool FullColorDisplay() {
    static const bool value = DisplayHasFullColor();
    return value;
}

uint8_t XpColorScheme() {
    static const uint8_t value = QueryXpColorScheme();
    return value;
}
