// Format, integer and colour conversion, trimming and case.
#include <classlib/Colors.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

TEST(Format, FillsSpecifiersFromTypedArguments) {
    EXPECT_EQ(Format("%s - %d Items", {"Monday", 12}), "Monday - 12 Items");
    EXPECT_EQ(Format("%d Entries Found, %d Entries Repaired", {5, 3}),
              "5 Entries Found, 3 Entries Repaired");
    EXPECT_EQ(Format("%u%%", {100u}), "100%");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("%d|%u", {-1, -1}), "-1|4294967295");
    EXPECT_EQ(Format("%d", {INT64_MIN}), "-9223372036854775808");
    EXPECT_EQ(Format("%u", {UINT64_MAX}), "18446744073709551615");
    EXPECT_EQ(Format("[%5d][%-5d][%.3d][%02d]", {42, 42, 7, 7}), "[   42][42   ][007][ 7]");
    EXPECT_EQ(Format("[%6s][%-6s][%.2s]", {"abc", "abc", "abc"}), "[   abc][abc   ][ab]");
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b", "c"}), "b a b");
    EXPECT_EQ(Format("%S=%D", {std::string("key"), 1}), "key=1");
    EXPECT_EQ(Format("%s", {static_cast<const char*>(nullptr)}), "");
    EXPECT_EQ(Format("unused %s", {"x", "y"}), "unused x");
}

TEST(Format, WrongSpecifiersRaiseTheFormatErrorInsteadOfReadingOn) {
    struct TCase {
        const char* format;
        const char* message;
    } cases[] = {
        {"Scan Results (%s Problems)",
         "Format 'Scan Results (%s Problems)' invalid or incompatible with argument"},
        {"%d %d", "No argument for format '%d %d'"},
        {"%d and %d and %d", "No argument for format '%d and %d and %d'"},
        {"50%", "Format '50%' invalid or incompatible with argument"},
        {"%x", "Format '%x' invalid or incompatible with argument"},
        {"%f", "Format '%f' invalid or incompatible with argument"},
        {"%*d", "Format '%*d' invalid or incompatible with argument"},
        {"%5-d", "Format '%5-d' invalid or incompatible with argument"},
        {"%99999d", "Format '%99999d' invalid or incompatible with argument"},
        {"%.99999999999999999999d",
         "Format '%.99999999999999999999d' invalid or incompatible with argument"},
        {"%7:d", "No argument for format '%7:d'"},
    };
    for (const TCase& c : cases) {
        try {
            Format(c.format, {7});
            ADD_FAILURE() << c.format;
        } catch (const EFormatError& error) {
            EXPECT_EQ(error.Message(), c.message);
        }
    }
    EXPECT_THROW(Format("%d", {"seven"}), EConvertError);
}

TEST(StrToInt, ReadsDecimalAndHexadecimalWithinThirtyTwoBits) {
    struct TCase {
        const char* text;
        int value;
    } valid[] = {
        {"0", 0},
        {"42", 42},
        {"-42", -42},
        {"+7", 7},
        {"  12", 12},
        {"$10", 16},
        {"0x10", 16},
        {"0X1f", 31},
        {"-$1", -1},
        {"$FFFFFFFF", -1},
        {"$FF00000F", static_cast<int>(0xFF00000Fu)},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"007", 7},
    };
    for (const TCase& c : valid) {
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
        EXPECT_EQ(StrToIntDef(c.text, 99), c.value) << c.text;
    }
    for (const char* text : {"", " ", "abc", "12 ", "1.5", "$", "0x", "-", "$100000000",
                             "2147483648", "-2147483649", "99999999999999999999", "1e3", "x10"}) {
        EXPECT_EQ(StrToIntDef(text, 99), 99) << text;
        int value = 5;
        EXPECT_FALSE(TryStrToInt(text, value)) << text;
        EXPECT_EQ(value, 5);
    }
    try {
        StrToInt("Tomato");
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'Tomato' is not a valid integer value");
    }
}

TEST(ColorText, IdentifiersAndIntegersBecomeColours) {
    struct TCase {
        const char* text;
        TColor color;
    } cases[] = {
        {"clBtnFace", static_cast<TColor>(0xFF00000Fu)},
        {"clbtnface", clBtnFace},
        {"CLFUCHSIA", 0xFF00FF},
        {"clMoneyGreen", 0xC0DCC0},
        {"clMenuBar", static_cast<TColor>(0xFF00001Eu)},
        {"cl3DDkShadow", static_cast<TColor>(0xFF000015u)},
        {"clNone", 0x1FFFFFFF},
        {"clDefault", 0x20000000},
        {"$00FF8000", 0xFF8000},
        {"$FF000010", clBtnShadow},
        {"255", clRed},
    };
    for (const TCase& c : cases) EXPECT_EQ(StringToColor(c.text), c.color) << c.text;
    try {
        StringToColor("Salmon");
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'Salmon' is not a valid integer value");
    }
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(ColorToString(static_cast<TColor>(0xFF0000FFu)), "$FF0000FF");
    EXPECT_EQ(StringToColor(ColorToString(0x00ABCDEF)), 0x00ABCDEF);
}

TEST(ColorText, SystemColoursResolveToTheirCurrentRgb) {
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clHighlight), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFFu);
}

TEST(TextCase, TrimAndUpperCase) {
    EXPECT_EQ(Trim("  \t a  b \r\n"), "a  b");
    EXPECT_EQ(Trim(std::string("\0x\0", 3)), "x");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\xA0word\xA0"), "\xA0word\xA0");
    EXPECT_EQ(UpperCase("Bold, italic & \xE9t\xE9"), "BOLD, ITALIC & \xE9T\xE9");
    EXPECT_EQ(AnsiUpperCase("fran\xE7"
                            "ais"),
              "FRAN\xC7"
              "AIS");
    EXPECT_TRUE(SameText("clBtnFace", "CLBTNFACE"));
    EXPECT_FALSE(SameText("clBtnFace", "clBtnFac"));
}
