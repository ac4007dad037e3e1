// The skin loader against skin files written by the tests: the text forms,
// the three readers and their fall-backs, the value forms as a label's font
// takes them, pictures that are missing, colour errors ending the walk, and
// which controls the walk reaches.
#include <app/TBSkiner.h>
#include <classlib/ComCtrls.h>
#include <classlib/ExtCtrls.h>
#include <classlib/IniFiles.h>
#include <classlib/StdCtrls.h>
#include <classlib/SysUtils.h>
#include <widgets/pages/PageControlEx.h>
#include <widgets/panels/ImagePanel.h>

#include "SkinFixture.h"

namespace {

TEST(NormaliseSkinText, TrimsJoinsBlanksAndBreaksLines) {
    struct {
        const char* text;
        const char* normalised;
    } cases[] = {
        // Blanks in front, a run between the first words, a break between
        // blanks before the last word, a blank at the end.
        {"  Scan   the #13 registry ", "Scan the \r\n registry"},
        {"#13Top and bottom#13", "\r\nTop and bottom\r\n"},
        {" \t\r\n ", ""},
        {"", ""},
        {"\ttab\t\tkept\x01", "tab\t\tkept"},
        {"a  #13#13  b", "a \r\n\r\n b"},
        {"#1#13 3", "#1\r\n 3"},
    };
    for (const auto& c : cases) EXPECT_EQ(NormaliseSkinText(c.text), c.normalised) << c.text;
}

TEST(ParseFontStyleLetters, TestsEachLetterAnywhere) {
    struct {
        const char* text;
        TFontStyles styles;
    } cases[] = {
        {"bi", {fsBold, fsItalic}},
        {"IB", {fsBold, fsItalic}},
        {"Underline", {fsUnderline, fsItalic}},
        {"BOLD", {fsBold}},
        {"s", {fsStrikeOut}},
        {"xyz 123", {}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_TRUE(ParseFontStyleLetters(c.text) == c.styles) << c.text;
}

using SkinReaderTest = SkinTest;

TEST_F(SkinReaderTest, IntegersBooleansAndTextsWithTheirDefaults) {
    WriteSkin("Hex=$10\r\nWord=twelve\r\nNegative=-5\r\nZero=0\r\nTwo=2\r\nText=  as stored  \r\n");
    TBSkinerDLL skiner(AppSettings.SkinPath, "FORMMAIN");
    EXPECT_EQ(skiner.ReadSkinInteger("FORMMAIN", "Hex", 7), 16);
    EXPECT_EQ(skiner.ReadSkinInteger("FORMMAIN", "Word", 7), 7);
    EXPECT_EQ(skiner.ReadSkinInteger("FORMMAIN", "Negative", 7), -5);
    EXPECT_EQ(skiner.ReadSkinInteger("FORMMAIN", "Absent", 7), 7);
    // Section and key names without regard to case.
    EXPECT_EQ(skiner.ReadSkinInteger("formmain", "HEX", 7), 16);
    EXPECT_TRUE(skiner.ReadSkinBool("FORMMAIN", "Two", false));
    EXPECT_FALSE(skiner.ReadSkinBool("FORMMAIN", "Zero", true));
    EXPECT_TRUE(skiner.ReadSkinBool("FORMMAIN", "Word", true));
    EXPECT_FALSE(skiner.ReadSkinBool("FORMMAIN", "Word", false));
    EXPECT_FALSE(skiner.ReadSkinBool("FORMMAIN", "Absent", false));
    EXPECT_EQ(skiner.ReadSkinString("FORMMAIN", "Word", "d"), "twelve");
    EXPECT_EQ(skiner.ReadSkinString("FORMMAIN", "Absent", "d"), "d");
    EXPECT_EQ(skiner.ReadSkinString("OTHER", "Word", "d"), "d");
}

// An applier reads a section once and answers from memory; every answer is
// the one the platform's profile reader gives for the file.
TEST_F(SkinReaderTest, TheReadersAnswerAsTheProfileReaderOfTheFileDoes) {
    const std::string longText(3000, 'w');
    Folder.File(SkinFileName,
                "Before=first section\r\n"
                "[FORMMAIN]\r\n"
                "  Spaced Name  =  \"quoted value\"  \r\n"
                "NoEquals\r\n"
                ";Comment=3\r\n"
                "SPACED NAME=second of the name\r\n"
                "Lone=\"\r\nSingle='x'\r\nMixed=\"x'\r\nEmpty=\r\nTwoQuotes=\"\"\r\n"
                "\tTabbed\t=\tv\t\r\n"
                "=no name\r\n"
                "Hex=$1F\r\nBlankNumber= 12 \r\nQuotedNumber=\"7\"\r\n"
                "Long=" +
                    longText + "\r\nLongQuoted=\"" + longText +
                    "\"\r\n"
                    "Accented=\xe9t\xe9\r\n\xc9T\xc9=upper\r\n"
                    "[formmain]\r\nLater=in the second section of the name\r\n"
                    "[ Blanks ]\rCarriage=1\rReturns=2\r\n");
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"FORMMAIN", "Spaced Name"},
        {"formmain", " spaced name "},
        {"FORMMAIN", "NoEquals"},
        {"FORMMAIN", ";Comment"},
        {"FORMMAIN", "Lone"},
        {"FORMMAIN", "Single"},
        {"FORMMAIN", "Mixed"},
        {"FORMMAIN", "Empty"},
        {"FORMMAIN", "TwoQuotes"},
        {"FORMMAIN", "Tabbed"},
        {"FORMMAIN", ""},
        {"FORMMAIN", "Hex"},
        {"FORMMAIN", "BlankNumber"},
        {"FORMMAIN", "QuotedNumber"},
        {"FORMMAIN", "Long"},
        {"FORMMAIN", "LongQuoted"},
        {"FORMMAIN", "Accented"},
        {"FORMMAIN", "\xc9T\xc9"},
        {"FORMMAIN", "\xe9t\xe9"},
        {"FORMMAIN", "Later"},
        {"FORMMAIN", "Absent"},
        {"Blanks", "Carriage"},
        {" blanks ", "Returns"},
        {"", "Before"},
        {"Missing", "Hex"},
    };
    const std::vector<std::string> defaults = {"d", "", "  trailing  ", "\"quoted\"", " ", "'q'"};
    TBSkinerDLL skiner(AppSettings.SkinPath, "FORMMAIN");
    const TIniFile ini(AppSettings.SkinFilePath);
    for (const auto& [section, key] : keys) {
        for (const std::string& def : defaults)
            EXPECT_EQ(skiner.ReadSkinString(section, key, def), ini.ReadString(section, key, def))
                << section << "/" << key << " default [" << def << "]";
        EXPECT_EQ(skiner.ReadSkinInteger(section, key, -9), ini.ReadInteger(section, key, -9))
            << section << "/" << key;
        for (bool def : {false, true})
            EXPECT_EQ(skiner.ReadSkinBool(section, key, def), ini.ReadBool(section, key, def))
                << section << "/" << key;
    }
    // A changed file is read by the next applier, not by one that has read it.
    WriteSkin("Hex=$20\r\n");
    EXPECT_EQ(skiner.ReadSkinInteger("FORMMAIN", "Hex", 0), 31);
    EXPECT_EQ(TBSkinerDLL(AppSettings.SkinPath, "FORMMAIN").ReadSkinInteger("FORMMAIN", "Hex", 0),
              32);
}

TEST_F(SkinReaderTest, WithoutASkinFileTheReadersGiveTheirOwnFallBacks) {
    TBSkinerDLL skiner(AppSettings.SkinPath, "FORMMAIN");
    EXPECT_EQ(skiner.ReadSkinString("FORMMAIN", "Any", "d"), "error");
    EXPECT_EQ(skiner.ReadSkinInteger("FORMMAIN", "Any", 7), 0);
    EXPECT_FALSE(skiner.ReadSkinBool("FORMMAIN", "Any", true));
}

TEST_F(SkinReaderTest, FolderAndSection) {
    TBSkinerDLL plain("C:\\skins", "FORMMAIN");
    EXPECT_EQ(plain.SkinFolder(), "C:\\skins\\");
    EXPECT_EQ(plain.SkinSection(), "FORMMAIN");
    TBSkinerDLL ending("C:\\skins\\", "");
    EXPECT_EQ(ending.SkinFolder(), "C:\\skins\\");
    EXPECT_EQ(ending.SkinSection(), "SKINPARAM");
    TBSkinerDLL empty("", "");
    EXPECT_EQ(empty.SkinFolder(), AppSettings.SkinPath);
}

TEST_F(SkinReaderTest, AnApplierWithoutASectionReadsSkinParam) {
    WriteSkin("LABEL_Label_TEXT=From the default section\r\n", "SKINPARAM");
    auto label = Add<TLabel>("Label");
    Apply("");
    EXPECT_EQ(label->Caption(), "From the default section");
}

// The value forms as the font group of a label applies them.
TEST_F(SkinReaderTest, CharacterSetsAndPitches) {
    struct {
        const char* charset;
        TFontCharset expectedCharset;
        const char* pitch;
        TFontPitch expectedPitch;
    } cases[] = {
        {"DEFAULT_CHARSET", 1, "fpFixed", fpDefault},
        {"0", 0, "2", fpFixed},
        {"134", 134, "1", fpVariable},
        {"$86", 134, "0", fpDefault},
        {"2", 2, "fpVariable", fpDefault},
        {"GB2312_CHARSET", 1, "7", fpDefault},
    };
    auto label = Add<TLabel>("Label");
    for (const auto& c : cases) {
        label->Font()->SetCharset(77);
        label->Font()->SetPitch(fpVariable);
        WriteSkin(std::string("LABEL_Label_FONT_CHARSET=") + c.charset +
                  "\r\nLABEL_Label_FONT_PITCH=" + c.pitch + "\r\n");
        Apply();
        EXPECT_EQ(label->Font()->Charset(), c.expectedCharset) << c.charset;
        EXPECT_EQ(label->Font()->Pitch(), c.expectedPitch) << c.pitch;
    }
}

TEST_F(SkinReaderTest, ColoursByIdentifierInAnyCaseOrByNumber) {
    struct {
        const char* text;
        TColor colour;
    } cases[] = {
        {"clBtnFace", clBtnFace},   {"clbtnface", clBtnFace}, {"CLRED", clRed},
        {"$00FF8040", 0x00FF8040},  {"$FF8040", 0x00FF8040},  {"255", clRed},
        {"clMoneyGreen", 0xC0DCC0}, {"clNone", clNone},
    };
    auto label = Add<TLabel>("Label");
    for (const auto& c : cases) {
        WriteSkin(std::string("LABEL_Label_FONT_COLOR=") + c.text + "\r\n");
        Apply();
        EXPECT_EQ(label->Font()->Color(), c.colour) << c.text;
    }
}

TEST_F(SkinReaderTest, AWordThatIsNoColourEndsTheWalkWithTheConversionError) {
    WriteSkin(
        "LABEL_First_TEXT=first\r\n"
        "LABEL_Second_TEXT=second\r\nLABEL_Second_FONT_COLOR=Green\r\n"
        "LABEL_Second_FONT_NAME=Courier New\r\n"
        "LABEL_Third_TEXT=third\r\n");
    auto first = Add<TLabel>("First");
    auto second = Add<TLabel>("Second");
    auto third = Add<TLabel>("Third");
    second->Font()->SetName("Arial");
    try {
        Apply();
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'Green' is not a valid integer value");
    }
    EXPECT_EQ(first->Caption(), "first");
    // The keys before the colour stay applied, the rest of the walk is left.
    EXPECT_EQ(second->Caption(), "second");
    EXPECT_EQ(second->Font()->Name(), "Arial");
    EXPECT_EQ(third->Caption(), "");
    EXPECT_TRUE(Form->DoubleBuffered());
}

TEST_F(SkinReaderTest, APictureOfNoKnownFormatEndsTheWalk) {
    Folder.File("face.xyz", "not a picture");
    WriteSkin("IMAGE_Image_BMP=face.xyz\r\nIMAGE_Image_LEFT=44\r\n");
    auto image = Add<TImage>("Image");
    try {
        Apply();
        FAIL() << "no error";
    } catch (const EInvalidGraphic& error) {
        EXPECT_STREQ(error.what(), "Unknown picture file extension (.xyz)");
    }
    EXPECT_NE(image->Left(), 44);
}

TEST_F(SkinReaderTest, AMissingOrEmptyPictureLeavesThePictureAsTheFormGaveIt) {
    auto image = Add<TImage>("Image");
    image->SetAutoSize(false);
    image->Picture()->LoadFromFile(Folder.Path() + Picture("design.bmp", 12, 9));
    for (const char* value : {"missing.bmp", "", "   "}) {
        WriteSkin(std::string("IMAGE_Image_BMP=") + value + "\r\n");
        Apply();
        EXPECT_EQ(image->Picture()->Width(), 12) << value;
        EXPECT_EQ(image->Picture()->Height(), 9) << value;
    }
    // The name is joined to the skin folder as it stands.
    Picture("Face.bmp", 20, 10);
    WriteSkin("IMAGE_Image_BMP=Face.bmp\r\n");
    Apply();
    EXPECT_EQ(image->Picture()->Width(), 20);
}

TEST_F(SkinReaderTest, IntegerKeysInHexadecimalOrAsWords) {
    WriteSkin(
        "LABEL_Label_LEFT=$10\r\nLABEL_Label_TOP=ten\r\nLABEL_Label_AUTOSIZE=$1\r\n"
        "LABEL_Label_CURSOR=-21\r\n");
    auto label = Add<TLabel>("Label");
    label->SetAutoSize(false);
    label->SetBounds(3, 4, 50, 20);
    Apply();
    EXPECT_EQ(label->Left(), 16);
    EXPECT_EQ(label->Top(), 4);
    EXPECT_TRUE(label->AutoSize());
    EXPECT_EQ(label->Cursor(), crHandPoint);
}

// A page control of the kit in an image panel, two pages (the second made
// first in page order), a plain panel and a group of image panels.
class SkinWalkTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        Outer = Add<TImagePanel>("Outer");
        Pages = Add<TPageControlEx>("Pages", Outer);
        First = Add<TTabSheet>("First", Pages);
        Second = Add<TTabSheet>("Second", Pages);
        Second->SetPageIndex(0);
        InFirst = Add<TLabel>("InFirst", First);
        InSecond = Add<TLabel>("InSecond", Second);
        Inner = Add<TImagePanel>("Inner", Outer);
        InInner = Add<TLabel>("InInner", Inner);
        Plain = Add<TPanel>("Plain");
        Plain->SetBounds(5, 6, 70, 80);
        InPlain = Add<TLabel>("InPlain", Plain);
        OnForm = Add<TLabel>("OnForm");
    }

    TImagePanel* Outer = nullptr;
    TPageControlEx* Pages = nullptr;
    TTabSheet* First = nullptr;
    TTabSheet* Second = nullptr;
    TLabel* InFirst = nullptr;
    TLabel* InSecond = nullptr;
    TImagePanel* Inner = nullptr;
    TLabel* InInner = nullptr;
    TPanel* Plain = nullptr;
    TLabel* InPlain = nullptr;
    TLabel* OnForm = nullptr;
};

TEST_F(SkinWalkTest, ImagePanelsPageControlsAndTheirPagesAreEnteredPlainPanelsAreNot) {
    WriteSkin(
        "LABEL_InFirst_TEXT=in first\r\nLABEL_InSecond_TEXT=in second\r\n"
        "LABEL_InInner_TEXT=in inner\r\nLABEL_InPlain_TEXT=in plain\r\n"
        "LABEL_OnForm_TEXT=on form\r\nIMAGEPANEL_Outer_TEXT=outer\r\n"
        "PAGECONTROLEX_Pages_LEFT=7\r\n"
        "IMAGEPANEL_Plain_LEFT=50\r\nLABEL_Plain_LEFT=50\r\nPAGECONTROLEX_Plain_LEFT=50\r\n");
    Apply();
    EXPECT_EQ(InFirst->Caption(), "in first");
    EXPECT_EQ(InSecond->Caption(), "in second");
    EXPECT_EQ(InInner->Caption(), "in inner");
    EXPECT_EQ(OnForm->Caption(), "on form");
    EXPECT_EQ(Outer->Caption(), "outer");
    EXPECT_EQ(Pages->Left(), 7);
    EXPECT_EQ(InPlain->Caption(), "");
    EXPECT_EQ(Plain->Left(), 5);
    EXPECT_EQ(Plain->Height(), 80);
}

TEST_F(SkinWalkTest, PagesAreWalkedInPageOrder) {
    // The page made second stands first: its error stops the walk before the
    // other page is reached.
    WriteSkin(
        "LABEL_InSecond_TEXT=in second\r\nLABEL_InSecond_FONT_COLOR=reddish\r\n"
        "LABEL_InFirst_TEXT=in first\r\n");
    EXPECT_THROW(Apply(), EConvertError);
    EXPECT_EQ(InSecond->Caption(), "in second");
    EXPECT_EQ(InFirst->Caption(), "");
}

TEST_F(SkinWalkTest, AContainerIsSkinnedBeforeItsChildren) {
    WriteSkin(
        "IMAGEPANEL_Outer_COLOR=nothing\r\nIMAGEPANEL_Outer_TEXT=outer\r\n"
        "LABEL_InInner_TEXT=in inner\r\n");
    EXPECT_THROW(Apply(), EConvertError);
    EXPECT_EQ(Outer->Caption(), "outer");
    EXPECT_EQ(InInner->Caption(), "");
}

}  // namespace
