// Format, integer and colour conversion, trimming and case.
#include <classlib/Colors.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
        {"%n", "Format '%n' invalid or incompatible with argument"},
        {"%d written%n", "Format '%d written%n' invalid or incompatible with argument"},
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

// The conversions are read by Format's own parser: Format fills a text
// exactly when every conversion the list tells has its argument of its kind.
TEST(FormatConversions, TellWhatFormatTakesFromItsArguments) {
    const TFormatConversion s0{0, fkText}, s1{1, fkText}, s2{2, fkText};
    const TFormatConversion d0{0, fkInteger}, d1{1, fkInteger};
    struct TCase {
        const char* format;
        std::optional<std::vector<TFormatConversion>> conversions;  // nothing: malformed
    } cases[] = {
        {"", std::vector<TFormatConversion>{}},
        {"no specifier", std::vector<TFormatConversion>{}},
        {"100%% sure, %%s", std::vector<TFormatConversion>{}},
        {"%s - %d Items", std::vector{s0, d1}},
        {"%d|%u|%D|%U", std::vector{d0, d1, TFormatConversion{2, fkInteger}, {3, fkInteger}}},
        {"%S", std::vector{s0}},
        {"[%5d][%-5s][%.3d][%-8.2s][%02u]",
         std::vector{d0, s1, TFormatConversion{2, fkInteger}, {3, fkText}, {4, fkInteger}}},
        {"%1:s %0:s %s", std::vector{s1, s0, s1}},
        {"%2:s %0:-4s", std::vector{s2, s0}},
        {"%0:s %0:d", std::vector{s0, d0}},
        {"%4096s", std::vector{s0}},
        {"50%", std::nullopt},
        {"50% off", std::nullopt},
        {"%n", std::nullopt},
        {"%s%n", std::nullopt},
        {"%x", std::nullopt},
        {"%f", std::nullopt},
        {"%*d", std::nullopt},
        {"%5-d", std::nullopt},
        {"%-:s", std::nullopt},
        {"%1:", std::nullopt},
        {"%4097d", std::nullopt},
        {"%.99999999999999999999d", std::nullopt},
        {"%99999:s", std::nullopt},
        {"%s %", std::nullopt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.format);
        const std::optional<std::vector<TFormatConversion>> read = FormatConversions(c.format);
        ASSERT_EQ(read.has_value(), c.conversions.has_value());
        if (!read) {
            EXPECT_THROW(Format(c.format, {}), EFormatError);
            EXPECT_THROW(Format(c.format, {1, 2, 3, 4, 5}), EFormatError);
            EXPECT_THROW(Format(c.format, {"a", "b", "c", "d", "e"}), EFormatError);
            continue;
        }
        EXPECT_EQ(*read, *c.conversions);
        // Each argument of the kind its first conversion asks for.
        std::vector<std::optional<TFormatArgKind>> kinds;
        bool oneKindEach = true;
        for (const TFormatConversion& conversion : *read) {
            if (kinds.size() <= conversion.Argument) kinds.resize(conversion.Argument + 1);
            if (!kinds[conversion.Argument]) kinds[conversion.Argument] = conversion.Kind;
            oneKindEach = oneKindEach && kinds[conversion.Argument] == conversion.Kind;
        }
        std::vector<TFormatArg> args;
        for (const std::optional<TFormatArgKind>& kind : kinds)
            args.push_back(kind == fkText ? TFormatArg("t") : TFormatArg(7));
        // Format with the first count of them.
        auto fill = [&](size_t count) {
            switch (count) {
                case 0:
                    return Format(c.format, {});
                case 1:
                    return Format(c.format, {args[0]});
                case 2:
                    return Format(c.format, {args[0], args[1]});
                case 3:
                    return Format(c.format, {args[0], args[1], args[2]});
                case 4:
                    return Format(c.format, {args[0], args[1], args[2], args[3]});
                default:
                    return Format(c.format, {args[0], args[1], args[2], args[3], args[4]});
            }
        };
        ASSERT_LE(args.size(), 5u);
        if (oneKindEach) {
            EXPECT_NO_THROW(fill(args.size()));
        } else {
            EXPECT_THROW(fill(args.size()), EFormatError);
        }
        if (!args.empty()) {
            EXPECT_THROW(fill(args.size() - 1), EFormatError);
        }
    }
}

TEST(FormatConversions, SameArgumentsMeansTheSameConversionsInTheSameOrder) {
    struct TCase {
        const char* text;
        const char* model;
        bool same;
    } cases[] = {
        {"Ruta: %s", "Path: %s", true},
        {"%s - %u Eintraege (100%%)", "%s - %d Items", true},
        {"[%-20s] %5.2d", "%s - %d Items", true},
        {"%0:s - %1:d", "%s - %d Items", true},
        {"Keine %%s hier", "No placeholder", true},
        {"Kein Platzhalter", "No placeholder", true},
        {"%1:d Eintraege vom %0:s", "%s - %d Items", false},  // another order
        {"%s - %d - %s", "%s - %d Items", false},             // one too many
        {"%s Eintraege", "%s - %d Items", false},             // one too few
        {"%d - %d", "%s - %d Items", false},                  // another kind
        {"%s - %d%n", "%s - %d Items", false},
        {"%s - %d 100%", "%s - %d Items", false},
        {"%s - %*d", "%s - %d Items", false},
        {"%0:s %0:s", "%s %s", false},
        {"50%", "50%", false},  // a malformed text fits nothing, not even itself
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SameFormatArguments(c.text, c.model), c.same) << c.text << " / " << c.model;
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
