// Splitting texts and reading picture placements.
#include <classlib/SysUtils.h>
#include <defrag/globals.h>
#include <defrag/multiSkins.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using Parts = std::vector<std::string>;

TEST(SplitText, PartsBetweenSeparatorsWithTheLastOneKeptAsItStands) {
    struct TCase {
        std::string Text, Separator;
        bool Trim;
        Parts Expected;
    };
    const TCase cases[] = {
        {"10, 20 ,\t30", ",", true, {"10", "20", "\t30"}},
        {"10, 20 ,30 ", ",", false, {"10", " 20 ", "30 "}},
        {"a , b ", ",", true, {"a", " b "}},
        {"no separator", ",", true, {"no separator"}},
        {"", ",", true, {""}},
        {",a,,", ",", true, {"", "a", "", ""}},
        {"key::value::", "::", false, {"key", "value", ""}},
        {"a:b", "", true, {"a:b"}},  // an empty separator never occurs
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SplitText(c.Text, c.Separator, c.Trim), c.Expected) << '"' << c.Text << '"';
}

TEST(SplitText, SeparatorsFarIntoALongTextSplitItToo) {
    const std::string head(300, 'x');
    EXPECT_EQ(SplitText(head + ", y, z", ",", true), (Parts{head, "y", " z"}));

    std::string many;
    for (int i = 0; i < 1000; ++i) many += std::to_string(i) + ",";
    Parts parts = SplitText(many, ",", false);
    ASSERT_EQ(parts.size(), 1001u);
    EXPECT_EQ(parts[999], "999");
    EXPECT_EQ(parts[1000], "");
}

TEST(ImagePlacement, FourOrFiveNumbersWithTheFifthOptional) {
    struct TCase {
        std::string Text;
        TImagePlacement Expected;
    };
    const TCase cases[] = {
        {"10, 20, 300, 150, 0", {10, 20, 300, 150, 0}},
        {"10, 20, 300, 150", {10, 20, 300, 150, -1}},
        {"10, 20, 300, 150, x", {10, 20, 300, 150, -1}},  // no number: visibility unchanged
        {" 0,0 , 183, 391, 1, ignored", {0, 0, 183, 391, 1}},
        {"-5, $10, 0x20, 4", {-5, 16, 32, 4, -1}},
    };
    for (const TCase& c : cases) {
        TImagePlacement placement;
        ASSERT_TRUE(ParseImagePlacement(c.Text, placement)) << c.Text;
        EXPECT_EQ(placement.Left, c.Expected.Left) << c.Text;
        EXPECT_EQ(placement.Top, c.Expected.Top) << c.Text;
        EXPECT_EQ(placement.Width, c.Expected.Width) << c.Text;
        EXPECT_EQ(placement.Height, c.Expected.Height) << c.Text;
        EXPECT_EQ(placement.Visible, c.Expected.Visible) << c.Text;
    }
}

TEST(ImagePlacement, FewerThanFourFieldsSetNothingAndAWordRaises) {
    for (const std::string text : {"10, 20, 300", "", "10 20 300 150"}) {
        TImagePlacement placement{1, 2, 3, 4, 5};
        EXPECT_FALSE(ParseImagePlacement(text, placement)) << text;
        EXPECT_EQ(placement.Left, 1);
        EXPECT_EQ(placement.Height, 4);
        EXPECT_EQ(placement.Visible, 5);
    }
    TImagePlacement placement;
    EXPECT_THROW(ParseImagePlacement("10, twenty, 300, 150", placement), EConvertError);
    EXPECT_EQ(placement.Left, 0);
}
