// What the file system answered is kept while a scan runs, and only then.
#include "FileUtil.h"
#include "ScanFixture.h"

TEST(FileLookupScope, KeepsAnswersForItsLifetimeOnly) {
    ScratchFolder folder;
    std::string file = folder.File("kept.dll");

    uint64_t before = FileProbeCount();
    EXPECT_TRUE(FileExists(file.c_str(), false));
    EXPECT_TRUE(FileExists(file.c_str(), false));
    EXPECT_EQ(FileProbeCount() - before, 2u) << "without a scope every test asks";
    {
        FileLookupScope scope;
        before = FileProbeCount();
        EXPECT_TRUE(FileExists(file.c_str(), false));
        EXPECT_TRUE(FileExists(file.c_str(), true));
        ASSERT_TRUE(DeleteFileA(file.c_str()));
        // The same questions get the answers given first, without asking.
        EXPECT_TRUE(FileExists(file.c_str(), false));
        EXPECT_FALSE(FolderExists(file.c_str()));
        EXPECT_TRUE(FileExists(file.c_str(), true));
        EXPECT_EQ(FileProbeCount() - before, 2u);
        // A path spelled otherwise is another question.
        EXPECT_FALSE(FileExists((folder.Path() + "KEPT.dll").c_str(), false));
    }
    EXPECT_FALSE(FileExists(file.c_str(), false));
    EXPECT_FALSE(FileExists(file.c_str(), true));
}

TEST(FileLookupScope, EachScanAsksAfresh) {
    ScratchFolder folder;
    std::string server = folder.File("server.dll");
    ClassesKeys keys;
    std::string cls = keys.Own("CLSID\\{" + ClassesKeys::Unique("class") + "}");
    keys.Set(cls + "\\InprocServer32", nullptr, server);
    std::string path = "HKEY_CLASSES_ROOT\\" + cls + "\\InprocServer32";

    ScanRecorder recorder;
    TrkScan(ScanCOM);
    ASSERT_TRUE(DeleteFileA(server.c_str()));
    TrkScan(ScanCOM);
    folder.File("server.dll");
    TrkScan(ScanCOM);

    std::vector<SeenEntry> seen = recorder.Below(path);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].code, 0x1200u);
    EXPECT_EQ(seen[1].code, 0x1205u);
    EXPECT_EQ(seen[2].code, 0x1200u);
}
