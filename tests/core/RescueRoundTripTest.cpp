// A rescue round trip through tresk.dll, checked against Wine's own reg.exe:
// a tree holding every value type is exported, backed up and removed through
// the exports, written back from the listed rescue item, and exported again;
// the two exports must be the same to the byte.
#include <support/Files.h>
#include <support/RescueBytes.h>

#include <algorithm>

#include "RescueTestSupport.h"

namespace {

struct TreeValue {
    const char* key;   // below the tree
    const char* name;  // null: the default value
    DWORD type;
    std::string data;
};

const char kTree[] = "Tree";

std::vector<TreeValue> TreeValues() {
    std::string binary;
    for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    return {
        {"", nullptr, REG_SZ, std::string("tree default\0", 13)},
        {"", "Text", REG_SZ, std::string("Caf\xE9 au lait\0", 13)},
        {"", "EmptyText", REG_SZ, std::string("\0", 1)},
        {"", "Expand", REG_EXPAND_SZ, std::string("%SystemRoot%\\system32\0", 22)},
        {"", "Multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9)},
        {"", "Binary", REG_BINARY, binary},
        {"", "EmptyBinary", REG_BINARY, ""},
        {"", "Dword", REG_DWORD, Le32(0xDEADBEEF)},
        {"", "BigEndian", REG_DWORD_BIG_ENDIAN, Le32(0x01020304)},
        {"", "Qword", REG_QWORD, Le32(0x89ABCDEF) + Le32(0x01234567)},
        {"", "None", REG_NONE, "\x01\x02"},
        {"", "EmptyNone", REG_NONE, ""},
        {"", "OwnType", 0x4711, "xyz"},
        {"Nested", nullptr, REG_DWORD, Le32(42)},
        {"Nested", "Str", REG_SZ, std::string("nested\0", 7)},
        {"Nested\\Deeper", "Deep", REG_BINARY, "\xFF\x00\xFF"},
        {"Nested\\Deeper", "DeepMulti", REG_MULTI_SZ, std::string("\0", 1)},
    };
}

// Keys that hold nothing; deepest last.
const char* const kEmptyKeys[] = {"Empty", "Nested\\Deeper\\EmptyLeaf"};

std::string Below(const char* key) {
    return *key ? std::string(kTree) + "\\" + key : std::string(kTree);
}

void BuildTree(const ScratchKey& scratch) {
    for (const TreeValue& value : TreeValues())
        SetValue(scratch, Below(value.key), value.name, value.type, value.data);
    for (const char* below : kEmptyKeys) scratch.CreateKey(Below(below));
}

// "reg export KEY FILE /y" run by Wine's own reg.exe; the file's bytes.
std::string RegExport(const std::string& keyPath, const std::string& file) {
    std::string command = "reg.exe export \"" + keyPath + "\" \"" + file + "\" /y";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "reg.exe did not start: " << GetLastError();
        return {};
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u) << command;
    return ReadWholeFile(file);
}

// The export's text with its UTF-16 bytes narrowed, to look for names in it.
std::string Narrow(const std::string& utf16) {
    std::string text;
    for (size_t at = 0; at + 1 < utf16.size(); at += 2) text += utf16[at];
    return text;
}

class RescueRoundTrip : public RescueFixture {
protected:
    void SetUp() override {
        // Pruning must stop at the scratch key, which keeps a value.
        key.SetString("", "keep", "1");
        BuildTree(key);
        FBefore = RegExport(key.Path(kTree), folder.Path() + "before.reg");
        std::string text = Narrow(FBefore);
        for (const char* name : {"\"Qword\"=hex(b):", "\"EmptyBinary\"=hex:", "@=dword:0000002a",
                                 "\\Nested\\Deeper\\EmptyLeaf]", "\\Empty]", "\"OwnType\""})
            EXPECT_NE(text.find(name), std::string::npos) << name << "\n" << text;
    }

    // Restores the one listed item the way the main program does: list,
    // restore, delete; then the export must equal the first one.
    void RestoreAndCompare() {
        RescueNode* list = TrkAllocRescueItems(index.c_str());
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->next, nullptr);
        EXPECT_EQ(TrkRestoreRescue(list->item), 1);
        std::string fileName = list->item->fileName;
        TrkDeleteRescue(list->item, index.c_str());
        TrkFreeRescueItems();
        EXPECT_TRUE(IniSectionNames(index).empty());
        EXPECT_FALSE(FileExistsAt(fileName));

        std::string after = RegExport(key.Path(kTree), folder.Path() + "after.reg");
        EXPECT_EQ(after, FBefore) << Narrow(after);
    }

    std::string FBefore;
};

// Every value and every empty key selected, deepest first: the clean removes
// the whole tree, each key going with its last value or as an empty key, and
// pruning stops at the scratch key that still holds a value.
TEST_F(RescueRoundTrip, CleanEntryByEntryThenRestore) {
    Selection selection;
    for (const char* below : kEmptyKeys) selection.Add(EntryKindKey, key.Path(Below(below)));
    std::vector<TreeValue> values = TreeValues();
    std::stable_sort(values.begin(), values.end(), [](const TreeValue& a, const TreeValue& b) {
        return strlen(a.key) > strlen(b.key);
    });
    for (const TreeValue& value : values)
        selection.Add(EntryKindValue, key.Path(Below(value.key)), value.name);
    ASSERT_EQ(TrkClean(selection.First(), selection.Count()), 0u);

    EXPECT_FALSE(key.Exists(kTree));
    EXPECT_TRUE(key.HasValue("", "keep"));
    RestoreAndCompare();
}

// The tree saved as one key entry, removed whole, and written back.
TEST_F(RescueRoundTrip, BackupOfTheTreeThenRestore) {
    Selection selection;
    selection.Add(EntryKindKey, key.Path(kTree));
    ASSERT_EQ(TrkBackup(selection.First(), selection.Count()), 0u);
    ASSERT_EQ(RegDeleteTreeA(key.Root(), key.Subkey(kTree).c_str()), ERROR_SUCCESS);
    ASSERT_FALSE(key.Exists(kTree));
    RestoreAndCompare();
}

}  // namespace
