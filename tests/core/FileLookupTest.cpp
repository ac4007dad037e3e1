// What the file system answered is kept while a scan runs, and only then;
// the kept answers are the ones the file system gives.
#include "FileLookups.h"
#include "FileUtil.h"
#include "ScanFixtures.h"

namespace {

struct Answers {
    bool file, folder;
};

Answers Ask(const std::string& path) {
    return {FileExists(path.c_str(), false), FolderExists(path.c_str())};
}

}  // namespace

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
        // What the file system said stands, in any spelling of the name.
        EXPECT_TRUE(FileExists(file.c_str(), false));
        EXPECT_FALSE(FolderExists(file.c_str()));
        EXPECT_TRUE(FileExists(file.c_str(), true));
        EXPECT_TRUE(FileExists((folder.Path() + "KEPT.DLL").c_str(), false));
        EXPECT_EQ(FileProbeCount() - before, 2u) << "one folder listing, one access test";
    }
    EXPECT_FALSE(FileExists(file.c_str(), false));
    EXPECT_FALSE(FileExists(file.c_str(), true));
}

TEST(FileLookupScope, ListsAFolderOnceForAllItsNames) {
    ScratchFolder folder;
    folder.File("app.exe");
    FileLookupScope scope;
    uint64_t before = FileProbeCount();
    for (const char* extension : {".com", ".exe", ".bat", ".cmd", ".vbs", ".js", ""})
        FileExists((folder.Path() + "app" + extension).c_str(), false);
    EXPECT_EQ(FileProbeCount() - before, 1u);
}

// Inside a scope every question gets the answer the lookup gives outside
// one, whether the listing answers it or the file system does.
TEST(FileLookupScope, AnswersAreThoseOfTheLookup) {
    ScratchFolder folder;
    folder.File("app.exe");
    folder.File("Mixed Case.DLL");
    folder.File("readme.txt");
    folder.File("a long file name.library");
    folder.Folder("sub");
    folder.File("sub\\inner.dll");
    const std::string f = folder.Path();
    const std::string paths[] = {
        f + "app.exe",
        f + "APP.EXE",
        f + "app.exe.com",
        f + "app",
        f + "mixed case.dll",
        f + "MIXED CASE.DLL",
        f + "Mixed",
        f + "sub",
        f + "SUB",
        f + "sub\\",
        f + "sub\\INNER.dll",
        f + "sub\\..\\app.exe",
        f + "sub/inner.dll",
        f + "app.exe.",
        f + "app.exe ",
        f + "app.*",
        f + "a?p.exe",
        f + "*",
        f + "nul",
        f + "NUL.txt",
        f + "con.dll",
        f + "COM1.exe",
        f + "lpt1",
        f + "aux.h",
        f + "readme.txt:stream",
        f + "missing.dll",
        f + "ALONGF~1.LIB",
        f + "missing folder\\app.exe",
        f.substr(0, f.size() - 1),
        "C:\\",
        "C:",
        "C:\\windows\\notepad.exe",
        "C:\\WINDOWS\\SYSTEM32\\NOTEPAD.EXE",
        "C:\\windows\\system32\\notepad.exe.com",
        "Q:\\nothing\\x.dll",
        "\\\\?\\C:\\windows",
        "notepad.exe",
        "C:\\windows\\" + std::string(300, 'x'),
    };
    std::vector<Answers> lookedUp;
    for (const std::string& path : paths) lookedUp.push_back(Ask(path));
    FileLookupScope scope;
    for (int round = 0; round < 2; ++round) {
        for (size_t i = 0; i < std::size(paths); ++i) {
            Answers kept = Ask(paths[i]);
            EXPECT_EQ(kept.file, lookedUp[i].file) << paths[i];
            EXPECT_EQ(kept.folder, lookedUp[i].folder) << paths[i];
        }
    }
    EXPECT_TRUE(lookedUp[0].file);
    EXPECT_TRUE(lookedUp[7].folder);
}

TEST(FileLookupScope, EachScanAsksAfresh) {
    ScratchFolder folder;
    std::string icon = folder.File("app.ico");
    ClassesKeys keys;
    std::string cls = keys.Own(OwnName("class"));
    keys.Set(cls + "\\DefaultIcon", nullptr, icon + ",0");
    std::string path = "HKEY_CLASSES_ROOT\\" + cls + "\\DefaultIcon";

    ScanRecorder recorder;
    TrkScan(ScanFileTypes);
    ASSERT_TRUE(DeleteFileA(icon.c_str()));
    TrkScan(ScanFileTypes);
    folder.File("app.ico");
    TrkScan(ScanFileTypes);

    std::vector<Report> seen = recorder.Below(path);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].code, 0x4200u);
    EXPECT_EQ(seen[1].code, 0x4205u);
    EXPECT_EQ(seen[2].code, 0x4200u);
}
