// Registry keys and string values against real keys of the test's own.
#include <classlib/Registry.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "RegFixture.h"

namespace {

// A path taken from the root ("\" in front).
std::string FromRoot(const std::string& path) {
    std::string result = "\\";
    result += path;
    return result;
}

}  // namespace

TEST(Registry, OpensCreatesWritesReadsAndDeletes) {
    ScratchKey scratch(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    TRegistry registry;
    EXPECT_EQ(registry.RootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(registry.OpenKey(scratch.Subkey("Run"), false));
    ASSERT_TRUE(registry.OpenKey(scratch.Subkey("Run"), true));
    EXPECT_EQ(registry.CurrentPath(), scratch.Subkey("Run"));

    registry.WriteString("Holvane", "\"C:\\Program Files\\Holvane\\Holvane.exe\"");
    EXPECT_TRUE(registry.ValueExists("Holvane"));
    EXPECT_EQ(registry.ReadString("Holvane"), "\"C:\\Program Files\\Holvane\\Holvane.exe\"");
    EXPECT_EQ(registry.ReadString("Missing"), "");
    EXPECT_TRUE(registry.DeleteValue("Holvane"));
    EXPECT_FALSE(registry.DeleteValue("Holvane"));
    EXPECT_FALSE(registry.ValueExists("Holvane"));

    // Relative paths go on from the open key, "\" starts from the root; a
    // failed open keeps the key that was open.
    ASSERT_TRUE(registry.OpenKey("Inner", true));
    EXPECT_EQ(registry.CurrentPath(), scratch.Subkey("Run\\Inner"));
    EXPECT_FALSE(registry.OpenKey("Nowhere", false));
    EXPECT_EQ(registry.CurrentPath(), scratch.Subkey("Run\\Inner"));
    ASSERT_TRUE(registry.OpenKey(FromRoot(scratch.Subkey()), false));
    EXPECT_EQ(registry.CurrentPath(), scratch.Subkey());
    EXPECT_TRUE(scratch.Exists("Run\\Inner"));

    registry.CloseKey();
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_FALSE(registry.DeleteValue("x"));
}

TEST(Registry, ValuesOfOtherKindsAndFailedWritesRaise) {
    ScratchKey scratch(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    scratch.CreateKey("Values");
    DWORD number = 5;
    RegSetKeyValueA(scratch.Root(), scratch.Subkey("Values").c_str(), "Number", REG_DWORD, &number,
                    sizeof number);
    // A string stored without its closing zero, and one with text after a zero.
    RegSetKeyValueA(scratch.Root(), scratch.Subkey("Values").c_str(), "Bare", REG_SZ, "abc", 3);
    RegSetKeyValueA(scratch.Root(), scratch.Subkey("Values").c_str(), "Inner", REG_SZ, "ab\0cd", 6);
    scratch.SetString("Values", "Expand", "%TEMP%\\x", REG_EXPAND_SZ);

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(scratch.Subkey("Values")));
    EXPECT_EQ(registry.ReadString("Bare"), "abc");
    EXPECT_EQ(registry.ReadString("Inner"), "ab");
    EXPECT_EQ(registry.ReadString("Expand"), "%TEMP%\\x");
    try {
        registry.ReadString("Number");
        FAIL();
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.Message(), "Invalid data type for 'Number'");
    }
    // Opened for reading only, the key refuses the write.
    try {
        registry.WriteString("Holvane", "x");
        FAIL();
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.Message(), "Failed to set data for 'Holvane'");
    }
    EXPECT_FALSE(scratch.HasValue("Values", "Holvane"));
    registry.CloseKey();
    EXPECT_THROW(registry.WriteString("Holvane", "x"), ERegistryException);
}

TEST(RegIniFile, ReadsAStringBelowAKeyAndNeverCreatesOne) {
    ScratchKey scratch(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    scratch.SetString("ThemeManager", "ColorName", "NormalColor");
    scratch.SetString("", "Top", "top value");
    DWORD number = 1;
    RegSetKeyValueA(scratch.Root(), scratch.Subkey("ThemeManager").c_str(), "Number", REG_DWORD,
                    &number, sizeof number);

    TRegIniFile ini(FromRoot(scratch.Subkey()));
    EXPECT_EQ(ini.ReadString("ThemeManager", "ColorName", ""), "NormalColor");
    EXPECT_EQ(ini.ReadString("ThemeManager", "Missing", "def"), "def");
    EXPECT_EQ(ini.ReadString("ThemeManager", "Number", "def"), "def");
    EXPECT_EQ(ini.ReadString("NoSection", "ColorName", "def"), "def");
    EXPECT_EQ(ini.ReadString("", "Top", "def"), "top value");

    TRegIniFile missing(FromRoot(scratch.Subkey("Not\\There")));
    EXPECT_EQ(missing.ReadString("ThemeManager", "ColorName", "none"), "none");
    EXPECT_FALSE(scratch.Exists("Not"));
}
