// File name parts and folder tests.
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "RegFixture.h"

TEST(PathParts, SplitAtTheLastBackslashOrColon) {
    struct TCase {
        const char* path;
        const char* folder;
        const char* name;
        const char* ext;
    } cases[] = {
        {"C:\\Skins\\Default.ini", "C:\\Skins\\", "Default.ini", ".ini"},
        {"C:\\Skins\\", "C:\\Skins\\", "", ""},
        {"C:name.bmp", "C:", "name.bmp", ".bmp"},
        {"name", "", "name", ""},
        {"C:\\dir.d\\file", "C:\\dir.d\\", "file", ""},
        {"archive.tar.gz", "", "archive.tar.gz", ".gz"},
        {"\\\\server\\share\\a.", "\\\\server\\share\\", "a.", "."},
        {"", "", "", ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
    }
    EXPECT_EQ(IncludeTrailingBackslash("C:\\Skins"), "C:\\Skins\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\Skins\\"), "C:\\Skins\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
}

TEST(PathFolders, ExistenceTestsAndForcedFolders) {
    ScratchFolder folder;
    std::string file = folder.File("file.txt");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_TRUE(DirectoryExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder.Path() + "missing.txt"));
    EXPECT_FALSE(FileExists(folder.Path() + "*.txt"));

    std::string deep = folder.Path() + "a\\b\\c\\";
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));
    // A folder below a file cannot be made.
    EXPECT_FALSE(ForceDirectories(file + "\\below"));
    EXPECT_FALSE(ForceDirectories(""));
}
