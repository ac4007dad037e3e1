// The "#13" line-break codec of the language texts and the trailing-backslash helper.
#include <gtest/gtest.h>
#include <shared/PubFunctions.h>

#include <string>

namespace {

struct TCodecCase {
    const char* Name;
    std::string Text;
    std::string Expected;
};

}  // namespace

TEST(ConvertLineBreaks, DecodingTrimsAndTurnsEveryMarkIntoCrLf) {
    const TCodecCase cases[] = {
        {"one break between words", "  first#13second \t", "first\r\nsecond"},
        {"blanks around a break stay", "A total.  #13 Click", "A total.  \r\n Click"},
        {"no break: trimmed only", "\r\n  Scan Now  \n", "Scan Now"},
        {"closing break", "Stop#13", "Stop\r\n"},
        {"two breaks side by side", " Rights.#13#13Law.", "Rights.\r\n\r\nLaw."},
        {"parts of a mark are kept", "#1 #3 ##133", "#1 #3 #\r\n3"},
        {"empty", "   ", ""},
    };
    for (const TCodecCase& c : cases)
        EXPECT_EQ(ConvertLineBreaks(c.Text, true), c.Expected) << c.Name;
}

TEST(ConvertLineBreaks, EncodingLeavesNoCrOrLf) {
    const TCodecCase cases[] = {
        {"CR LF, lone LF, lone CR", "a\r\nb\nc\rd", "a#13b#13c#13d"},
        {"LF CR is two breaks", "a\n\rb", "a#13#13b"},
        {"CR CR LF", "a\r\r\nb", "a#13#13b"},
        {"breaks at the ends are trimmed", "\r\n x\r\n ", "x"},
        {"marks already there stay", " Title: %s #13 Path: %s ", "Title: %s #13 Path: %s"},
    };
    for (const TCodecCase& c : cases) {
        std::string encoded = ConvertLineBreaks(c.Text, false);
        EXPECT_EQ(encoded, c.Expected) << c.Name;
        EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos) << c.Name;
    }
    EXPECT_EQ(ConvertLineBreaks(ConvertLineBreaks("a\rb\nc", false), true), "a\r\nb\r\nc");
}

TEST(EnsureTrailingBackslash, AddsOneBackslashOnlyWhenMissing) {
    EXPECT_EQ(EnsureTrailingBackslash("C:\\Program Files\\Holvane"),
              "C:\\Program Files\\Holvane\\");
    EXPECT_EQ(EnsureTrailingBackslash("C:\\Holvane\\Skins\\"), "C:\\Holvane\\Skins\\");
    EXPECT_EQ(EnsureTrailingBackslash("Skins\\\\"), "Skins\\\\");
    EXPECT_EQ(EnsureTrailingBackslash("C:"), "C:\\");
    EXPECT_EQ(EnsureTrailingBackslash(""), "\\");
}
