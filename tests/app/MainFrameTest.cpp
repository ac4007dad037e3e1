// The main window's frame: what its creation sets up, the page switching,
// and what closing it writes into the settings file.
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>
#include <tresk.h>

#include "MainWindowFixture.h"

namespace {

using MainFrame = MainWindowTest;

}  // namespace

TEST_F(MainFrame, CreationHandsTheEngineTheProgramsBackupFolderAndShowsTheOverview) {
    EngineConfig config{};
    TrkGetConfig(&config);  // its result is the thread's last error
    EXPECT_EQ(std::string(config.rescueFolder), Folder.Path() + "backup\\");
    EXPECT_EQ(std::string(config.rescueIndexPath), Folder.Path() + "backup\\Rescue.ini");
    EXPECT_TRUE(DirectoryExists(Folder.Path() + "backup"));
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 0);
    EXPECT_FALSE(Form->btnTopOverview->Enabled());
    EXPECT_EQ(Form->Caption(), "Holvane");
    EXPECT_EQ(Form->ClientWidth(), 914);
    EXPECT_EQ(Form->ClientHeight(), 625);
}
