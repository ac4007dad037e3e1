// The registry helpers against the real registry of the test prefix.
#include "RegFixture.h"
#include "Registry.h"

TEST(SplitRootKey, NamesRootsWithoutCaseAndCopiesTheRest) {
    struct Case {
        const char* path;
        HKEY root;
        const char* rest;  // null: rest left as it was
    };
    const Case cases[] = {
        {"hkey_local_machine\\SOFTWARE\\x", HKEY_LOCAL_MACHINE, "SOFTWARE\\x"},
        {"HKEY_CLASSES_ROOT\\CLSID", HKEY_CLASSES_ROOT, "CLSID"},
        {"HKEY_CURRENT_USER\\", HKEY_CURRENT_USER, ""},
        {"HKEY_USERS", HKEY_USERS, nullptr},
        {"HKEY_CURRENT_CONFIG\\a\\b", HKEY_CURRENT_CONFIG, "a\\b"},
        {"HKLM\\SOFTWARE", nullptr, nullptr},
        {"HKEY_LOCAL_MACHINEX\\a", nullptr, nullptr},
        {"", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        std::string rest = "untouched";
        EXPECT_EQ(SplitRootKey(c.path, &rest), c.root) << c.path;
        EXPECT_EQ(rest, c.rest ? c.rest : "untouched") << c.path;
    }
    EXPECT_EQ(SplitRootKey(nullptr, nullptr), nullptr);
    EXPECT_EQ(SplitRootKey("HKEY_USERS\\x", nullptr), HKEY_USERS);
}

TEST(KeyExists, OpensBothLevelsAndCountsUnopenableKeysAsExisting) {
    ScratchKey scratch(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    scratch.CreateKey("Inner");
    std::string sub = scratch.Subkey();
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, sub.c_str(), "Inner"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, sub.c_str(), "Missing"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, sub.c_str(), ""));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, sub.c_str(), nullptr));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, (sub + "\\Missing").c_str(), "Inner"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, nullptr, (sub + "\\Inner").c_str()));

    // Readable but not writable: the full-access open fails with 5, and the key
    // still counts as existing.
    RefusedKey refused(HKEY_CURRENT_USER, scratch.Subkey("Inner"));
    RegKey denied;
    EXPECT_EQ(denied.Open(HKEY_CURRENT_USER, scratch.Subkey("Inner").c_str()), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, sub.c_str(), "Inner"));
}

TEST(QueryKeyInfo, CountsAndSizesWithRoomForTheZero) {
    ScratchKey scratch(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    scratch.CreateKey("Empty");
    KeyInfo info;
    ASSERT_EQ(QueryKeyInfo(HKEY_CURRENT_USER, scratch.Subkey("Empty").c_str(), &info), 0);
    EXPECT_EQ(info.valueCount, 0u);
    EXPECT_EQ(info.subkeyCount, 0u);
    EXPECT_EQ(info.subkeyNameSize, 1u);
    EXPECT_EQ(info.valueNameSize, 1u);

    scratch.SetString("", "Seven77", "data");
    scratch.SetString("", nullptr, "default");
    ASSERT_EQ(QueryKeyInfo(HKEY_CURRENT_USER, scratch.Subkey().c_str(), &info), 0);
    EXPECT_EQ(info.subkeyCount, 1u);
    EXPECT_EQ(info.subkeyNameSize, 6u);
    EXPECT_EQ(info.valueCount, 2u);
    EXPECT_EQ(info.valueNameSize, 8u);
    EXPECT_GE(info.valueDataSize, 8u);  // Wine counts the wide-character size

    EXPECT_EQ(QueryKeyInfo(HKEY_CURRENT_USER, scratch.Subkey().c_str(), nullptr), 29);
    EXPECT_EQ(QueryKeyInfo(HKEY_CURRENT_USER, scratch.Subkey("Missing").c_str(), &info), 2);
}

TEST(QueryValue, ReadsHereOrBelowAndReportsTheNeededSize) {
    ScratchKey scratch(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    scratch.SetString("Below", "Name", "0123456789");
    RegKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, scratch.Subkey().c_str()), 0);
    DWORD type = 0, size = 0;
    EXPECT_EQ(QueryValue(key.Get(), "Below", "Name", &type, nullptr, &size), 0);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 11u);
    BYTE small[4];
    size = sizeof small;
    EXPECT_EQ(QueryValue(key.Get(), "Below", "Name", &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(QueryValue(key.Get(), "Missing", "Name", &type, nullptr, &size), 2);

    RegKey below;
    ASSERT_EQ(below.Open(key.Get(), "Below"), 0);
    char data[32] = {};
    size = sizeof data;
    EXPECT_EQ(QueryValue(below.Get(), "", "Name", &type, reinterpret_cast<BYTE*>(data), &size), 0);
    EXPECT_STREQ(data, "0123456789");
}

TEST(CompareNoCase, IgnoresCaseAndLimitsLength) {
    EXPECT_EQ(CompareNoCase("Software\\Classes", "SOFTWARE\\classes"), 0);
    EXPECT_NE(CompareNoCase("abc", "abd"), 0);
    EXPECT_EQ(CompareNoCaseN("HKEY_CLASSES_ROOTx", "hkey_classes_rootY", 17), 0);
    EXPECT_NE(CompareNoCaseN("HKEY_CLASSES_ROOTx", "hkey_classes_rootY", 18), 0);
}

// Pruning walks upward one level at a time and stops below the root.
TEST(DeletePruned, ValueDeleteRemovesEveryParentLeftEmpty) {
    ScratchKey scratch(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    // A holds B and a value; B holds only C; C holds one value.
    scratch.SetString("A", "Keep", "1");
    scratch.SetString("A\\B\\C", "Last", "1");
    EXPECT_EQ(DeleteValuePruned(scratch.Path("A\\B\\C").c_str(), "Last", false), 0);
    EXPECT_FALSE(scratch.Exists("A\\B"));
    EXPECT_TRUE(scratch.Exists("A"));
    EXPECT_TRUE(scratch.HasValue("A", "Keep"));
}

TEST(DeletePruned, ValueDeleteKeepsKeysThatStillHoldSomething) {
    ScratchKey scratch(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    scratch.SetString("Two", "Gone", "1");
    scratch.SetString("Two", "Stays", "1");
    scratch.SetString("Parent", "Only", "1");
    scratch.CreateKey("Parent\\Child");
    EXPECT_EQ(DeleteValuePruned(scratch.Path("Two").c_str(), "Gone", false), 0);
    EXPECT_TRUE(scratch.HasValue("Two", "Stays"));
    DeleteValuePruned(scratch.Path("Parent").c_str(), "Only", false);
    EXPECT_FALSE(scratch.HasValue("Parent", "Only"));
    EXPECT_TRUE(scratch.Exists("Parent\\Child"));

    // With noPrune the emptied key stays.
    scratch.SetString("Lone", "V", "1");
    EXPECT_EQ(DeleteValuePruned(scratch.Path("Lone").c_str(), "V", true), 0);
    EXPECT_TRUE(scratch.Exists("Lone"));
}

TEST(DeletePruned, DefaultValueIsNamedByNull) {
    ScratchKey scratch(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    scratch.SetString("D", nullptr, "default");
    scratch.SetString("D", "Named", "1");
    EXPECT_EQ(DeleteValuePruned(scratch.Path("D").c_str(), nullptr, false), 0);
    EXPECT_FALSE(scratch.HasValue("D", nullptr));
    EXPECT_TRUE(scratch.HasValue("D", "Named"));
}

TEST(DeletePruned, KeyDeleteStopsAtTheFirstParentThatHoldsSomething) {
    ScratchKey scratch(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    scratch.CreateKey("P\\Q\\R");
    scratch.SetString("P", "Keep", "1");
    EXPECT_EQ(DeleteKeyPruned(scratch.Path("P\\Q\\R").c_str(), false), 0);
    EXPECT_FALSE(scratch.Exists("P\\Q"));
    EXPECT_TRUE(scratch.Exists("P"));

    // A key with subkeys is not deleted, and that is the result.
    scratch.CreateKey("S\\T");
    EXPECT_NE(DeleteKeyPruned(scratch.Path("S").c_str(), false), 0);
    EXPECT_TRUE(scratch.Exists("S\\T"));

    scratch.CreateKey("U\\V");
    EXPECT_EQ(DeleteKeyPruned(scratch.Path("U\\V").c_str(), true), 0);
    EXPECT_TRUE(scratch.Exists("U"));
}

TEST(DeletePruned, NeverOpensOrDeletesARootKey) {
    // An empty key straight below the root: the key goes, the root is not
    // touched, and the key just below the root is never pruned.
    const char* name = "Software\\Holvane-RootPrune";
    RegDeleteTreeA(HKEY_CURRENT_USER, name);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              0);
    RegCloseKey(key);
    EXPECT_EQ(DeleteKeyPruned("HKEY_CURRENT_USER\\Software\\Holvane-RootPrune", false), 0);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, nullptr, "Software"));

    const char* bad[] = {
        nullptr, "", "HKEY_CURRENT_USER", "HKEY_CURRENT_USER\\", "HKCU\\Software", "NOSUCHROOT\\x"};
    for (const char* path : bad) {
        EXPECT_EQ(DeleteKeyPruned(path, false), ERROR_INVALID_PARAMETER) << (path ? path : "null");
        EXPECT_EQ(DeleteValuePruned(path, "v", false), ERROR_INVALID_PARAMETER);
    }
}
