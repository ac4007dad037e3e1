// Holvane.exe started as a process from a scratch copy of the program folder.
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "ProgramProcess.h"
#include "RegFixture.h"
#include "WindowFixture.h"

namespace {

std::string InstalledFolder() {
    char exe[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folder(exe, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "..\\dist\\";
}

class HolvaneProgram : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CopyFolderFiles(InstalledFolder(), Folder.Path())); }

    ScratchFolder Folder;
};

}  // namespace

TEST_F(HolvaneProgram, FirstStartShowsTheMainWindowAndWritesItsFiles) {
    TProgramProcess program(Folder.Path(), "Holvane.exe");
    ASSERT_TRUE(program.Started());
    HWND window = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (window = program.VisibleWindow("Holvane")) != nullptr; }, 20000));
    EXPECT_TRUE(FileExists(Folder.Path() + "config.ini"));
    EXPECT_TRUE(FileExists(Folder.Path() + "Langs\\English.ini"));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForEnd(15000), 0u);
    std::vector<std::string> lines = FileLines(Folder.Path() + "config.ini");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[lines.size() - 4], "[Form]");
}
