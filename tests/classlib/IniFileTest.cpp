// Ini files against real files: value forms, lists, existence and erasing,
// and the same reads from memory, a section read once.
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "RegFixture.h"

TEST(IniFile, ValuesKeepTheirFormsAndDefaults) {
    ScratchFolder folder;
    TIniFile ini(folder.File("config.ini",
                             "[system]\r\n"
                             "hex=0x10\r\nHEX2=$1F\r\nword=abc\r\nbool=5\r\n"
                             "zero=0\r\nspaced=  text with blanks  \r\n"));
    EXPECT_EQ(ini.ReadInteger("system", "hex", 0), 16);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "hex2", 0), 31);
    EXPECT_EQ(ini.ReadInteger("system", "word", 7), 7);
    EXPECT_EQ(ini.ReadInteger("system", "missing", -3), -3);
    EXPECT_TRUE(ini.ReadBool("system", "bool", false));
    EXPECT_FALSE(ini.ReadBool("system", "zero", true));
    EXPECT_TRUE(ini.ReadBool("system", "word", true));
    EXPECT_EQ(ini.ReadString("system", "spaced", ""), "text with blanks");
    EXPECT_EQ(ini.ReadString("other", "missing", "fallback"), "fallback");

    ini.WriteInteger("system", "count", -42);
    ini.WriteBool("system", "flag", true);
    ini.WriteBool("system", "off", false);
    ini.WriteString("system", "text", "Save file %s failed!");
    EXPECT_EQ(ini.ReadString("system", "count", ""), "-42");
    EXPECT_EQ(ini.ReadString("system", "flag", ""), "1");
    EXPECT_EQ(ini.ReadString("system", "off", ""), "0");
    EXPECT_EQ(ini.ReadString("system", "text", ""), "Save file %s failed!");
}

TEST(IniFile, LongValuesAndLongListsAreReadWhole) {
    ScratchFolder folder;
    TIniFile ini(folder.Path() + "long.ini");
    std::string longValue;
    for (int i = 0; i < 700; ++i) longValue += std::to_string(i % 10) + "abcdefgh";
    ini.WriteString("texts", "long", longValue);
    EXPECT_EQ(ini.ReadString("texts", "long", ""), longValue);

    std::vector<std::string> keys, sections;
    for (int i = 0; i < 120; ++i) {
        keys.push_back("IDS_MAINWND_LABEL_SomeRatherLongKeyName" + std::to_string(i));
        sections.push_back("Section with a long name number " + std::to_string(i));
        ini.WriteString("many", keys.back(), "x");
        ini.WriteString(sections.back(), "k", "v");
    }
    EXPECT_EQ(ini.ReadSection("many"), keys);
    std::vector<std::string> all = ini.ReadSections();
    ASSERT_EQ(all.size(), sections.size() + 2);
    EXPECT_EQ(all[0], "texts");
    EXPECT_EQ(all[1], "many");
    EXPECT_EQ(std::vector<std::string>(all.begin() + 2, all.end()), sections);
}

TEST(IniFile, ExistenceTestsAndRemoval) {
    ScratchFolder folder;
    TIniFile ini(folder.File("skin.ini", "[FORMMAIN]\r\nSplash=\r\nKey=1\r\n[Empty]\r\n"));
    EXPECT_TRUE(ini.SectionExists("formmain"));
    EXPECT_FALSE(ini.SectionExists("Empty"));
    EXPECT_FALSE(ini.SectionExists("Nowhere"));
    EXPECT_TRUE(ini.ValueExists("FORMMAIN", "splash"));  // present, though empty
    EXPECT_TRUE(ini.ValueExists("FORMMAIN", "Key"));
    EXPECT_FALSE(ini.ValueExists("FORMMAIN", "Other"));
    EXPECT_FALSE(ini.ValueExists("Nowhere", "Key"));

    ini.DeleteKey("FORMMAIN", "Key");
    EXPECT_FALSE(ini.ValueExists("FORMMAIN", "Key"));
    ini.DeleteKey("FORMMAIN", "NeverThere");
    ini.EraseSection("FORMMAIN");
    EXPECT_FALSE(ini.SectionExists("FORMMAIN"));
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Empty"}));

    EXPECT_TRUE(TIniFile(folder.Path() + "absent.ini").ReadSections().empty());
}

TEST(IniFile, AFileThatCannotBeWrittenRaises) {
    ScratchFolder folder;
    std::string path = folder.Path() + "no such folder\\config.ini";
    TIniFile ini(path);
    try {
        ini.WriteString("system", "Version", "v6.2.4.4");
        FAIL();
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), "Unable to write to " + path);
    }
    EXPECT_THROW(ini.WriteBool("system", "StartMin", true), EIniFileException);
}

// An ini file read a section at a time answers as the platform's profile
// reader does, and keeps what it read of a section.
TEST(MemIniFile, AnswersAsTheProfileReaderAndReadsEachSectionOnce) {
    ScratchFolder folder;
    const std::string file = folder.File("skin.ini",
                                         "[Main]\r\n"
                                         "  Name  = \"quoted\" \r\nname=second\r\n"
                                         "hex=$1F\r\nword=abc\r\nBare\r\n;Comment=3\r\n"
                                         "[Other]\r\nkey=other\r\n");
    const TIniFile platform(file);
    const TMemIniFile memory(file);
    for (const char* key : {"name", " NAME ", "hex", "word", "Bare", ";Comment", "absent"})
        for (const char* def : {"", "d", "'q'  "})
            EXPECT_EQ(memory.ReadString("main", key, def), platform.ReadString("main", key, def))
                << key << " [" << def << "]";
    EXPECT_EQ(memory.ReadInteger("Main", "hex", 0), 31);
    EXPECT_EQ(memory.ReadInteger("Main", "word", 7), 7);
    EXPECT_TRUE(memory.ReadBool("Main", "hex", false));
    EXPECT_FALSE(memory.ReadBool("Missing", "hex", false));

    // A section read stays as it was read; one not read yet is read now.
    platform.WriteString("Main", "hex", "$20");
    platform.WriteString("Other", "key", "changed");
    EXPECT_EQ(memory.ReadInteger("Main", "hex", 0), 31);
    EXPECT_EQ(memory.ReadString("Other", "key", ""), "changed");
}
