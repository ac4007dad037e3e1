// How a registry command line is cut, unquoted, expanded and searched for.
#include "FileUtil.h"
#include "RegFixture.h"

namespace {

bool Exists(const std::string& line) { return CommandTargetExists(line.c_str(), true, true); }

}  // namespace

TEST(CommandTargetExists, CutsQuotesPlaceholdersAndVariables) {
    struct Case {
        const char* line;
        bool found;
    };
    const Case cases[] = {
        {"%1", true},
        {"%1 and more", true},
        {"\"%1\"", true},
        {"%12", false},
        {"\"C:\\windows\\notepad.exe", false},  // no closing quote
        {"C:\\windows\\notepad.exe,0", true},
        {"  C:\\windows\\notepad.exe /switch", true},
        {"C:\\windows\\notepad.exe/x", true},
        {"rundll32.exe shell32.dll,Control_RunDLL", true},
        {"%SystemRoot%\\system32\\shell32.dll", true},
        {"notepad", true},
        {"C:\\windows", false},  // a folder
        {"C:\\windows\\", false},
        {"C:\\windows\\no-such-file.exe", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(Exists(c.line), c.found) << c.line;
    EXPECT_FALSE(CommandTargetExists(nullptr, true, true));
}

TEST(CommandTargetExists, FlagsTurnOffExpansionAndExtensions) {
    EXPECT_FALSE(CommandTargetExists("%SystemRoot%\\system32\\shell32.dll", false, true));
    EXPECT_FALSE(CommandTargetExists("notepad", true, false));
    EXPECT_TRUE(CommandTargetExists("notepad.exe", true, false));
}

TEST(CommandTargetExists, UnquotedPathsWithBlanksAreFoundByCuttingAtEachBlank) {
    ScratchFolder folder;
    folder.Folder("dir with space");
    std::string app = folder.File("dir with space\\app.exe");
    folder.File("dir with space\\tool.cmd");
    EXPECT_TRUE(Exists(app + " -x --y"));
    EXPECT_TRUE(Exists("\"" + app + "\" -x"));
    EXPECT_TRUE(Exists(folder.Path() + "dir with space\\tool arg"));  // through .cmd
    EXPECT_FALSE(Exists(folder.Path() + "dir with space\\absent.exe -x"));
}

TEST(CommandTargetExists, SearchesEveryPathFolderButNotTheCurrentOne) {
    ScratchFolder folder;
    folder.Folder("first");
    folder.Folder("second");
    folder.File("second\\holvane-tool.EXE");
    folder.File("here-only.exe");
    ScopedVariable path("PATH", folder.Path() + "first;;" + folder.Path() + "second");
    EXPECT_TRUE(Exists("holvane-tool"));
    EXPECT_TRUE(Exists("holvane-tool.exe with arguments"));
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(folder.Path().c_str());
    EXPECT_FALSE(Exists("here-only.exe"));
    SetCurrentDirectoryA(current);

    ScopedVariable noPath("PATH", "");
    EXPECT_FALSE(Exists("holvane-tool"));
}

TEST(CommandTargetExists, LongLinesAreSearchedWithoutOverflow) {
    std::string line = "C:\\" + std::string(6000, 'a') + " " + std::string(3000, 'b');
    EXPECT_FALSE(Exists(line));
    EXPECT_FALSE(Exists(std::string(8000, ' ') + "x"));
    EXPECT_FALSE(Exists("\"" + std::string(4000, '%') + "\""));
}
