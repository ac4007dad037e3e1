// Rescue files on a disk that runs full part-way through a record. The tests
// run when started with a limit on file sizes (run_with_file_size_limit.sh);
// otherwise they are skipped.
#include <cstdlib>
#include <optional>

#include "RescueBytes.h"
#include "RescueFile.h"
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

}  // namespace
