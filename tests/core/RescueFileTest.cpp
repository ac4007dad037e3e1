// The rescue file writers and reader against the real registry and files of
// the test prefix, checked byte for byte against the layout.
#include <support/Files.h>
#include <support/RescueBytes.h>

#include <cstdlib>

#include "Registry.h"
#include "RescueFile.h"
#include "RescueTestSupport.h"

namespace {

class RescueFileTest : public RescueFixture {
protected:
    std::string file = folder.Path() + "test.rrs";

    std::string Bytes() const { return ReadWholeFile(file); }
};

const std::string kTextData("C:\\a.txt\0", 9);

TEST_F(RescueFileTest, WorkedExampleIsTheSameFromEveryWriter) {
    key.SetString("", "Path", "C:\\a.txt");
    const std::string path = key.Path();
    const uint32_t n = static_cast<uint32_t>(path.size());
    // cbEntry 12 + 5 + 9 = 26; cbKeyItem 4 + 4 + (n + 1) + 4 + 26.
    const std::string expected = HeaderBytes(1) + Le32(n + 39) + Le32(1) + Le32(n) + path + '\0' +
                                 Le32(26) + Le32(4) + Le32(REG_SZ) + Le32(9) + "Path" + '\0' +
                                 kTextData;
    // For a 31-character path such as HKEY_CURRENT_USER\Software\Test: 82 bytes.
    EXPECT_EQ(expected.size(), n + 51);

    ASSERT_EQ(BackupValue(path.c_str(), "Path", file.c_str(), RescueAppend), 0u);
    EXPECT_EQ(Bytes(), expected);

    ASSERT_EQ(BackupKeyTree(path.c_str(), file.c_str(), RescueCreateNew, false), 0u);
    EXPECT_EQ(Bytes(), expected);

    DeleteFileA(file.c_str());
    HANDLE handle =
        CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    RegKey opened;
    ASSERT_EQ(opened.Open(HKEY_CURRENT_USER, key.Subkey().c_str()), 0);
    EXPECT_EQ(WriteKeyRecord(path.c_str(), opened.Get(), handle, RescueAppend), 0u);
    CloseHandle(handle);
    EXPECT_EQ(Bytes(), expected);
}

TEST_F(RescueFileTest, KeyWithoutValuesGetsTheEmptyEntryAndRestoresEmpty) {
    key.CreateKey("Empty");
    const std::string path = key.Path("Empty");
    const uint32_t n = static_cast<uint32_t>(path.size());
    ASSERT_EQ(BackupKeyTree(path.c_str(), file.c_str(), RescueAppend, true), 0u);
    // cbKeyItem 4 + 4 + (n + 1) + 16: 56 for a 31-character path.
    EXPECT_EQ(Bytes(), HeaderBytes(1) + Le32(n + 25) + Le32(0) + Le32(n) + path + '\0' +
                           EmptyKeyEntryBytes());

    RegDeleteKeyA(HKEY_CURRENT_USER, key.Subkey("Empty").c_str());
    ASSERT_FALSE(key.Exists("Empty"));
    EXPECT_EQ(RestoreRescueFile(nullptr, file.c_str(), 1), 0u);
    EXPECT_TRUE(key.Exists("Empty"));
    EXPECT_EQ(ValueCount(key, "Empty"), 0u);
}

TEST_F(RescueFileTest, DefaultValueIsStoredWithoutANameAndRestoredAsTheDefault) {
    key.SetString("K", nullptr, "the default");
    const std::string path = key.Path("K");
    ASSERT_EQ(BackupValue(path.c_str(), nullptr, file.c_str(), RescueAppend), 0u);
    std::vector<ParsedRecord> records = ParseRecords(Bytes());
    ASSERT_EQ(records.size(), 1u);
    // cbEntry 12 + data: no name bytes at all.
    EXPECT_EQ(ReadLe32(Bytes(), records[0].offset + 13 + path.size()), 12u + 12u);
    EXPECT_EQ(records[0].entries[0].name, "");
    EXPECT_EQ(records[0].entries[0].data, std::string("the default\0", 12));

    RegDeleteKeyValueA(key.Root(), key.Subkey("K").c_str(), nullptr);
    ASSERT_EQ(ValueText(key, "K", nullptr), "(missing)");
    EXPECT_EQ(RestoreRescueFile(nullptr, file.c_str(), 1), 0u);
    EXPECT_EQ(ValueText(key, "K", nullptr), std::string("the default\0", 12));
    EXPECT_EQ(ValueCount(key, "K"), 1u);
}

// Appending: a file of 8 bytes or less gets its record at 8, a longer one at
// its old end; the counter rises by one per record.
TEST_F(RescueFileTest, AppendsBehindTheHeaderOrAtTheOldEnd) {
    key.SetString("", "V", "x");
    const std::string path = key.Path();
    const std::string record = RecordBytes(path, {EntryBytes("V", REG_SZ, std::string("x\0", 2))});
    const std::string earlier = RecordBytes("HKEY_CURRENT_USER\\Other", {EmptyKeyEntryBytes()}, 0);
    struct Case {
        const char* what;
        bool exists;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"missing file", false, "", HeaderBytes(1) + record},
        {"empty file", true, "", HeaderBytes(1) + record},
        {"three bytes", true, "abc", HeaderBytes(1) + record},
        {"header only", true, HeaderBytes(5), HeaderBytes(6) + record},
        {"one record", true, HeaderBytes(1) + earlier, HeaderBytes(2) + earlier + record},
        {"counter off", true, HeaderBytes(7) + earlier, HeaderBytes(8) + earlier + record},
    };
    for (const Case& c : cases) {
        DeleteFileA(file.c_str());
        if (c.exists) {
            ASSERT_TRUE(WriteWholeFile(file, c.before));
        }
        EXPECT_EQ(BackupValue(path.c_str(), "V", file.c_str(), RescueAppend), 0u) << c.what;
        EXPECT_EQ(Bytes(), c.after) << c.what;
    }

    // Mode 1 starts the file anew; other modes are refused.
    ASSERT_TRUE(WriteWholeFile(file, HeaderBytes(3) + earlier + earlier));
    EXPECT_EQ(BackupValue(path.c_str(), "V", file.c_str(), RescueCreateNew), 0u);
    EXPECT_EQ(Bytes(), HeaderBytes(1) + record);
    for (int mode : {0, 3, -1}) {
        EXPECT_EQ(BackupValue(path.c_str(), "V", file.c_str(), mode), 87u) << mode;
        EXPECT_EQ(BackupKeyTree(path.c_str(), file.c_str(), mode, false), 87u) << mode;
    }
    EXPECT_EQ(Bytes(), HeaderBytes(1) + record);
}

// The record of a key as the registry itself gives its values, in
// enumeration order: what the layout asks the writers to produce.
std::string RecordFromRegistry(const ScratchKey& key, const std::string& below) {
    std::vector<std::string> entries;
    HKEY opened;
    if (RegOpenKeyExA(key.Root(), key.Subkey(below).c_str(), 0, KEY_READ, &opened)) return {};
    char name[RegNameSize];
    for (DWORD index = 0;; ++index) {
        DWORD length = RegNameSize;
        if (RegEnumValueA(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr)) break;
        DWORD type = 0;
        std::string data;
        EXPECT_TRUE(ReadValue(key, below, name, &type, &data)) << name;
        entries.push_back(EntryBytes(name, type, data));
    }
    RegCloseKey(opened);
    if (entries.empty()) return RecordBytes(key.Path(below), {EmptyKeyEntryBytes()}, 0);
    return RecordBytes(key.Path(below), entries);
}

// The keys of a tree depth first, each before its subkeys in enumeration
// order.
void TreeKeys(const ScratchKey& key, const std::string& below, std::vector<std::string>* keys) {
    keys->push_back(below);
    HKEY opened;
    if (RegOpenKeyExA(key.Root(), key.Subkey(below).c_str(), 0, KEY_READ, &opened)) return;
    std::vector<std::string> names;
    char name[RegNameSize];
    for (DWORD index = 0;; ++index) {
        DWORD length = RegNameSize;
        if (RegEnumKeyExA(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr)) break;
        names.push_back(name);
    }
    RegCloseKey(opened);
    for (const std::string& subkey : names) TreeKeys(key, below + "\\" + subkey, keys);
}

// A tree of every value type, and enough big values to take the records
// past one piece of the writer and of the reader: the file is the layout's
// to the byte, and it writes the tree back as it was.
TEST_F(RescueFileTest, LargeTreeOfEveryTypeIsTheLayoutToTheByteAndRestores) {
    std::string binary;
    for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    SetValue(key, "T", nullptr, REG_SZ, std::string("default\0", 8));
    SetValue(key, "T", "Text", REG_SZ, std::string("Caf\xE9\0", 5));
    SetValue(key, "T", "Unterminated", REG_SZ, "abc");
    SetValue(key, "T", "Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9));
    SetValue(key, "T", "Multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6));
    SetValue(key, "T", "Binary", REG_BINARY, binary);
    SetValue(key, "T", "EmptyBinary", REG_BINARY, "");
    SetValue(key, "T", "Dword", REG_DWORD, Le32(7));
    SetValue(key, "T", "BigEndian", REG_DWORD_BIG_ENDIAN, Le32(0x01020304));
    SetValue(key, "T", "Qword", REG_QWORD, Le32(1) + Le32(2));
    SetValue(key, "T", "None", REG_NONE, "\x01");
    SetValue(key, "T", "OwnType", 0x4711, "xyz");
    key.CreateKey("T\\Empty");
    SetValue(key, "T\\Big", "b", REG_SZ, std::string("big\0", 4));
    for (int i = 0; i < 300; ++i)
        SetValue(key, "T\\Big\\K" + std::to_string(i), "v", REG_BINARY,
                 std::string(4000, static_cast<char>(i)));
    std::vector<std::string> keys;
    TreeKeys(key, "T", &keys);
    ASSERT_EQ(keys.size(), 303u);
    std::vector<std::string> records;
    for (const std::string& below : keys) records.push_back(RecordFromRegistry(key, below));
    const std::string expected = FileBytes(records);
    ASSERT_GT(expected.size(), 1u << 20);

    BackupOutcome outcome;
    ASSERT_EQ(BackupKeyTree(key.Path("T").c_str(), file.c_str(), RescueAppend, true, &outcome), 0u);
    EXPECT_TRUE(outcome.saved);
    EXPECT_TRUE(Bytes() == expected)
        << Bytes().size() << " bytes, " << expected.size() << " expected";

    ASSERT_EQ(RegDeleteTreeA(key.Root(), key.Subkey("T").c_str()), ERROR_SUCCESS);
    EXPECT_EQ(RestoreRescueFile(nullptr, file.c_str(), 1), 0u);
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(RecordFromRegistry(key, keys[i]), records[i]) << keys[i];
}

TEST_F(RescueFileTest, TreeComesDepthFirstEachKeyWithItsFullPath) {
    key.SetString("A", "v", "1");
    key.CreateKey("A\\B\\D");
    key.SetString("A\\C", nullptr, "c");
    const std::string a = key.Path("A");
    BackupOutcome outcome;
    ASSERT_EQ(BackupKeyTree(a.c_str(), file.c_str(), RescueAppend, true, &outcome), 0u);
    EXPECT_TRUE(outcome.saved);
    EXPECT_EQ(outcome.fileError, 0u);
    EXPECT_EQ(RecordPaths(Bytes()),
              (std::vector<std::string>{a, a + "\\B", a + "\\B\\D", a + "\\C"}));
    EXPECT_EQ(ReadLe32(Bytes(), 4), 4u);

    // The file is closed once the outermost call returns.
    HANDLE exclusive =
        CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
    CloseHandle(exclusive);

    ASSERT_EQ(BackupKeyTree(a.c_str(), file.c_str(), RescueCreateNew, false), 0u);
    EXPECT_EQ(RecordPaths(Bytes()), std::vector<std::string>{a});
}

TEST_F(RescueFileTest, MissingKeyIsCreatedEmptyBeforeItIsSaved) {
    const std::string gone = key.Path("Gone");
    ASSERT_EQ(BackupKeyTree(gone.c_str(), file.c_str(), RescueAppend, true), 0u);
    EXPECT_TRUE(key.Exists("Gone"));
    EXPECT_EQ(Bytes(), HeaderBytes(1) + RecordBytes(gone, {EmptyKeyEntryBytes()}, 0));

    // A value of a missing key: the key is created, the value is not there,
    // and nothing is appended.
    const std::string alsoGone = key.Path("AlsoGone");
    BackupOutcome outcome;
    EXPECT_EQ(BackupValue(alsoGone.c_str(), "v", file.c_str(), RescueAppend, &outcome), 2u);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(outcome.fileError, 0u);
    EXPECT_TRUE(key.Exists("AlsoGone"));
    EXPECT_EQ(RecordPaths(Bytes()), std::vector<std::string>{gone});
}

TEST_F(RescueFileTest, BadArgumentsAreRefused) {
    const std::string path = key.Path();
    key.SetString("", "v", "1");
    EXPECT_EQ(BackupValue(nullptr, "v", file.c_str(), RescueAppend), 87u);
    EXPECT_EQ(BackupValue("", "v", file.c_str(), RescueAppend), 87u);
    EXPECT_EQ(BackupValue(path.c_str(), "v", nullptr, RescueAppend), 87u);
    EXPECT_EQ(BackupValue(path.c_str(), "v", "", RescueAppend), 87u);
    EXPECT_EQ(BackupValue("HKCU\\Software", "v", file.c_str(), RescueAppend), 87u);
    EXPECT_EQ(BackupKeyTree(nullptr, file.c_str(), RescueAppend, true), 87u);
    EXPECT_EQ(BackupKeyTree("NOSUCHROOT\\x", file.c_str(), RescueAppend, true), 87u);
    RegKey opened;
    ASSERT_EQ(opened.Open(HKEY_CURRENT_USER, key.Subkey().c_str()), 0);
    EXPECT_EQ(WriteKeyRecord(path.c_str(), opened.Get(), nullptr, RescueAppend), 87u);
    EXPECT_EQ(WriteKeyRecord(path.c_str(), nullptr, INVALID_HANDLE_VALUE, RescueAppend), 87u);
    EXPECT_EQ(WriteKeyRecord("", opened.Get(), INVALID_HANDLE_VALUE, RescueAppend), 87u);
    EXPECT_FALSE(FileExistsAt(file));

    // A folder that does not exist: the file error is reported as such.
    std::string nowhere = folder.Path() + "missing\\x.rrs";
    BackupOutcome outcome;
    EXPECT_EQ(BackupValue(path.c_str(), "v", nowhere.c_str(), RescueAppend, &outcome),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(outcome.fileError, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(BackupKeyTree(path.c_str(), nowhere.c_str(), RescueAppend, true, &outcome),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(outcome.fileError, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(outcome.saved);
}

// A first-level key with a one-letter name is saved as that key, never as the
// whole root.
TEST_F(RescueFileTest, OneLetterKeyBelowTheRootIsThatKey) {
    const char* letter = "~";
    RegDeleteTreeA(HKEY_CURRENT_USER, letter);
    HKEY created;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "~\\Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &created, nullptr),
              0);
    RegCloseKey(created);
    RegSetKeyValueA(HKEY_CURRENT_USER, letter, "v", REG_SZ, "1", 2);

    BackupKeyTree("HKEY_CURRENT_USER\\~", file.c_str(), RescueAppend, true);
    BackupValue("HKEY_CURRENT_USER\\~", "v", file.c_str(), RescueAppend);
    std::vector<ParsedRecord> records = ParseRecords(Bytes());
    RegDeleteTreeA(HKEY_CURRENT_USER, letter);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].path, "HKEY_CURRENT_USER\\~");
    ASSERT_EQ(records[0].entries.size(), 1u);
    EXPECT_EQ(records[0].entries[0].name, "v");
    EXPECT_EQ(records[1].path, "HKEY_CURRENT_USER\\~\\Sub");
    EXPECT_EQ(records[2].path, "HKEY_CURRENT_USER\\~");
}

// Paths and names that could not be read back are not written: the entry is
// reported as not wholly saved.
TEST_F(RescueFileTest, PathsAndNamesOf520OrMoreAreLeftOut) {
    const std::string longName(600, 'n');
    key.SetString("Leaf", longName.c_str(), "lost if deleted");
    key.SetString("Leaf", "short", "kept");
    const std::string leaf = key.Path("Leaf");

    BackupOutcome outcome;
    EXPECT_EQ(BackupKeyTree(leaf.c_str(), file.c_str(), RescueAppend, true, &outcome), 0u);
    EXPECT_FALSE(outcome.saved);
    std::vector<ParsedRecord> records = ParseRecords(Bytes());
    ASSERT_EQ(records.size(), 1u);
    ASSERT_EQ(records[0].entries.size(), 1u);
    EXPECT_EQ(records[0].entries[0].name, "short");

    EXPECT_EQ(BackupValue(leaf.c_str(), longName.c_str(), file.c_str(), RescueAppend, &outcome),
              87u);
    EXPECT_FALSE(outcome.saved);

    // Key paths: 519 characters are written, 520 refused before anything is
    // opened or created.
    RegKey opened;
    ASSERT_EQ(opened.Open(HKEY_CURRENT_USER, key.Subkey("Leaf").c_str()), 0);
    const std::string path519 = "HKEY_CURRENT_USER\\" + std::string(519 - 18, 'p');
    const std::string path520 = path519 + "q";
    DeleteFileA(file.c_str());
    HANDLE handle =
        CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    EXPECT_EQ(WriteKeyRecord(path520.c_str(), opened.Get(), handle, RescueAppend), 87u);
    EXPECT_EQ(WriteKeyRecord(path519.c_str(), opened.Get(), handle, RescueAppend), 0u);
    CloseHandle(handle);
    EXPECT_EQ(RecordPaths(Bytes()), std::vector<std::string>{path519});
    EXPECT_EQ(BackupKeyTree(path520.c_str(), file.c_str(), RescueAppend, true, &outcome), 87u);
    EXPECT_EQ(BackupValue(path520.c_str(), nullptr, file.c_str(), RescueAppend, &outcome), 87u);
    EXPECT_FALSE(outcome.saved);
}

TEST_F(RescueFileTest, SubkeyThatCannotBeOpenedIsMissingFromItsTree) {
    key.SetString("T", "v", "1");
    key.CreateKey("T\\Open");
    DeniedKey denied(key, "T\\Closed");
    const std::string tree = key.Path("T");
    BackupOutcome outcome;
    EXPECT_EQ(BackupKeyTree(tree.c_str(), file.c_str(), RescueAppend, true, &outcome), 0u);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(RecordPaths(Bytes()), (std::vector<std::string>{tree, tree + "\\Open"}));
}

TEST_F(RescueFileTest, FileThatCannotBeWrittenIsLeftAsItWas) {
    key.SetString("", "v", "1");
    const std::string before = HeaderBytes(1) + RecordBytes(key.Path("X"), {}, 0);
    ASSERT_TRUE(WriteWholeFile(file, before));
    HANDLE readOnly = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    RegKey opened;
    ASSERT_EQ(opened.Open(HKEY_CURRENT_USER, key.Subkey().c_str()), 0);
    EXPECT_EQ(WriteKeyRecord(key.Path().c_str(), opened.Get(), readOnly, RescueAppend),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(readOnly);
    EXPECT_EQ(Bytes(), before);

    // Another program holds the file without letting it be written.
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    BackupOutcome outcome;
    EXPECT_EQ(BackupValue(key.Path().c_str(), "v", file.c_str(), RescueAppend, &outcome),
              static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(outcome.fileError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    // Restoring only reads, so it still works.
    EXPECT_EQ(RestoreRescueFile(nullptr, file.c_str(), 1), 0u);
    CloseHandle(held);
    EXPECT_EQ(Bytes(), before);
}

// ---- The reader.

TEST_F(RescueFileTest, PrefixSelectsKeysBelowItOrTheKeyItself) {
    const std::string p = key.Path();
    auto one = [](const char* name) {
        return std::vector<std::string>{EntryBytes(name, REG_SZ, std::string("1\0", 2))};
    };
    ASSERT_TRUE(WriteWholeFile(
        file,
        FileBytes({RecordBytes(p + "\\A", one("a")), RecordBytes(p + "\\A\\B", one("b")),
                   RecordBytes(p + "\\AB", one("ab")), RecordBytes(p + "\\a\\c", one("c"))})));
    struct Case {
        const char* prefix;  // below the scratch key; null: no prefix
        int mode;
        std::vector<std::string> restored;  // "key:value"
    };
    const Case cases[] = {
        {"A", 1, {"A\\B:b", "A\\c:c"}},
        {"a", 7, {"A\\B:b", "A\\c:c"}},
        {"A", 0, {"A:a"}},
        {"a\\b", 0, {"A\\B:b"}},
        {"A\\B", 1, {}},
        {nullptr, 1, {"A:a", "A\\B:b", "AB:ab", "A\\c:c"}},
    };
    const std::vector<std::string> all = {"A:a", "A\\B:b", "AB:ab", "A\\c:c"};
    for (const Case& c : cases) {
        RegDeleteTreeA(key.Root(), key.Subkey().c_str());
        std::string prefix = c.prefix ? p + "\\" + c.prefix : "";
        EXPECT_EQ(RestoreRescueFile(c.prefix ? prefix.c_str() : nullptr, file.c_str(), c.mode), 0u);
        std::vector<std::string> restored;
        for (const std::string& item : all) {
            size_t colon = item.find(':');
            if (key.HasValue(item.substr(0, colon), item.substr(colon + 1).c_str()))
                restored.push_back(item);
        }
        EXPECT_EQ(restored, c.restored) << (c.prefix ? c.prefix : "no prefix") << " " << c.mode;
    }
}

// Records the registry refuses are skipped and the rest written; the result
// is the first refusal, so that the caller keeps the item.
TEST_F(RescueFileTest, LaterRecordsWinAndUnwritableKeysAreSkippedAndReported) {
    const std::string p = key.Path();
    DeniedKey denied(key, "Denied");
    const std::string unknownRoot =
        RecordBytes("HKEY_NOWHERE\\K", {EntryBytes("v", REG_DWORD, Le32(1))});
    const std::string deniedKey =
        RecordBytes(p + "\\Denied", {EntryBytes("v", REG_DWORD, Le32(1))});
    struct Case {
        const char* what;
        std::string refused;
        DWORD result;
    };
    const Case cases[] = {
        {"no known root, then a denied key", unknownRoot + deniedKey, ERROR_INVALID_PARAMETER},
        {"a denied key, then no known root", deniedKey + unknownRoot, ERROR_ACCESS_DENIED},
        {"a denied key", deniedKey, ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteTreeA(key.Root(), key.Subkey("K").c_str());
        ASSERT_TRUE(WriteWholeFile(
            file,
            FileBytes(
                {RecordBytes(p + "\\K", {EntryBytes("v", REG_SZ, std::string("old\0", 4)),
                                         EntryBytes("w", REG_DWORD, Le32(7))}),
                 c.refused,
                 RecordBytes(p + "\\K", {EntryBytes("v", REG_SZ, std::string("new\0", 4))})})));
        EXPECT_EQ(RestoreRescueFile(nullptr, file.c_str(), 1), c.result);
        EXPECT_EQ(ValueText(key, "K", "v"), std::string("new\0", 4));
        EXPECT_EQ(ValueText(key, "K", "w"), Le32(7));
        EXPECT_FALSE(key.HasValue("Denied", "v"));
    }
}

TEST_F(RescueFileTest, ShortOrMissingFiles) {
    EXPECT_EQ(RestoreRescueFile(nullptr, nullptr, 1), 87u);
    EXPECT_EQ(RestoreRescueFile(nullptr, "", 1), 87u);
    EXPECT_EQ(RestoreRescueFile(nullptr, file.c_str(), 1), 2u);
    ASSERT_TRUE(WriteWholeFile(file, HeaderBytes(0).substr(0, 7)));
    EXPECT_EQ(RestoreRescueFile(nullptr, file.c_str(), 1), 13u);
    ASSERT_TRUE(WriteWholeFile(file, HeaderBytes(0)));
    EXPECT_EQ(RestoreRescueFile(nullptr, file.c_str(), 1), 0u);
    // The header is not examined.
    ASSERT_TRUE(WriteWholeFile(file, std::string(8, 'z')));
    EXPECT_EQ(RestoreRescueFile(nullptr, file.c_str(), 1), 0u);
}

// Damaged files: the reader restores what it can read, passes over what it
// cannot, never reads past a record or the file, and reports 13.
TEST_F(RescueFileTest, DamagedRecordsArePassedOver) {
    const std::string p = key.Path();
    const std::string good = RecordBytes(p + "\\Good", {EntryBytes("g", REG_DWORD, Le32(1))});
    const std::string valueEntry = EntryBytes("v", REG_DWORD, Le32(2));
    const std::string fine = RecordBytes(p + "\\Fine", {valueEntry});
    // A record whose size field is replaced, keeping everything else.
    auto withSize = [](std::string record, uint32_t size) { return Le32(size) + record.substr(4); };
    auto cutShort = [&](std::string record, size_t cut) {
        record.resize(record.size() - cut);
        return withSize(record, static_cast<uint32_t>(record.size() - 4));
    };
    auto withCount = [](std::string record, uint32_t count) {
        return record.substr(0, 4) + Le32(count) + record.substr(8);
    };
    std::string embeddedZero = RecordBytes(p + "\\Zero", {valueEntry});
    embeddedZero[12 + p.size() + 2] = '\0';
    std::string unterminated = RecordBytes(p + "\\NoEnd", {valueEntry});
    unterminated[12 + p.size() + 6] = 'x';
    const std::string longName(520, 'n');
    std::string badEntrySize = valueEntry;
    badEntrySize[0] = 40;

    struct Case {
        const char* what;
        std::string bytes;  // after the header
        bool fineRestored;
        bool goodRestored;
    };
    const Case cases[] = {
        {"path of 520",
         RecordBytes(p + "\\" + std::string(519 - p.size(), 'x'), {valueEntry}) + good, false,
         true},
        {"path without its zero", unterminated + good, false, true},
        {"path with a zero inside", embeddedZero + good, false, true},
        {"name of 520 beside a good entry",
         RecordBytes(p + "\\Fine", {EntryBytes(longName, REG_DWORD, Le32(9)), valueEntry}) + good,
         true, true},
        {"entry data past its record",
         cutShort(RecordBytes(p + "\\Fine", {valueEntry, EntryBytes("x", REG_BINARY, "abcdef")}),
                  3) +
             good,
         true, true},
        {"entry size disagreeing", RecordBytes(p + "\\Fine", {valueEntry, badEntrySize}) + good,
         true, true},
        {"entry count far too high", withCount(fine, 0xFFFFFFFF) + good, true, true},
        {"record past the end of the file", good + withSize(fine, 1000), false, true},
        {"size of zero stops the reading", good + withSize(fine, 0) + fine, false, true},
        {"size below its own fields", good + withSize(fine, 5) + fine, false, true},
        {"size of 0xFFFFFFFF", good + withSize(fine, 0xFFFFFFFF) + fine, false, true},
        {"three stray bytes at the end", good + fine + "abc", true, true},
    };
    for (const Case& c : cases) {
        RegDeleteTreeA(key.Root(), key.Subkey().c_str());
        ASSERT_TRUE(WriteWholeFile(file, HeaderBytes(2) + c.bytes)) << c.what;
        EXPECT_EQ(RestoreRescueFile(nullptr, file.c_str(), 1), 13u) << c.what;
        EXPECT_EQ(key.HasValue("Fine", "v"), c.fineRestored) << c.what;
        EXPECT_EQ(key.HasValue("Good", "g"), c.goodRestored) << c.what;
    }
}

}  // namespace
