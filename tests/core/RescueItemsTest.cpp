// The rescue item exports: backup, clean, list, restore, delete and release,
// with the rescue index and files in a folder of the test's own.
#include <support/Files.h>
#include <support/RescueBytes.h>

#include <algorithm>
#include <regex>

#include "FileUtil.h"
#include "RescueFile.h"
#include "RescueIndex.h"
#include "RescueItems.h"
#include "RescueTestSupport.h"

namespace {

class RescueItemsTest : public RescueFixture {
protected:
    // Backs up the value v of the key K and lists the index.
    RescueNode* BackUpOneValue(Selection& selection) {
        key.SetString("K", "v", "1");
        selection.Add(EntryKindValue, key.Path("K"), "v");
        EXPECT_EQ(TrkBackup(selection.First(), 1), 0u);
        return TrkAllocRescueItems(index.c_str());
    }

    // The one section of the index, which every test here expects.
    std::string OnlySection() const {
        std::vector<std::string> sections = IniSectionNames(index);
        EXPECT_EQ(sections.size(), 1u);
        return sections.empty() ? std::string() : sections[0];
    }
};

TEST_F(RescueItemsTest, ValueThenKeyWithTwoSubkeysGivesCountTwoAndFourRecords) {
    key.SetString("Values", "val", "data");
    key.CreateKey("Tree\\S1");
    key.SetString("Tree\\S2", "s", "2");
    Selection selection;
    selection.Add(EntryKindValue, key.Path("Values"), "val");
    selection.Add(EntryKindKey, key.Path("Tree"));
    ASSERT_EQ(TrkBackup(selection.First(), selection.Count()), 0u);

    std::string section = OnlySection();
    EXPECT_TRUE(std::regex_match(section, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
        << section;
    EXPECT_EQ(IniValue(index, section, "Count"), "2");
    EXPECT_EQ(IniValue(index, section, "Description"), "(absent)");
    std::string fileName = IniValue(index, section, "FileName");
    EXPECT_TRUE(std::regex_match(fileName.substr(folder.Path().size()), std::regex(R"(\d+\.rrs)")))
        << fileName;
    EXPECT_EQ(RescueFilesIn(folder.Path()), std::vector<std::string>{fileName});

    std::vector<ParsedRecord> records = ParseRecords(ReadWholeFile(fileName));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].path, key.Path("Values"));
    ASSERT_EQ(records[0].entries.size(), 1u);
    EXPECT_EQ(records[0].entries[0].name, "val");
    EXPECT_EQ(records[1].path, key.Path("Tree"));
    EXPECT_EQ(records[2].path, key.Path("Tree\\S1"));
    EXPECT_EQ(records[3].path, key.Path("Tree\\S2"));
    EXPECT_TRUE(key.HasValue("Values", "val"));  // a backup deletes nothing
}

TEST_F(RescueItemsTest, FileNameHoldsTheCreationTimeOfItsSection) {
    FILETIME created{0x89ABCDEFu, 0x01C75BCDu};
    EXPECT_EQ(RescueFileName("C:\\R\\", created), "C:\\R\\230973796729842381.rrs");
    RescueItem item{created, 7, const_cast<char*>("C:\\R\\x.rrs"), nullptr};
    ASSERT_EQ(WriteRescueIndexEntry(&item, index.c_str()), 0u);
    EXPECT_EQ(OnlySection(), FileTimeToText(&created));
    EXPECT_EQ(IniValue(index, OnlySection(), "Count"), "7");
    EXPECT_EQ(WriteRescueIndexEntry(nullptr, index.c_str()), 87u);
    EXPECT_EQ(WriteRescueIndexEntry(&item, nullptr), 87u);
    EXPECT_EQ(WriteRescueIndexEntry(&item, ""), 87u);
    item.created = FILETIME{0xFFFFFFFFu, 0xFFFFFFFFu};  // no calendar date
    EXPECT_EQ(WriteRescueIndexEntry(&item, index.c_str()), 87u);
}

TEST_F(RescueItemsTest, RefusalsAndAnEmptySelection) {
    key.SetString("", "v", "1");
    Selection selection;
    selection.Add(EntryKindValue, key.Path(), "v");
    EXPECT_EQ(TrkBackup(nullptr, 3), 87u);
    EXPECT_EQ(TrkClean(nullptr, 3), 87u);
    EXPECT_EQ(TrkClean(selection.First(), 0), 87u);
    EXPECT_FALSE(FileExistsAt(index));
    EXPECT_TRUE(key.HasValue("", "v"));

    // A count of 0: the section is written, and no file.
    EXPECT_EQ(TrkBackup(selection.First(), 0), 0u);
    EXPECT_EQ(IniValue(index, OnlySection(), "Count"), "0");
    EXPECT_TRUE(RescueFilesIn(folder.Path()).empty());
}

// The walk takes count nodes, stops at the end of a shorter list, and passes
// over kinds it does not know; deletes prune emptied parents.
TEST_F(RescueItemsTest, CleanWalksTheListAndPrunes) {
    key.SetString("A", "keep", "1");
    key.SetString("A\\B", "v", "1");
    key.CreateKey("P\\Leaf");
    key.SetString("Other", "x", "1");
    Selection selection;
    selection.Add(EntryKindValue, key.Path("A\\B"), "v");
    selection.Add(0x400, key.Path("Other"), "x");
    selection.Add(0, key.Path("Other"), "x");
    selection.Add(EntryKindKey, key.Path("P\\Leaf"));
    ASSERT_EQ(TrkClean(selection.First(), 10), 0u);

    EXPECT_FALSE(key.Exists("A\\B"));
    EXPECT_TRUE(key.HasValue("A", "keep"));
    EXPECT_FALSE(key.Exists("P"));
    EXPECT_TRUE(key.HasValue("Other", "x"));
    std::string section = OnlySection();
    EXPECT_EQ(IniValue(index, section, "Count"), "10");
    EXPECT_EQ(RecordPaths(ReadWholeFile(IniValue(index, section, "FileName"))),
              (std::vector<std::string>{key.Path("A\\B"), key.Path("P\\Leaf")}));

    // A count shorter than the list stops the walk there.
    key.SetString("C", "one", "1");
    key.SetString("C", "two", "2");
    Selection two;
    two.Add(EntryKindValue, key.Path("C"), "one");
    two.Add(EntryKindValue, key.Path("C"), "two");
    ASSERT_EQ(TrkClean(two.First(), 1), 0u);
    EXPECT_FALSE(key.HasValue("C", "one"));
    EXPECT_TRUE(key.HasValue("C", "two"));
}

// A rescue file that should be written but cannot be: the error is returned
// and the clean deletes nothing. The index section is written before.
TEST_F(RescueItemsTest, CleanDeletesNothingWhenTheRescueFileCannotBeMade) {
    key.SetString("K", "v", "1");
    key.CreateKey("Leaf");
    Selection selection;
    selection.Add(EntryKindValue, key.Path("K"), "v");
    selection.Add(EntryKindKey, key.Path("Leaf"));
    paths.Set(folder.Path() + "missing\\", index);

    EXPECT_EQ(TrkBackup(selection.First(), selection.Count()), 3u);
    EXPECT_EQ(TrkClean(selection.First(), selection.Count()), 3u);
    EXPECT_TRUE(key.HasValue("K", "v"));
    EXPECT_TRUE(key.Exists("Leaf"));
    // Each call made its own section, the second not taking the first's place.
    const std::vector<std::string> sections = IniSectionNames(index);
    ASSERT_EQ(sections.size(), 2u);
    for (const std::string& section : sections) EXPECT_EQ(IniValue(index, section, "Count"), "2");

    // Nothing to save: no file was to be made, and nothing fails.
    Selection unknown;
    unknown.Add(0x800, key.Path("K"), "v");
    EXPECT_EQ(TrkBackup(unknown.First(), 1), 0u);
    EXPECT_EQ(TrkClean(unknown.First(), 1), 0u);
    EXPECT_TRUE(key.HasValue("K", "v"));
}

// An index that cannot be written would leave the item unlisted.
TEST_F(RescueItemsTest, CleanDeletesNothingWhenTheIndexCannotBeWritten) {
    key.SetString("K", "v", "1");
    Selection selection;
    selection.Add(EntryKindValue, key.Path("K"), "v");
    paths.Set(folder.Path(), folder.Path() + "missing\\Rescue.ini");
    EXPECT_EQ(TrkClean(selection.First(), 1), 3u);
    EXPECT_TRUE(key.HasValue("K", "v"));
    EXPECT_TRUE(RescueFilesIn(folder.Path()).empty());
}

// An entry that is not wholly in the rescue file is not deleted; the others
// of the same clean are.
TEST_F(RescueItemsTest, CleanKeepsEntriesThatWereNotWhollySaved) {
    const std::string longName(600, 'n');
    key.SetString("LongInLeaf", longName.c_str(), "1");
    key.SetString("LongInLeaf", "short", "1");
    key.SetString("LongValue", longName.c_str(), "1");
    key.SetString("LongValue", "other", "1");
    key.SetString("Plain", "v", "1");
    key.SetString("Plain", "w", "1");
    Selection selection;
    selection.Add(EntryKindKey, key.Path("LongInLeaf"));
    selection.Add(EntryKindValue, key.Path("LongValue"), longName.c_str());
    selection.Add(EntryKindValue, key.Path("Plain"), "v");
    selection.Add(EntryKindValue, key.Path("Plain"), "missing");
    ASSERT_EQ(TrkClean(selection.First(), selection.Count()), 0u);

    EXPECT_TRUE(key.HasValue("LongInLeaf", longName.c_str()));
    EXPECT_TRUE(key.HasValue("LongInLeaf", "short"));
    EXPECT_TRUE(key.HasValue("LongValue", longName.c_str()));
    EXPECT_FALSE(key.HasValue("Plain", "v"));
    EXPECT_TRUE(key.HasValue("Plain", "w"));
}

TEST_F(RescueItemsTest, ListsEveryItemOfTheIndex) {
    ASSERT_TRUE(WriteWholeFile(index,
                               "[2007-03-01 09:05:03]\r\nCount=3\r\nFileName=C:\\x\\a.rrs\r\n"
                               "[2008-01-02 03:04:05]\r\nFileName=C:\\x\\b.rrs\r\n"
                               "Description=written by hand\r\n"
                               "[junk]\r\nCount=seven\r\n"
                               "[2009-12-31]\r\nCount=12\r\n"));
    RescueNode* list = TrkAllocRescueItems(index.c_str());
    struct Expected {
        const char* created;
        uint32_t count;
        const char* fileName;
        const char* description;
    };
    const Expected expected[] = {
        {"2007-03-01 09:05:03", 3, "C:\\x\\a.rrs", ""},
        {"2008-01-02 03:04:05", 0, "C:\\x\\b.rrs", "written by hand"},
        {"", 0, "", ""},  // no date: the time stays zero
        {"2009-12-31 00:00:00", 12, "", ""},
    };
    RescueNode* node = list;
    for (int i = 0; i < 4; ++i, node = node->next) {
        ASSERT_NE(node, nullptr) << i;
        EXPECT_EQ(node->index, i);
        const RescueItem& item = *node->item;
        if (*expected[i].created)
            EXPECT_EQ(FileTimeToText(&item.created), expected[i].created) << i;
        else
            EXPECT_EQ(item.created.dwLowDateTime | item.created.dwHighDateTime, 0u) << i;
        EXPECT_EQ(item.count, expected[i].count) << i;
        EXPECT_STREQ(item.fileName, expected[i].fileName) << i;
        EXPECT_STREQ(item.description, expected[i].description) << i;
    }
    EXPECT_EQ(node, nullptr);
    TrkFreeRescueItems();
    TrkFreeRescueItems();

    EXPECT_EQ(TrkAllocRescueItems((folder.Path() + "none.ini").c_str()), nullptr);
    EXPECT_EQ(TrkAllocRescueItems(""), nullptr);
    EXPECT_EQ(TrkAllocRescueItems(nullptr), nullptr);
    ASSERT_TRUE(WriteWholeFile(index, std::string("\0\x01\xff garbage ]]] [\r\n=\r\n", 22)));
    TrkAllocRescueItems(index.c_str());
    TrkFreeRescueItems();
}

TEST_F(RescueItemsTest, RestoreWritesTheItemBackAndLeavesItListed) {
    key.SetString("K", "v", "value");
    key.SetString("T\\Sub", nullptr, "default");
    Selection selection;
    selection.Add(EntryKindValue, key.Path("K"), "v");
    selection.Add(EntryKindKey, key.Path("T"));
    ASSERT_EQ(TrkBackup(selection.First(), selection.Count()), 0u);
    RegDeleteTreeA(key.Root(), key.Subkey().c_str());

    RescueNode* list = TrkAllocRescueItems(index.c_str());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(TrkRestoreRescue(list->item), 1);
    EXPECT_EQ(ValueText(key, "K", "v"), std::string("value\0", 6));
    EXPECT_EQ(ValueText(key, "T\\Sub", nullptr), std::string("default\0", 8));
    EXPECT_EQ(IniSectionNames(index).size(), 1u);

    EXPECT_EQ(TrkRestoreRescue(nullptr), 0);
    RescueItem missing{list->item->created, 1, const_cast<char*>("C:\\no\\such.rrs"), nullptr};
    EXPECT_EQ(TrkRestoreRescue(&missing), 0);
    std::string shortFile = folder.File("short.rrs", "1234567");
    RescueItem tooShort{list->item->created, 1, shortFile.data(), nullptr};
    EXPECT_EQ(TrkRestoreRescue(&tooShort), 0);
    std::string damaged = folder.File("damaged.rrs", HeaderBytes(1) + Le32(0));
    RescueItem broken{list->item->created, 1, damaged.data(), nullptr};
    EXPECT_EQ(TrkRestoreRescue(&broken), 0);
}

// A restore the registry refuses part of (a key whose access list lets the
// user read it only, as keys under HKEY_LOCAL_MACHINE are for a user without
// administrator rights) writes what the registry takes and says it did not
// write the item back; with the key open again it restores whole.
TEST_F(RescueItemsTest, RestoreIntoAKeyTheRegistryRefusesIsNotWhole) {
    key.SetString("Locked", "v", "locked");
    key.SetString("T\\Sub", "s", "sub");
    Selection selection;
    selection.Add(EntryKindValue, key.Path("Locked"), "v");
    selection.Add(EntryKindKey, key.Path("T"));
    ASSERT_EQ(TrkBackup(selection.First(), selection.Count()), 0u);
    RescueNode* list = TrkAllocRescueItems(index.c_str());
    ASSERT_NE(list, nullptr);
    RegDeleteKeyValueA(key.Root(), key.Subkey("Locked").c_str(), "v");
    RegDeleteTreeA(key.Root(), key.Subkey("T").c_str());
    {
        DeniedKey denied(key, "Locked");
        EXPECT_EQ(TrkRestoreRescue(list->item), 0);
        EXPECT_EQ(RestoreRescueFile(nullptr, list->item->fileName, 1),
                  static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_FALSE(key.HasValue("Locked", "v"));
        EXPECT_EQ(ValueText(key, "T\\Sub", "s"), std::string("sub\0", 4));
    }
    EXPECT_EQ(TrkRestoreRescue(list->item), 1);
    EXPECT_EQ(ValueText(key, "Locked", "v"), std::string("locked\0", 7));
    EXPECT_EQ(IniSectionNames(index).size(), 1u);
}

TEST_F(RescueItemsTest, DeleteRemovesTheSectionAndOnlyARescueFile) {
    Selection selection;
    RescueNode* list = BackUpOneValue(selection);
    ASSERT_NE(list, nullptr);
    std::string fileName = list->item->fileName;
    ASSERT_TRUE(FileExistsAt(fileName));
    TrkDeleteRescue(list->item, index.c_str());
    EXPECT_TRUE(IniSectionNames(index).empty());
    EXPECT_FALSE(FileExistsAt(fileName));

    // Whatever the file: the section goes; the file only when it is a
    // rescue file (or empty).
    struct Case {
        const char* what;
        bool exists;
        std::string content;
        bool deleted;
    };
    const Case cases[] = {
        {"file already gone", false, "", true},
        {"empty file", true, "", true},
        {"rescue file", true, HeaderBytes(0), true},
        {"any other file", true, "keep me", false},
    };
    FILETIME created{0x12345678u, 0x01C75BCDu};
    for (const Case& c : cases) {
        std::string path = folder.Path() + "item.dat";
        DeleteFileA(path.c_str());
        if (c.exists) folder.File("item.dat", c.content);
        RescueItem item{created, 1, path.data(), nullptr};
        ASSERT_EQ(WriteRescueIndexEntry(&item, index.c_str()), 0u);
        TrkDeleteRescue(&item, index.c_str());
        EXPECT_TRUE(IniSectionNames(index).empty()) << c.what;
        EXPECT_EQ(FileExistsAt(path), c.exists && !c.deleted) << c.what;
    }
    EXPECT_EQ(TrkDeleteRescue(nullptr, index.c_str()), 87);
}

// A backup followed at once by the clean of the same entries (as a repair
// with a confirmed backup makes them), then another backup, all in one
// second: each item keeps its own section and its own file, and each
// restores its own entries.
TEST_F(RescueItemsTest, ItemsMadeInOneSecondEachKeepTheirSectionAndFile) {
    key.SetString("K", "v", "1");
    key.SetString("K", "w", "2");
    key.SetString("L", "x", "3");
    Selection first, second, third;
    first.Add(EntryKindValue, key.Path("K"), "v");
    second.Add(EntryKindValue, key.Path("K"), "v");
    second.Add(EntryKindValue, key.Path("K"), "w");
    third.Add(EntryKindValue, key.Path("L"), "x");
    WaitForNextSecond();
    ASSERT_EQ(TrkBackup(first.First(), first.Count()), 0u);
    ASSERT_EQ(TrkClean(second.First(), second.Count()), 0u);
    ASSERT_EQ(TrkBackup(third.First(), third.Count()), 0u);

    const std::vector<std::string> sections = IniSectionNames(index);
    ASSERT_EQ(sections.size(), 3u);
    std::vector<std::string> files;
    for (const std::string& section : sections) {
        EXPECT_TRUE(std::regex_match(section, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
            << section;
        files.push_back(IniValue(index, section, "FileName"));
    }
    EXPECT_EQ(IniValue(index, sections[0], "Count"), "1");
    EXPECT_EQ(IniValue(index, sections[1], "Count"), "2");
    EXPECT_EQ(IniValue(index, sections[2], "Count"), "1");
    std::vector<std::string> onDisk = RescueFilesIn(folder.Path());
    std::sort(onDisk.begin(), onDisk.end());
    std::vector<std::string> listed = files;
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(onDisk, listed);
    EXPECT_EQ(RecordPaths(ReadWholeFile(files[0])).size(), 1u);
    EXPECT_EQ(RecordPaths(ReadWholeFile(files[1])).size(), 2u);
    EXPECT_EQ(RecordPaths(ReadWholeFile(files[2])).size(), 1u);
    EXPECT_FALSE(key.Exists("K"));

    // The list gives each item the time its section names, and each item's
    // file holds its own entries.
    RescueNode* list = TrkAllocRescueItems(index.c_str());
    std::vector<RescueItem*> items;
    for (RescueNode* node = list; node; node = node->next) items.push_back(node->item);
    ASSERT_EQ(items.size(), 3u);
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(FileTimeToText(&items[i]->created), sections[i]);
        EXPECT_EQ(items[i]->fileName, files[i]);
    }
    RegDeleteKeyValueA(key.Root(), key.Subkey("L").c_str(), "x");
    EXPECT_EQ(TrkRestoreRescue(items[0]), 1);
    EXPECT_TRUE(key.HasValue("K", "v"));
    EXPECT_FALSE(key.HasValue("K", "w"));
    EXPECT_FALSE(key.HasValue("L", "x"));
    EXPECT_EQ(TrkRestoreRescue(items[1]), 1);
    EXPECT_EQ(ValueText(key, "K", "w"), std::string("2\0", 2));
    EXPECT_EQ(TrkRestoreRescue(items[2]), 1);
    EXPECT_EQ(ValueText(key, "L", "x"), std::string("3\0", 2));

    // Deleting the middle item removes its section and file only.
    TrkDeleteRescue(items[1], index.c_str());
    EXPECT_EQ(IniSectionNames(index), (std::vector<std::string>{sections[0], sections[2]}));
    EXPECT_FALSE(FileExistsAt(files[1]));
    EXPECT_TRUE(FileExistsAt(files[0]));
    EXPECT_TRUE(FileExistsAt(files[2]));
}

// ---- The index is replaced whole or not at all.

// The profile calls that write one item's section, made straight on a file.
void WriteSectionDirectly(const std::string& ini, const std::string& section,
                          const std::string& count, const std::string& fileName) {
    WritePrivateProfileStringA(section.c_str(), "Count", count.c_str(), ini.c_str());
    WritePrivateProfileStringA(section.c_str(), "FileName", fileName.c_str(), ini.c_str());
    WritePrivateProfileStringA(section.c_str(), "Description", nullptr, ini.c_str());
}

const char kHandWrittenIndex[] =
    "[2007-03-01 09:05:03]\r\nCount = 3\r\nFileName=C:\\x\\a.rrs\r\n\r\n"
    "[2008-01-02 03:04:05]\r\nFileName=C:\\x\\b.rrs\r\nDescription=written by hand\r\n";

// Backup, clean and delete leave the bytes that the same profile calls made
// on the index itself would give, and no copy beside it.
TEST_F(RescueItemsTest, IndexIsWhatTheProfileFunctionsAloneWrite) {
    const std::string direct = folder.Path() + "direct.ini";
    ASSERT_TRUE(WriteWholeFile(index, kHandWrittenIndex));
    ASSERT_TRUE(WriteWholeFile(direct, kHandWrittenIndex));
    key.SetString("K", "v", "1");
    key.SetString("L", "w", "2");
    Selection backup;
    backup.Add(EntryKindValue, key.Path("K"), "v");
    Selection clean;
    clean.Add(EntryKindValue, key.Path("L"), "w");
    clean.Add(EntryKindValue, key.Path("K"), "v");

    ASSERT_EQ(TrkBackup(backup.First(), 1), 0u);
    std::string section = IniSectionNames(index).back();
    WriteSectionDirectly(direct, section, "1", IniValue(index, section, "FileName"));
    EXPECT_EQ(ReadWholeFile(index), ReadWholeFile(direct));

    ASSERT_EQ(TrkClean(clean.First(), 2), 0u);
    section = IniSectionNames(index).back();
    WriteSectionDirectly(direct, section, "2", IniValue(index, section, "FileName"));
    EXPECT_EQ(ReadWholeFile(index), ReadWholeFile(direct));

    RescueNode* list = TrkAllocRescueItems(index.c_str());
    for (RescueNode* node = list; node; node = node->next) {
        TrkDeleteRescue(node->item, index.c_str());
        WritePrivateProfileStringA(FileTimeToText(&node->item->created).c_str(), nullptr, nullptr,
                                   direct.c_str());
        EXPECT_EQ(ReadWholeFile(index), ReadWholeFile(direct)) << node->index;
    }
    TrkFreeRescueItems();
    EXPECT_TRUE(IniSectionNames(index).empty());
    EXPECT_FALSE(FileExistsAt(IndexScratchPath(index.c_str())));
}

// A crash part-way through a change leaves a half-made copy beside the
// index: it is neither listed nor taken into the next change.
TEST_F(RescueItemsTest, CopyLeftByACrashIsIgnored) {
    ASSERT_TRUE(WriteWholeFile(index, kHandWrittenIndex));
    const std::string scratch = IndexScratchPath(index.c_str());
    ASSERT_TRUE(WriteWholeFile(scratch, "[2009-09-09 09:09:09]\r\nCount=1\r\nFileNa"));
    auto listed = [&] {
        std::vector<std::string> names;
        for (RescueNode* node = TrkAllocRescueItems(index.c_str()); node; node = node->next)
            names.push_back(node->item->fileName);
        TrkFreeRescueItems();
        return names;
    };
    EXPECT_EQ(listed(), (std::vector<std::string>{"C:\\x\\a.rrs", "C:\\x\\b.rrs"}));

    key.SetString("K", "v", "1");
    Selection selection;
    selection.Add(EntryKindValue, key.Path("K"), "v");
    ASSERT_EQ(TrkBackup(selection.First(), 1), 0u);
    std::vector<std::string> names = listed();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[1], "C:\\x\\b.rrs");
    EXPECT_EQ(RescueFilesIn(folder.Path()), std::vector<std::string>{names[2]});
    EXPECT_FALSE(FileExistsAt(scratch));
}

// When the new index cannot be made, the old one stays to the byte, the
// error is returned, a clean deletes nothing and a delete keeps the file.
TEST_F(RescueItemsTest, IndexThatCannotBeMadeAgainStaysAndNothingIsDeleted) {
    Selection selection;
    RescueNode* list = BackUpOneValue(selection);
    ASSERT_NE(list, nullptr);
    const std::string fileName = list->item->fileName;
    const std::string before = ReadWholeFile(index);
    // A folder where the copy would be made.
    const std::string scratch = IndexScratchPath(index.c_str());
    ASSERT_TRUE(CreateDirectoryA(scratch.c_str(), nullptr));

    EXPECT_NE(TrkBackup(selection.First(), 1), 0u);
    EXPECT_NE(TrkClean(selection.First(), 1), 0u);
    EXPECT_TRUE(key.HasValue("K", "v"));
    EXPECT_NE(TrkDeleteRescue(list->item, index.c_str()), 0);
    EXPECT_TRUE(FileExistsAt(fileName));
    EXPECT_EQ(ReadWholeFile(index), before);
    EXPECT_EQ(RescueFilesIn(folder.Path()), std::vector<std::string>{fileName});

    ASSERT_TRUE(RemoveDirectoryA(scratch.c_str()));
    EXPECT_EQ(TrkDeleteRescue(list->item, index.c_str()), 0);
    EXPECT_FALSE(FileExistsAt(fileName));
    EXPECT_TRUE(IniSectionNames(index).empty());
    TrkFreeRescueItems();
}

// ---- A second operation started from a message pumped during the first.

uint32_t g_nestedBackup = 0;
int32_t g_nestedRestore = -1;
uint32_t g_nestedClean = 0;
SelectedEntry* g_nestedSelection = nullptr;

LRESULT CALLBACK NestingWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return DefWindowProcA(window, message, wParam, lParam);
    RescueItem item{};
    item.fileName = const_cast<char*>("C:\\no\\such.rrs");
    g_nestedBackup = TrkBackup(g_nestedSelection, 1);
    g_nestedClean = TrkClean(g_nestedSelection, 1);
    g_nestedRestore = TrkRestoreRescue(&item);
    return 0;
}

TEST_F(RescueItemsTest, OperationStartedWhileOneRunsIsRefused) {
    key.CreateKey("Tree\\Sub");
    key.SetString("Other", "v", "1");
    Selection outer;
    outer.Add(EntryKindKey, key.Path("Tree"));
    Selection nested;
    nested.Add(EntryKindValue, key.Path("Other"), "v");
    g_nestedSelection = nested.First();

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = NestingWindow;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "HolvaneRescueNesting";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("HolvaneRescueNesting", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_APP, 0, 0);
    EXPECT_EQ(TrkBackup(outer.First(), 1), 0u);
    DestroyWindow(window);

    EXPECT_EQ(g_nestedBackup, static_cast<uint32_t>(ERROR_BUSY));
    EXPECT_EQ(g_nestedClean, static_cast<uint32_t>(ERROR_BUSY));
    EXPECT_EQ(g_nestedRestore, 0);
    EXPECT_TRUE(key.HasValue("Other", "v"));
    std::string fileName = IniValue(index, OnlySection(), "FileName");
    EXPECT_EQ(RecordPaths(ReadWholeFile(fileName)),
              (std::vector<std::string>{key.Path("Tree"), key.Path("Tree\\Sub")}));
    // Once the first is done, the next one runs.
    EXPECT_EQ(TrkBackup(nested.First(), 1), 0u);
}

}  // namespace
