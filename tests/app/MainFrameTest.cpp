// The main window's frame: what its creation sets up, the message it posts
// itself, the page switching, and what closing it writes into the settings
// file.
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>
#include <tresk.h>

#include <array>
#include <functional>
#include <memory>

#include "MainWindowFixture.h"
#include "SettingsLines.h"

namespace {

using MainFrame = MainWindowTest;

// Every category box off, so that a scan passes the categories without
// asking the core library anything.
const char* const NoCategories =
    "ScanBoxCOM=0\r\nScanBoxApplicationPaths=0\r\nScanBoxFileTypes=0\r\nScanBoxFonts=0\r\n"
    "ScanBoxHelpFiles=0\r\nScanBoxHistoryLists=0\r\nScanBoxSharedFiles=0\r\n"
    "ScanBoxShortcuts=0\r\nScanBoxSoftware=0\r\nScanBoxSounds=0\r\nScanBoxStartup=0\r\n"
    "ScanBoxStartMenu=0\r\n";

// The window made over a settings file the test writes first.
class MainFrameWithSettings : public MainWindowTest {
protected:
    virtual std::string SystemKeys() const = 0;
    void SetUp() override {
        Folder.File("config.ini", "[system]\r\n" + SystemKeys());
        MainWindowTest::SetUp();
    }
};

// The window with a scan at start and the minimise to the notification area
// both asked for; the scan is over at once, as no category is ticked. What
// the window looked like when it went to the tray is recorded.
class MainFrameStartingWithScanAndMinimised : public MainFrameWithSettings {
protected:
    std::string SystemKeys() const override {
        return std::string("StartScanWhenStarts=1\r\nStartMin=1\r\n") + NoCategories;
    }
    void SetUp() override {
        Application->OnMinimize = [this](TObject*) {
            BoxesWhenMinimised = static_cast<int>(Boxes.size());
            VisibleWhenMinimised = Form && IsWindowVisible(Form->Handle());
            ScanRunningWhenMinimised = Form && Form->Work().Busy();
        };
        MainFrameWithSettings::SetUp();
    }
    void TearDown() override {
        MainFrameWithSettings::TearDown();
        Application->OnMinimize = nullptr;
    }

    int BoxesWhenMinimised = -1;
    bool VisibleWhenMinimised = false;
    bool ScanRunningWhenMinimised = true;
};

// The window's close ends the application it belongs to: here one of the
// test's own, so that the process's application goes on for later tests.
class MainFrameClosing : public MainWindowTest {
protected:
    void SetUp() override {
        FApplication = std::make_unique<TScopedApplication>();
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        FApplication.reset();
    }

    std::string SettingsFile() const { return Folder.Path() + "config.ini"; }

private:
    std::unique_ptr<TScopedApplication> FApplication;
};

// A skin file of a few keys, one of them a colour the loader cannot take;
// the controls are skinned in the form's order: the page buttons before the
// page area, the page area before the overview's buttons inside it.
class MainFrameWithBadSkin : public MainWindowTest {
protected:
    void SetUp() override {
        Folder.Folder("Skins");
        Folder.File("Skins\\Default.ini",
                    "[FORMMAIN]\r\n"
                    "PicButton_btnTopRestore_LEFT=30\r\n"
                    "IMAGEPANEL_ImagePanelMain_COLOR=clPaleMoss\r\n"
                    "PicButton_btnStartScan_LEFT=40\r\n");
        MainWindowTest::SetUp();
    }
};

// The page buttons and the scan page's sub-page buttons in their order.
std::array<TPicButton*, 4> PageButtons(const TfrmMain& form) {
    return {form.btnTopOverview, form.btnTopRegistryScan, form.btnTopSettings, form.btnTopRestore};
}
std::array<TPicButton*, 3> ScanButtons(const TfrmMain& form) {
    return {form.btnRegistryScanScan, form.btnRegistryScanResults, form.btnRegistryDefrag};
}

// The window's pages as a caller of SwitchPage leaves them: the top page and
// its button, the scan sub-page and the sub-page button it disables; the
// settings and restore sub-pages are always the first, their buttons off,
// and no page shows a tab.
void ExpectPages(const TfrmMain& form, int topPage, int scanPage, int disabledScanButton) {
    const auto pageButtons = PageButtons(form);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pageButtons[i]->Enabled(), i != topPage) << pageButtons[i]->Name();
    EXPECT_EQ(form.PageControlExMain->ActivePageIndex(), topPage);
    const auto scanButtons = ScanButtons(form);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(scanButtons[i]->Enabled(), i != disabledScanButton) << scanButtons[i]->Name();
    EXPECT_EQ(form.PageControlExRegistryScan->ActivePageIndex(), scanPage);
    EXPECT_EQ(form.PageControlExSettings->ActivePageIndex(), 0);
    EXPECT_FALSE(form.btnSettingsGeneral->Enabled());
    EXPECT_EQ(form.PageControlExTabSheetRestoreRegistry->ActivePageIndex(), 0);
    EXPECT_FALSE(form.btnTabSheetRestoreRegistry->Enabled());
    for (TPageControlEx* pages :
         {form.PageControlExMain, form.PageControlExRegistryScan, form.PageControlExSettings,
          form.PageControlExTabSheetRestoreRegistry})
        for (int i = 0; i < pages->PageCount(); ++i)
            EXPECT_FALSE(pages->Pages(i)->TabVisible()) << pages->Pages(i)->Name();
}

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
    // The posted start message showed the window and named the application
    // after it; nothing was started on its own.
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_EQ(Application->Title(), "Holvane");
    EXPECT_FALSE(Form->Work().Busy());
    EXPECT_FALSE(Form->Scan().Stopped());
    EXPECT_EQ(AppSettings.LastScanDateTime, "...");
    EXPECT_FALSE(Form->TrayIcon->IconVisible());
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainFrame, EveryCallerOfSwitchPageShowsItsPagesAndDisablesTheirButtons) {
    ExpectPages(*Form, 0, 0, 0);
    TfrmMain& form = *Form;
    struct TCase {
        const char* Caller;
        std::function<void()> Call;
        int TopPage;
        int ScanPage;
        int DisabledScanButton;
    };
    // In an order in which every button clicked is on the page shown and enabled.
    const TCase cases[] = {
        {"btnDefragRegistry", [&] { ClickControl(form.btnDefragRegistry); }, 1, 2, 2},
        {"btnRegistryScanResults", [&] { ClickControl(form.btnRegistryScanResults); }, 1, 1, 1},
        {"btnRegistryScanScan", [&] { ClickControl(form.btnRegistryScanScan); }, 1, 0, 0},
        {"btnRegistryDefrag", [&] { ClickControl(form.btnRegistryDefrag); }, 1, 2, 2},
        {"btnTopSettings", [&] { ClickControl(form.btnTopSettings); }, 2, 0, 0},
        {"btnTopRestore", [&] { ClickControl(form.btnTopRestore); }, 3, 0, 0},
        // The About page has no page button: all four stay enabled.
        {"ActionAbout", [&] { form.ActionAbout->Execute(); }, 4, 0, 0},
        {"btnTopOverview", [&] { ClickControl(form.btnTopOverview); }, 0, 0, 0},
        {"btnSettings", [&] { ClickControl(form.btnSettings); }, 2, 0, 0},
        {"btnTopRegistryScan", [&] { ClickControl(form.btnTopRegistryScan); }, 1, 0, 0},
        // The scan road's progress page disables the same button as the scan page.
        {"progress page", [&] { form.SwitchPage(mpRegistryScan, spProgress); }, 1, 3, 0},
        {"btnRegistryScanResults", [&] { ClickControl(form.btnRegistryScanResults); }, 1, 1, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Caller);
        c.Call();
        ExpectPages(form, c.TopPage, c.ScanPage, c.DisabledScanButton);
    }
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainFrameStartingWithScanAndMinimised,
       TheScanEndsWithItsMessageBeforeTheWindowGoesToTheTray) {
    // The scan ran and ended with its closing message while the window was
    // shown; only then did the window go to the notification area.
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "No invalid entries were found on your system!");
    EXPECT_EQ(BoxesWhenMinimised, 1);
    EXPECT_TRUE(VisibleWhenMinimised);
    EXPECT_FALSE(ScanRunningWhenMinimised);
    EXPECT_NE(AppSettings.LastScanDateTime, "...");
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 1);
    EXPECT_EQ(Form->PageControlExRegistryScan->ActivePageIndex(), 0);
    EXPECT_TRUE(Form->TrayIcon->IconVisible());
    EXPECT_FALSE(IsWindowVisible(Form->Handle()));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainFrameClosing, ClosingWritesTheTwentyTwoStateKeysInOrderAndThenTheWindowsPlace) {
    // Changes made on the pages: an option applied, an option changed after
    // Apply (not stored), a category box unticked.
    ClickControl(Form->btnTopSettings);
    ClickControl(Form->chkSettingsStartMin);
    ClickControl(Form->btnApply);
    ClickControl(Form->chkSettingsConfirmBackup);
    ClickControl(Form->btnTopRegistryScan);
    ClickControl(Form->Category(ScanFonts).CheckBox);
    ASSERT_TRUE(AppSettings.StartMin);
    ASSERT_FALSE(Form->Category(ScanFonts).CheckBox->Checked());
    AppSettings.LastScanDateTime = "Monday, May 04, 2026 - 9:15:00 AM";
    AppSettings.LastScanResult = 7;
    AppSettings.InvalidRegistryEntriesFoundToDate = 31;
    AppSettings.RegistryErrorsFixedToDate = 24;
    Form->SetLeft(120);
    Form->SetTop(90);
    // Only what the close writes is in the file afterwards.
    ASSERT_TRUE(DeleteFileA(SettingsFile().c_str()));
    Form->Close();
    std::vector<std::string> expected =
        StateKeyLines({{"StartMin", "1"},
                       {"LastScanDateTime", "Monday, May 04, 2026 - 9:15:00 AM"},
                       {"LastScanResult", "7"},
                       {"InvalidRegistryEntriesFoundToDate", "31"},
                       {"RegistryErrorsFixedToDate", "24"},
                       {"ScanBoxFonts", "0"}});
    expected.insert(expected.end(), {"[Form]", "x=120", "y=90", "maximized=0"});
    EXPECT_EQ(FileLines(SettingsFile()), expected);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainFrameClosing, ASettingsFileThatCannotBeWrittenIsReportedAndTheWindowStillCloses) {
    // A folder where the settings file should be: every write to it fails.
    ASSERT_TRUE(DeleteFileA(SettingsFile().c_str()));
    ASSERT_TRUE(CreateDirectoryA(SettingsFile().c_str(), nullptr));
    Form->Close();
    const std::string error = "Unable to write to " + SettingsFile();
    EXPECT_EQ(Errors, std::vector<std::string>({error, error}));
    EXPECT_TRUE(Application->Terminated());
    RemoveDirectoryA(SettingsFile().c_str());
}

TEST_F(MainFrameWithBadSkin, ASkinColourThatIsNoColourIsReportedAndTheWindowIsStillMade) {
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Errors[0], "'clPaleMoss' is not a valid integer value");
    // The skinning stopped at the bad value: what came before it is skinned,
    // what comes after keeps its built-in place.
    EXPECT_EQ(Form->btnTopRestore->Left(), 30);
    EXPECT_EQ(Form->btnStartScan->Left(), 20);
    // The rest of the creation ran: texts, figures, the engine's paths, the
    // posted start message.
    EXPECT_EQ(Form->Caption(), "Holvane");
    EXPECT_EQ(Form->labInvalidRegistryEntriesFound->Caption(),
              "Invalid Registry Entries Found To Date: 0");
    EngineConfig config{};
    TrkGetConfig(&config);
    EXPECT_EQ(std::string(config.rescueFolder), Folder.Path() + "backup\\");
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    // And the window is used as any other.
    ClickControl(Form->btnTopSettings);
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 2);
    EXPECT_TRUE(Boxes.empty());
}
