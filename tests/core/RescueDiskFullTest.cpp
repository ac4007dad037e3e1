// Rescue files on a disk that runs full part-way through a record. The tests
// run when started with a limit on file sizes (run_with_file_size_limit.sh);
// otherwise they are skipped.
#include <support/Files.h>
#include <support/RescueBytes.h>

#include <cstdlib>
#include <optional>

#include "FileUtil.h"
#include "RescueFile.h"
#include "RescueIndex.h"
#include "RescueTestSupport.h"

namespace {

// The file size limit in bytes, or 0 when none was set.
size_t FileSizeLimit() {
    const char* limit = getenv("HOLVANE_FILE_SIZE_LIMIT");
    return limit ? strtoul(limit, nullptr, 10) : 0;
}

// The scratch key and folder are made only when the test runs: the skipped
// run of the same test, which ctest may start at the same time, must not
// touch them.
class DiskFull : public testing::Test {
protected:
    void SetUp() override {
        if (FileSizeLimit() == 0) GTEST_SKIP() << "runs under a file size limit only";
        scratch.emplace();
    }
    std::optional<RescueScratch> scratch;
};

// A rescue file close to the limit: the next record cannot be written whole,
// and the file is put back as it was, counter included.
TEST_F(DiskFull, HalfWrittenRecordIsTakenBackOut) {
    const ScratchKey& key = scratch->key;
    const ScratchFolder& folder = scratch->folder;
    const std::string file = folder.Path() + "full.rrs";
    const std::string filler(FileSizeLimit() - 4096, 'f');
    const std::string before =
        FileBytes({RecordBytes(key.Path("Old"), {EntryBytes("f", REG_BINARY, filler)})});
    ASSERT_TRUE(WriteWholeFile(file, before));
    SetValue(key, "", "big", REG_BINARY, std::string(10000, 'b'));

    BackupOutcome outcome;
    EXPECT_NE(BackupValue(key.Path().c_str(), "big", file.c_str(), RescueAppend, &outcome), 0u);
    EXPECT_NE(outcome.fileError, 0u);
    EXPECT_FALSE(outcome.saved);
    EXPECT_TRUE(ReadWholeFile(file) == before);
}

// The clean saves the small entries before the big one fails: it deletes
// nothing, and the rescue file keeps only whole records.
TEST_F(DiskFull, CleanDeletesNothingAndTheFileKeepsWholeRecords) {
    const ScratchKey& key = scratch->key;
    const ScratchFolder& folder = scratch->folder;
    key.SetString("A", "a", "1");
    SetValue(key, "Big", "big", REG_BINARY, std::string(FileSizeLimit() + 1000, 'b'));
    key.SetString("B", "b", "1");
    Selection selection;
    selection.Add(EntryKindValue, key.Path("A"), "a");
    selection.Add(EntryKindKey, key.Path("Big"));
    selection.Add(EntryKindValue, key.Path("B"), "b");
    EXPECT_NE(TrkClean(selection.First(), selection.Count()), 0u);

    EXPECT_TRUE(key.HasValue("A", "a"));
    EXPECT_TRUE(key.HasValue("Big", "big"));
    EXPECT_TRUE(key.HasValue("B", "b"));
    std::vector<std::string> files = RescueFilesIn(folder.Path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(RecordPaths(ReadWholeFile(files[0])), std::vector<std::string>{key.Path("A")});
    EXPECT_EQ(RestoreRescueFile(nullptr, files[0].c_str(), 1), 0u);
}

// A backup of a tree larger than the room: the file keeps the records that
// reached it whole, with their number in the header and nothing after them,
// and they write their keys back. A clean of the tree deletes nothing.
TEST_F(DiskFull, BackupCutShortKeepsWholeRecordsThatRestore) {
    const ScratchKey& key = scratch->key;
    const int count = static_cast<int>(FileSizeLimit() / 2000);
    auto build = [&] {
        for (int i = 0; i < count; ++i)
            SetValue(key, "Tree\\K" + std::to_string(i), "v", REG_BINARY,
                     std::string(4000, static_cast<char>('a' + i % 26)));
    };
    build();
    Selection selection;
    selection.Add(EntryKindKey, key.Path("Tree"));
    EXPECT_NE(TrkBackup(selection.First(), 1), 0u);
    std::vector<std::string> files = RescueFilesIn(scratch->folder.Path());
    ASSERT_EQ(files.size(), 1u);
    const std::string bytes = ReadWholeFile(files[0]);
    const std::vector<ParsedRecord> records = ParseRecords(bytes);
    ASSERT_GT(records.size(), 2u);
    ASSERT_LT(records.size(), static_cast<size_t>(count));
    EXPECT_EQ(ReadLe32(bytes, 0), 0xFFFFE55Eu);
    EXPECT_EQ(ReadLe32(bytes, 4), records.size());
    EXPECT_EQ(records.back().offset + 4 + ReadLe32(bytes, records.back().offset), bytes.size());

    ASSERT_EQ(RegDeleteTreeA(key.Root(), key.Subkey("Tree").c_str()), ERROR_SUCCESS);
    EXPECT_EQ(RestoreRescueFile(nullptr, files[0].c_str(), 1), 0u);
    size_t restored = 0;
    for (int i = 0; i < count; ++i) restored += key.HasValue("Tree\\K" + std::to_string(i), "v");
    EXPECT_EQ(restored, records.size() - 1);  // the first record is the tree's own key
    for (const ParsedRecord& record : records) {
        if (record.entries.empty()) continue;
        std::string below = record.path.substr(key.Path().size() + 1);
        EXPECT_TRUE(ValueText(key, below, "v") == record.entries[0].data) << below;
    }

    build();
    EXPECT_NE(TrkClean(selection.First(), 1), 0u);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(key.HasValue("Tree\\K" + std::to_string(i), "v")) << i;
}

// An index so close to the limit that the next section cannot be added: the
// index stays to the byte, backup and clean fail, and the clean deletes
// nothing and makes no rescue file. Taking a section out still works.
TEST_F(DiskFull, IndexThatCannotGrowStaysAsItWas) {
    const ScratchKey& key = scratch->key;
    const std::string& index = scratch->index;
    // Long file names fill most of the room in few sections, short ones the
    // rest, up to less than the new section needs.
    const std::string folderName = "C:\\" + std::string(400, 'r') + "\\";
    std::string before;
    unsigned items = 0;
    auto add = [&](const std::string& folderOfFile) {
        char section[64];
        snprintf(section, sizeof section, "[2001-01-01 %02u:%02u:%02u]\r\nCount=1\r\n",
                 items / 3600, items / 60 % 60, items % 60);
        before += section + ("FileName=" + folderOfFile + std::to_string(items++) + ".rrs\r\n");
    };
    while (before.size() + 1000 < FileSizeLimit()) add(folderName);
    while (before.size() + 100 < FileSizeLimit()) add("C:\\");
    ASSERT_TRUE(WriteWholeFile(index, before));
    key.SetString("K", "v", "1");
    Selection selection;
    selection.Add(EntryKindValue, key.Path("K"), "v");

    EXPECT_NE(TrkBackup(selection.First(), 1), 0u);
    EXPECT_NE(TrkClean(selection.First(), 1), 0u);
    EXPECT_TRUE(key.HasValue("K", "v"));
    EXPECT_TRUE(ReadWholeFile(index) == before);
    EXPECT_TRUE(RescueFilesIn(scratch->folder.Path()).empty());
    EXPECT_FALSE(FileExistsAt(IndexScratchPath(index.c_str())));

    std::string firstFile = folderName + "0.rrs";
    RescueItem first{{}, 1, firstFile.data(), nullptr};
    TextToFileTime("2001-01-01 00:00:00", &first.created);
    EXPECT_EQ(TrkDeleteRescue(&first, index.c_str()), 0);
    std::vector<std::string> sections = IniSectionNames(index);
    ASSERT_EQ(sections.size(), items - 1);
    EXPECT_EQ(sections.front(), "2001-01-01 00:00:01");
    EXPECT_EQ(IniValue(index, sections.back(), "Count"), "1");
}

}  // namespace
