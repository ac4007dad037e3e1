// Colour maths on the 0-240 scale, and the two display facts.
#include <gtest/gtest.h>
#include <widgets/common/KitColors.h>

#include <string>
#include <tuple>

namespace {

struct THsl {
    int hue, saturation, luminance;
    bool operator==(const THsl&) const = default;
};

THsl Split(TColor color) {
    uint8_t h, s, l;
    SplitColorHsl(color, h, s, l);
    return {h, s, l};
}

std::ostream& operator<<(std::ostream& out, const THsl& hsl) {
    return out << "(" << hsl.hue << ", " << hsl.saturation << ", " << hsl.luminance << ")";
}

constexpr TColor Rgb3(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

}  // namespace

TEST(KitColors, SplitGivesTheWorkedValues) {
    const std::tuple<TColor, THsl> cases[] = {
        {clRed, {0, 240, 120}},     {clWhite, {0, 0, 240}},
        {clBlack, {0, 0, 0}},       {clLime, {80, 240, 120}},
        {clBlue, {160, 240, 120}},  {clAqua, {120, 240, 120}},
        {clYellow, {40, 240, 120}}, {Rgb3(0, 254, 245), {119, 240, 120}},
        {clGray, {0, 0, 120}},
    };
    for (const auto& [color, hsl] : cases) EXPECT_EQ(Split(color), hsl) << std::hex << color;
    // A system colour is split as its current RGB value.
    EXPECT_EQ(Split(clBtnFace), Split(static_cast<TColor>(ColorToRGB(clBtnFace))));
    EXPECT_EQ(HueOfColor(clBlue), 160);
}

TEST(KitColors, JoinGivesTheWorkedValues) {
    EXPECT_EQ(JoinColorHsl(0, 240, 120), clRed);
    // Hue 239 is the full circle (the hue divides by 239): red again.
    EXPECT_EQ(JoinColorHsl(239, 240, 120), clRed);
    EXPECT_EQ(JoinColorHsl(160, 240, 120), Rgb3(4, 0, 255));  // 160 / 239 lies past 4
    EXPECT_EQ(JoinColorHsl(0, 0, 120), Rgb3(128, 128, 128));
    EXPECT_EQ(JoinColorHsl(100, 240, 0), clBlack);
    EXPECT_EQ(JoinColorHsl(0, 240, 60), clMaroon);  // 127.5 goes to the even 128
    // Values past 240 are cut to full channels, never wrapped round.
    EXPECT_EQ(JoinColorHsl(0, 0, 255), clWhite);
    EXPECT_EQ(JoinColorHsl(0, 255, 120), clRed);
    EXPECT_EQ(JoinColorHsl(0, 255, 60), Rgb3(131, 0, 0));
}

TEST(KitColors, LuminanceStopsAtBlackAndWhite) {
    const TColor dim = Rgb3(11, 11, 11);
    ASSERT_EQ(Split(dim).luminance, 10);
    EXPECT_EQ(DarkenColor(dim, 20), clBlack);
    const TColor pale = Rgb3(245, 245, 245);
    ASSERT_EQ(Split(pale).luminance, 231);
    EXPECT_EQ(LightenColor(pale, 20), clWhite);
    EXPECT_EQ(LightenColor(clRed, 130), clWhite);
    EXPECT_EQ(DarkenColor(clRed, 60), clMaroon);
    EXPECT_EQ(Split(LightenColor(clRed, 60)), (THsl{0, 240, 180}));
}

TEST(KitColors, ShiftingByNothingKeepsASystemColour) {
    EXPECT_EQ(ShiftColorLuminance(clBtnShadow, 0), clBtnShadow);
    EXPECT_EQ(ShiftColorLuminance(clRed, -60), DarkenColor(clRed, 60));
    EXPECT_EQ(ShiftColorLuminance(clRed, 60), LightenColor(clRed, 60));
    // A shift beyond a byte goes all the way instead of wrapping (300 is not 44).
    EXPECT_EQ(ShiftColorLuminance(clRed, 300), clWhite);
    EXPECT_EQ(ShiftColorLuminance(clRed, -300), clBlack);
    EXPECT_NE(ShiftColorLuminance(clBtnShadow, 1) & 0xFF000000, 0xFF000000);
}

TEST(KitColors, MixingWeighsTheFirstColour) {
    const TColor first = Rgb3(200, 100, 0), second = Rgb3(100, 200, 255);
    EXPECT_EQ(MixColors(first, second, 255), first);
    EXPECT_EQ(MixColors(first, second, 0), second);
    // 190/255 of the first and the rest of the second, each channel rounded.
    EXPECT_EQ(MixColors(first, second, 190), Rgb3(175, 125, 65));
    EXPECT_EQ(MixColors(clWhite, clBlack, 190), Rgb3(190, 190, 190));
    EXPECT_EQ(MixColors(clBtnFace, clBlack, 255), static_cast<TColor>(ColorToRGB(clBtnFace)));
}

TEST(KitColors, ClosenessStopsAtHue20AndLuminance60) {
    // Red is (0, 240, 120); each partner's values are checked first.
    const std::tuple<TColor, THsl, bool> cases[] = {
        {Rgb3(72, 64, 57), {19, 0, 61}, true},   // hue 19 apart, luminance 59 apart
        {Rgb3(71, 63, 56), {19, 0, 60}, false},  // luminance 60 apart
        {Rgb3(67, 65, 63), {20, 0, 61}, false},  // hue 20 apart
        {Rgb3(65, 64, 63), {20, 0, 60}, false},
    };
    for (const auto& [partner, hsl, close] : cases) {
        const THsl actual = Split(partner);
        ASSERT_EQ(actual.hue, hsl.hue);
        ASSERT_EQ(actual.luminance, hsl.luminance);
        EXPECT_EQ(ColorsAreClose(clRed, partner), close) << std::hex << partner;
        EXPECT_EQ(ColorsAreClose(partner, clRed), close);
    }
    EXPECT_TRUE(ColorsAreClose(clBtnFace, static_cast<TColor>(ColorToRGB(clBtnFace))));
}

TEST(KitColors, OppositeHueIsHalfWayRound) {
    ASSERT_EQ(HueOfColor(clAqua), 120);
    EXPECT_EQ(OppositeHueColor(clAqua, 180), JoinColorHsl(0, 240, 180));
    const TColor hue119 = Rgb3(0, 254, 245);
    EXPECT_EQ(OppositeHueColor(hue119, 180), JoinColorHsl(239, 240, 180));
    EXPECT_EQ(OppositeHueColor(clYellow, 120), JoinColorHsl(160, 240, 120));
    EXPECT_EQ(OppositeHueColor(clBlue, 100), JoinColorHsl(40, 240, 100));
}

TEST(KitColors, ColourSchemeNames) {
    const std::tuple<const char*, int> cases[] = {
        {"HomeStead", 1},   {"METALLIC", 2}, {"metallic", 2},
        {"NormalColor", 0}, {"", 0},         {"Homestead ", 0},
    };
    for (const auto& [name, scheme] : cases) EXPECT_EQ(XpColorSchemeOf(name), scheme) << name;
}

TEST(KitColors, StartUpValuesComeFromTheDesktop) {
    char name[256] = "";
    DWORD size = sizeof name;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager",
                 "ColorName", RRF_RT_REG_SZ, nullptr, name, &size);
    EXPECT_EQ(QueryXpColorScheme(), XpColorSchemeOf(name));
    EXPECT_EQ(XpColorScheme(), QueryXpColorScheme());

    HDC screen = GetDC(nullptr);
    const bool noPalette = GetDeviceCaps(screen, NUMCOLORS) == -1;
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(DisplayHasFullColor(), noPalette);
    EXPECT_EQ(FullColorDisplay(), noPalette);
    EXPECT_TRUE(FullColorDisplay()) << "the test display has 24-bit colour";
}
