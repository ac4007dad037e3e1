// What the main window does with the results of a scan and with the rescue
// items: repair and backup of the checked rows, the Restore page's list,
// restore and delete; failures the core library reports, and clicks that
// arrive while the core library works.
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>

#include <memory>
#include <regex>

#include "RescueTestSupport.h"
#include "ScanRoadFixture.h"

namespace {

constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

const std::string kBackupComplete = "Taking Registry Backup Complete!";
const std::string kRepairComplete = "Repairing Complete!";
const std::string kRestoreComplete = "Restoring Complete!";
const std::string kOneEntryStays =
    "\r\n1 of the selected entries could not be removed and are still in the registry.";
const std::string kRestoreFailed =
    "The backup could not be restored completely. It has been kept, so that you can try again.";

// The name of a rescue item of the hand-made ones: the date 2021-01-0n at ten.
std::string ItemDate(int n) { return std::string("2021-01-0") + std::to_string(n) + " 10:00:00"; }

std::string ValueName(int i) { return std::string("v") + std::to_string(i); }

class MainRescue : public ScanRoadTest {
protected:
    // A scan of the startup category over count missing Run values of the
    // test's own (and nothing else), every row checked.
    void ScanRunValues(int count) {
        AddMissingRunValues(count);
        // A valid value keeps the Run key from being left empty, and so
        // deleted, by a repair of all the others.
        Run.SetString("", OwnName("valid").c_str(), "C:\\windows\\notepad.exe");
        TickOnly({ScanStartup});
        Scan();
        ASSERT_EQ(TreeRows(), count);
        // A repair deletes what the rows list: they must all be the test's.
        ASSERT_EQ(OwnRows(), count);
    }
    bool RunValueExists(const std::string& name) const { return Run.HasValue("", name.c_str()); }

    // An installed product without uninstall information, listed as a whole
    // key, with three subkeys: the core library pumps the window's messages
    // while it saves them, and a repair cannot delete the key.
    std::string AddProductWithParts() {
        const std::string product = OwnName("product");
        Uninstall.SetString(product, "DisplayName", "Holvane test product");
        for (const char* part : {"\\One", "\\Two", "\\Three"})
            Uninstall.SetString(product + part, "Part", part);
        return product;
    }

    // The rescue folder becomes a file: the core library can write neither
    // the index nor a rescue file.
    void ReplaceBackupFolderByFile() {
        ASSERT_TRUE(RemoveDirectoryA((Folder.Path() + "backup").c_str()));
        Folder.File("backup", "not a folder");
    }

    // Rescue items made by hand: one per value of Values, each holding it,
    // named by the dates 2021-01-01, -02, ... at ten o'clock.
    void MakeOneItemPerValue(int count) {
        for (int i = 0; i < count; ++i) {
            Values.SetString("", ValueName(i).c_str(), ValueName(i));
            MakeRescueItem(ItemDate(i + 1), Values, {ValueName(i)});
        }
        for (int i = 0; i < count; ++i)
            RegDeleteKeyValueA(Values.Root(), Values.Subkey().c_str(), ValueName(i).c_str());
    }
    std::vector<std::string> RescueCaptions() const {
        std::vector<std::string> rows;
        for (int i = 0; i < RescueRows(); ++i) rows.push_back(RescueRow(i));
        return rows;
    }

    ScratchKey Values{HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software"};
    RegArea Uninstall{HKEY_LOCAL_MACHINE, kMachineRoot, kUninstallKey};
};

}  // namespace

// The confirmed backup is answered only in the next second, so that the
// repair's own rescue item gets a section of its own.
TEST_F(MainRescue, RepairOfThreeOfFiveRowsWithABackupSavesTwiceAndCountsThree) {
    ScanRunValues(5);
    for (int row : {1, 3}) Tree()->SetCheckState(Node(row), csUncheckedNormal);
    std::vector<std::string> kept, repaired;
    for (int row = 0; row < 5; ++row)
        (row == 1 || row == 3 ? kept : repaired).push_back(Found()[row]->entryName);
    AppSettings.ConfirmBackups = true;
    const int32_t fixedBefore = AppSettings.RegistryErrorsFixedToDate;
    auto answer = Application->OnMessageBox;
    Application->OnMessageBox = [answer](const std::string& text, const std::string& caption,
                                         UINT flags) {
        int pressed = answer(text, caption, flags);
        if (text == kBackupComplete) WaitForNextSecond();
        return pressed;
    };
    Answers = {IDYES};
    const size_t first = Boxes.size();

    Form->btnRepairRegistry->Click();

    ASSERT_EQ(Boxes.size(), first + 3);
    EXPECT_EQ(Boxes[first].Text,
              "A total of 5 entries were found, out of which 3 were selected for removal. \r\n As "
              "a safety precaution, a complete backup of the Registry should be made before any "
              "cleaning. \r\n This allows you to undo any changes made to your PC. \r\n Do you "
              "want to take a backup?");
    EXPECT_EQ(Boxes[first].Caption, "Holvane");
    EXPECT_EQ(Boxes[first].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(Boxes[first + 1].Text, kBackupComplete);
    EXPECT_EQ(Boxes[first + 2].Text, kRepairComplete);
    for (size_t i = first + 1; i < Boxes.size(); ++i) {
        EXPECT_EQ(Boxes[i].Caption, "Holvane");
        EXPECT_EQ(Boxes[i].Flags, static_cast<UINT>(MB_ICONQUESTION));
    }
    const std::vector<std::string> sections = RescueSections();
    ASSERT_EQ(sections.size(), 2u);
    for (const std::string& section : sections) EXPECT_EQ(RescueValue(section, "Count"), "3");
    EXPECT_EQ(AppSettings.RegistryErrorsFixedToDate, fixedBefore + 3);
    EXPECT_NE(AppSettings.LastRegistryBackupDateTime, "...");
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 0);
    EXPECT_EQ(TreeRows(), 0);
    // The rows and copies stay until the next scan.
    EXPECT_EQ(Form->Results().Count(), 5);
    EXPECT_EQ(Found().size(), 5u);
    for (const std::string& name : kept) EXPECT_TRUE(RunValueExists(name)) << name;
    for (const std::string& name : repaired) EXPECT_FALSE(RunValueExists(name)) << name;
}

TEST_F(MainRescue, WithoutConfirmationTheRepairAsksNothingAndSavesOnce) {
    ScanRunValues(2);
    AppSettings.ConfirmBackups = false;
    const int32_t fixedBefore = AppSettings.RegistryErrorsFixedToDate;
    const size_t first = Boxes.size();

    Form->btnRepairRegistry->Click();

    EXPECT_EQ(BoxTextsFrom(first), std::vector<std::string>{kRepairComplete});
    EXPECT_EQ(RescueSections().size(), 1u);
    EXPECT_EQ(AppSettings.LastRegistryBackupDateTime, "...");
    EXPECT_EQ(AppSettings.RegistryErrorsFixedToDate, fixedBefore + 2);
    EXPECT_EQ(TreeRows(), 0);
    EXPECT_EQ(OwnRows(), 2);
    EXPECT_FALSE(RunValueExists(OwnName("1")));
}

// A button with nothing to act on does nothing: Create Backup and Repair
// Registry with no row or no checked row, Restore with no row selected or
// no item at all. No question, no message, no date, no counter, no rescue
// item; the rows, the page and the list stay.
TEST_F(MainRescue, ButtonsWithNothingToActOnDoNothingAndSayNothing) {
    struct Case {
        const char* name;
        bool scanned;  // a scan found rows, all of them then unchecked
        bool items;    // the Restore page lists items, none selected
        TPicButton* TfrmMain::*button;
        bool confirm;
    };
    const Case cases[] = {
        // Before any scan.
        {"backup, no rows", false, false, &TfrmMain::btnCreateBackup, false},
        {"repair, no rows", false, false, &TfrmMain::btnRepairRegistry, true},
        {"restore, no item", false, false, &TfrmMain::btnRestoreBackup, false},
        {"backup, no row checked", true, false, &TfrmMain::btnCreateBackup, false},
        {"repair with the question, no row checked", true, false, &TfrmMain::btnRepairRegistry,
         true},
        {"repair, no row checked", true, false, &TfrmMain::btnRepairRegistry, false},
        {"restore, no row selected", false, true, &TfrmMain::btnRestoreBackup, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(RescueIndex().c_str());
        if (c.scanned) {
            ScanRunValues(2);
            Form->LabelUncheckAll->Click();
        }
        if (c.items) MakeOneItemPerValue(2);
        if (c.button == &TfrmMain::btnRestoreBackup) {
            ShowRestorePage();
            SelectRescueRow(-1);
        }
        AppSettings.ConfirmBackups = c.confirm;
        AppSettings.LastRegistryBackupDateTime = "...";
        const int32_t fixed = AppSettings.RegistryErrorsFixedToDate;
        const int rows = TreeRows();
        const int page = Form->PageControlExMain->ActivePageIndex();
        const int scanPage = Form->PageControlExRegistryScan->ActivePageIndex();
        const std::vector<std::string> sections = RescueSections();
        const std::vector<std::string> listed = RescueCaptions();
        const size_t first = Boxes.size();

        (Form->*c.button)->Click();

        EXPECT_TRUE(BoxTextsFrom(first).empty());
        EXPECT_EQ(AppSettings.LastRegistryBackupDateTime, "...");
        EXPECT_EQ(AppSettings.RegistryErrorsFixedToDate, fixed);
        EXPECT_EQ(TreeRows(), rows);
        EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), page);
        EXPECT_EQ(Form->PageControlExRegistryScan->ActivePageIndex(), scanPage);
        EXPECT_EQ(RescueSections(), sections);
        EXPECT_EQ(RescueCaptions(), listed);
        if (c.scanned) {
            EXPECT_TRUE(RunValueExists(OwnName("1")));
            EXPECT_TRUE(RunValueExists(OwnName("2")));
        }
        for (int i = 0; i < 2 && c.items; ++i)
            EXPECT_FALSE(Values.HasValue("", ValueName(i).c_str()));
    }
}

TEST_F(MainRescue, RestorePageListsEachItemWithItsDateAndCount) {
    Values.SetString("", "a", "1");
    Values.SetString("", "b", "2");
    MakeRescueItem(ItemDate(1), Values, {"a"});
    MakeRescueItem(ItemDate(3), Values, {"a", "b"});

    ShowRestorePage();

    const std::vector<std::string> rows = RescueCaptions();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].rfind("Friday, January 01, 2021 - ", 0), 0u) << rows[0];
    EXPECT_TRUE(rows[0].ends_with(" - 1 Items")) << rows[0];
    EXPECT_EQ(rows[1].rfind("Sunday, January 03, 2021 - ", 0), 0u) << rows[1];
    EXPECT_TRUE(rows[1].ends_with(" - 2 Items")) << rows[1];
    for (int row = 0; row < 2; ++row) EXPECT_EQ(RescueList()->Items()->Item(row)->ImageIndex(), 0);
}

// A missing or empty index lists nothing: the rows stay as they were.
TEST_F(MainRescue, RestorePageKeepsItsRowsWhenTheIndexIsMissingOrEmpty) {
    MakeOneItemPerValue(2);
    ShowRestorePage();
    const std::vector<std::string> rows = RescueCaptions();
    ASSERT_EQ(rows.size(), 2u);

    ASSERT_TRUE(DeleteFileA(RescueIndex().c_str()));
    ShowRestorePage();
    EXPECT_EQ(RescueCaptions(), rows);

    Folder.File("backup\\Rescue.ini", "");
    ShowRestorePage();
    EXPECT_EQ(RescueCaptions(), rows);
}

TEST_F(MainRescue, DeletingARowSelectsTheRowThatTookItsPlace) {
    struct Case {
        const char* name;
        int items;
        int deleted;
        std::vector<int> left;  // the items still listed, in order
        int selected;
    };
    const Case cases[] = {
        {"last row", 3, 2, {0, 1}, 1},
        {"middle row", 3, 1, {0, 2}, 1},
        {"only row", 1, 0, {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(RescueIndex().c_str());
        std::vector<std::string> files;
        for (int i = 0; i < c.items; ++i) {
            const std::string section = ItemDate(i + 1);
            files.push_back(Folder.File(std::string("backup\\") + std::to_string(i) + ".rrs", ""));
            WritePrivateProfileStringA(section.c_str(), "Count", std::to_string(i + 1).c_str(),
                                       RescueIndex().c_str());
            WritePrivateProfileStringA(section.c_str(), "FileName", files.back().c_str(),
                                       RescueIndex().c_str());
        }
        ShowRestorePage();
        ASSERT_EQ(RescueRows(), c.items);
        const std::vector<std::string> before = RescueCaptions();
        SelectRescueRow(c.deleted);

        Form->btnDeleteRestore->Click();

        std::vector<std::string> expected;
        for (int item : c.left) expected.push_back(before[item]);
        EXPECT_EQ(RescueCaptions(), expected);
        EXPECT_EQ(SelectedRescueRow(), c.selected);
        if (c.selected >= 0) {
            EXPECT_TRUE(RescueList()->Items()->Item(c.selected)->Focused());
            EXPECT_EQ(RescueList()->Selected(), RescueList()->Items()->Item(c.selected));
        }
        EXPECT_EQ(RescueSections().size(), c.left.size());
        EXPECT_FALSE(FileExists(files[c.deleted]));
        // Row i still designates the i-th item left.
        RescueNode* node = Form->RescueItems().First();
        for (int item : c.left) {
            ASSERT_NE(node, nullptr);
            EXPECT_EQ(node->item->fileName, files[item]);
            node = node->next;
        }
        EXPECT_EQ(node, nullptr);
    }
}

TEST_F(MainRescue, RestoringAfterADeleteRestoresTheItemNowAtThatRow) {
    MakeOneItemPerValue(3);
    ShowRestorePage();
    const std::vector<std::string> rows = RescueCaptions();
    SelectRescueRow(1);
    Form->btnDeleteRestore->Click();
    ASSERT_EQ(SelectedRescueRow(), 1);
    const size_t first = Boxes.size();

    Form->btnRestoreBackup->Click();

    EXPECT_FALSE(Values.HasValue("", "v0"));
    EXPECT_FALSE(Values.HasValue("", "v1"));
    EXPECT_TRUE(Values.HasValue("", "v2"));
    EXPECT_EQ(RescueCaptions(), std::vector<std::string>{rows[0]});
    EXPECT_EQ(RescueSections(), std::vector<std::string>{ItemDate(1)});
    ASSERT_EQ(Boxes.size(), first + 1);
    EXPECT_EQ(Boxes[first].Text, kRestoreComplete);
    EXPECT_EQ(Boxes[first].Caption, "Holvane");
    EXPECT_EQ(Boxes[first].Flags, static_cast<UINT>(MB_ICONQUESTION));
}

// A restore that failed leaves the item, the only copy of what it holds,
// listed and on disk, and says so.
TEST_F(MainRescue, FailedRestoreKeepsTheItemAndItsRowAndSaysSo) {
    // What keeps the item from being written back, for as long as it lives.
    using Spoil = std::function<std::shared_ptr<void>(const std::string& file, ScratchKey& key)>;
    struct Case {
        const char* name;
        Spoil spoil;
    };
    const Case cases[] = {
        {"file removed",
         [](const std::string& file, ScratchKey&) {
             DeleteFileA(file.c_str());
             return std::shared_ptr<void>();
         }},
        {"file cut short",
         [](const std::string& file, ScratchKey&) {
             const std::string bytes = ReadFileText(file);
             std::ofstream(file, std::ios::binary | std::ios::trunc)
                 << bytes.substr(0, bytes.size() - 3);
             return std::shared_ptr<void>();
         }},
        // As keys under HKEY_LOCAL_MACHINE are for a user without
        // administrator rights: readable, not writable.
        {"key the registry refuses",
         [](const std::string&, ScratchKey& key) -> std::shared_ptr<void> {
             return std::make_shared<DeniedKey>(key, "");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(RescueIndex().c_str());
        MakeOneItemPerValue(2);
        ShowRestorePage();
        const std::vector<std::string> rows = RescueCaptions();
        const std::vector<std::string> sections = RescueSections();
        const std::string file = RescueValue(sections[0], "FileName");
        std::shared_ptr<void> spoiled = c.spoil(file, Values);
        const bool fileThere = FileExists(file);
        SelectRescueRow(0);
        const size_t first = Boxes.size();

        Form->btnRestoreBackup->Click();
        spoiled.reset();

        ASSERT_EQ(Boxes.size(), first + 1);
        EXPECT_EQ(Boxes[first].Text, kRestoreFailed);
        EXPECT_EQ(Boxes[first].Caption, "Holvane");
        EXPECT_EQ(Boxes[first].Flags, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(RescueCaptions(), rows);
        EXPECT_EQ(SelectedRescueRow(), 0);
        EXPECT_EQ(RescueSections(), sections);
        EXPECT_EQ(FileExists(file), fileThere);
        EXPECT_EQ(Form->RescueItems().First()->item->fileName, file);
        EXPECT_FALSE(Values.HasValue("", "v0"));
    }
}

// A backup or repair the core library refuses changes nothing, counts
// nothing, keeps the rows and says so.
TEST_F(MainRescue, RefusedBackupOrRepairKeepsTheRowsCountsNothingAndSaysSo) {
    ScanRunValues(2);
    ReplaceBackupFolderByFile();
    const int32_t fixedBefore = AppSettings.RegistryErrorsFixedToDate;
    const std::regex backupFailed(
        "The backup could not be written completely \\(error [1-9][0-9]*\\)\\. The registry "
        "was not changed\\.");
    const std::regex repairFailed(
        "The selected entries could not be backed up \\(error [1-9][0-9]*\\), so none of them "
        "was deleted\\. Nothing was changed\\.");
    const std::regex repairNotStarted(
        "The backup could not be written completely \\(error [1-9][0-9]*\\), so the repair "
        "was not started\\. Nothing was deleted\\.");
    size_t first = Boxes.size();

    Form->btnCreateBackup->Click();

    ASSERT_EQ(Boxes.size(), first + 1);
    EXPECT_TRUE(std::regex_match(Boxes[first].Text, backupFailed)) << Boxes[first].Text;
    EXPECT_EQ(Boxes[first].Caption, "Holvane");
    EXPECT_EQ(Boxes[first].Flags, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(AppSettings.LastRegistryBackupDateTime, "...");
    EXPECT_EQ(TreeRows(), 2);

    // A confirmed backup that failed stops the repair before anything is
    // deleted; the message says so.
    AppSettings.ConfirmBackups = true;
    Answers = {IDYES};
    first = Boxes.size();
    Form->btnRepairRegistry->Click();

    ASSERT_EQ(Boxes.size(), first + 2);
    EXPECT_TRUE(std::regex_match(Boxes[first + 1].Text, repairNotStarted)) << Boxes[first + 1].Text;
    EXPECT_EQ(Boxes[first + 1].Flags, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(AppSettings.RegistryErrorsFixedToDate, fixedBefore);
    EXPECT_EQ(AppSettings.LastRegistryBackupDateTime, "...");
    EXPECT_EQ(TreeRows(), 2);
    EXPECT_TRUE(RunValueExists(OwnName("1")));
    EXPECT_TRUE(RunValueExists(OwnName("2")));

    // Without the question, the repair's own backup fails and nothing is deleted.
    AppSettings.ConfirmBackups = false;
    first = Boxes.size();
    Form->btnRepairRegistry->Click();

    ASSERT_EQ(Boxes.size(), first + 1);
    EXPECT_TRUE(std::regex_match(Boxes[first].Text, repairFailed)) << Boxes[first].Text;
    EXPECT_EQ(Boxes[first].Flags, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(AppSettings.RegistryErrorsFixedToDate, fixedBefore);
    EXPECT_EQ(AppSettings.LastRegistryBackupDateTime, "...");
    EXPECT_EQ(TreeRows(), 2);
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 1);
    EXPECT_EQ(Form->PageControlExRegistryScan->ActivePageIndex(), 1);
    EXPECT_TRUE(RunValueExists(OwnName("1")));
    EXPECT_TRUE(RunValueExists(OwnName("2")));
}

// The failure texts are "Message" texts: a new language file does not get
// them and the built-in ones are shown; a file that has them is read.
TEST_F(MainRescue, FailureTextsComeFromTheLanguageFileWhenItHasThem) {
    const char* file = AppSettings.LanguageFilePath.c_str();
    char stored[64] = "";
    GetPrivateProfileStringA("Message", "BackupFailed", "none", stored, sizeof stored, file);
    EXPECT_STREQ(stored, "none");
    GetPrivateProfileStringA("Message", "RestoreFailed", "none", stored, sizeof stored, file);
    EXPECT_STREQ(stored, "none");
    WritePrivateProfileStringA("Message", "BackupFailed", "Keine Sicherung (Fehler %u).", file);
    WritePrivateProfileStringA("Message", "RestoreFailed", "Nicht wiederhergestellt.", file);
    WritePrivateProfileStringA("Message", "RescueFailedTitle", "Holvane Fehler", file);
    ASSERT_TRUE(LoadLanguage());
    ScanRunValues(1);
    ReplaceBackupFolderByFile();
    const size_t first = Boxes.size();

    Form->btnCreateBackup->Click();

    ASSERT_EQ(Boxes.size(), first + 1);
    EXPECT_TRUE(std::regex_match(Boxes[first].Text,
                                 std::regex("Keine Sicherung \\(Fehler [1-9][0-9]*\\)\\.")))
        << Boxes[first].Text;
    EXPECT_EQ(Boxes[first].Caption, "Holvane Fehler");
}

// The core library pumps the window's messages while it saves a key tree
// (once per subkey) and while it restores (once per record): the clicks
// that arrive meanwhile are ignored, not run inside the first.
TEST_F(MainRescue, ClicksWhileABackupOrARepairRunsAreIgnored) {
    AddProductWithParts();
    TickOnly({ScanSoftware});
    Scan();
    ASSERT_EQ(TreeRows(), 1);
    ASSERT_EQ(OwnRows(), 1);
    AppSettings.ConfirmBackups = false;

    for (TPicButton* button : {Form->btnCreateBackup, Form->btnRepairRegistry}) {
        SCOPED_TRACE(button->Name());
        TPostedWork probe(nullptr);
        PostClick(Form->btnCreateBackup);
        PostClick(Form->btnRepairRegistry);
        probe.Post();
        const size_t first = Boxes.size();
        const size_t sections = RescueSections().size();

        button->Click();
        Pump(20);

        EXPECT_TRUE(probe.DoneInsideACoreCall());
        // The product's key keeps its subkeys, so the repair could not remove it.
        EXPECT_EQ(BoxTextsFrom(first),
                  std::vector<std::string>{button == Form->btnCreateBackup
                                               ? kBackupComplete
                                               : kRepairComplete + kOneEntryStays});
        EXPECT_EQ(RescueSections().size(), sections + 1);
        WaitForNextSecond();
    }
    EXPECT_EQ(TreeRows(), 0);
}

TEST_F(MainRescue, ClicksWhileARestoreRunsAreIgnored) {
    MakeOneItemPerValue(3);
    ShowRestorePage();
    const std::vector<std::string> rows = RescueCaptions();
    SelectRescueRow(0);
    TPostedWork probe(nullptr);
    PostClick(Form->btnRestoreBackup);
    PostClick(Form->btnDeleteRestore);
    probe.Post();
    const size_t first = Boxes.size();

    Form->btnRestoreBackup->Click();
    Pump(20);

    EXPECT_TRUE(probe.DoneInsideACoreCall());
    EXPECT_EQ(BoxTextsFrom(first), std::vector<std::string>{kRestoreComplete});
    EXPECT_TRUE(Values.HasValue("", "v0"));
    EXPECT_EQ(RescueCaptions(), (std::vector<std::string>{rows[1], rows[2]}));
    EXPECT_EQ(RescueSections().size(), 2u);
}

// Each showing of the Restore page reads a new list from the core library;
// the lists are kept, so the rows' items stay usable however often it is shown.
TEST_F(MainRescue, TheRestorePageCanBeShownAgainAndAgain) {
    MakeOneItemPerValue(2);
    for (int visit = 0; visit < 100; ++visit) ShowRestorePage();
    ASSERT_EQ(RescueRows(), 2);
    SelectRescueRow(1);

    Form->btnRestoreBackup->Click();

    EXPECT_TRUE(Values.HasValue("", "v1"));
    EXPECT_FALSE(Values.HasValue("", "v0"));
    EXPECT_EQ(RescueRows(), 1);
    EXPECT_EQ(Boxes.back().Text, kRestoreComplete);
}

// A click on another row while the core library restores changes what is
// selected, not what is deleted: the item restored goes, the other stays
// listed with its section and its file.
TEST_F(MainRescue, ARestoreDeletesTheItemItRestoredWhateverRowIsSelectedMeanwhile) {
    MakeOneItemPerValue(3);
    ShowRestorePage();
    const std::vector<std::string> rows = RescueCaptions();
    const std::string otherFile = RescueValue(ItemDate(3), "FileName");
    ASSERT_TRUE(FileExists(otherFile));
    SelectRescueRow(0);
    TPostedWork probe([this] { SelectRescueRow(2); });
    probe.Post();
    const size_t first = Boxes.size();

    Form->btnRestoreBackup->Click();
    Pump(20);

    EXPECT_TRUE(probe.DoneInsideACoreCall());
    EXPECT_EQ(BoxTextsFrom(first), std::vector<std::string>{kRestoreComplete});
    EXPECT_TRUE(Values.HasValue("", "v0"));
    EXPECT_FALSE(Values.HasValue("", "v2"));
    EXPECT_EQ(RescueCaptions(), (std::vector<std::string>{rows[1], rows[2]}));
    EXPECT_EQ(RescueSections(), (std::vector<std::string>{ItemDate(2), ItemDate(3)}));
    EXPECT_TRUE(FileExists(otherFile));
    // The row that took the restored item's place is the one selected now.
    EXPECT_EQ(SelectedRescueRow(), 0);
}

// The window comes back from the notification area while the core library
// restores, and the Restore page is shown again: its list is not read anew
// under the call, and the item restored is the one deleted.
TEST_F(MainRescue, TheRestorePageShownDuringARestoreKeepsItsList) {
    MakeOneItemPerValue(3);
    ShowRestorePage();
    const std::vector<std::string> rows = RescueCaptions();
    RescueNode* const list = Form->RescueItems().First();
    SelectRescueRow(0);
    bool shownAgain = false;
    TPostedWork probe([&] {
        Form->ActionMin->Execute();
        Form->TrayIconDblClick(Form);
        shownAgain = Form->TabSheetRestrore->Showing();
    });
    probe.Post();
    const size_t first = Boxes.size();

    Form->btnRestoreBackup->Click();
    Pump(20);

    EXPECT_TRUE(probe.DoneInsideACoreCall());
    EXPECT_TRUE(shownAgain);
    EXPECT_EQ(BoxTextsFrom(first), std::vector<std::string>{kRestoreComplete});
    EXPECT_TRUE(Values.HasValue("", "v0"));
    EXPECT_EQ(Form->RescueItems().First(), list->next);
    EXPECT_EQ(RescueCaptions(), (std::vector<std::string>{rows[1], rows[2]}));
    EXPECT_EQ(RescueSections(), (std::vector<std::string>{ItemDate(2), ItemDate(3)}));
}

// While a backup runs, the page stays and no scan starts: not from the
// Registry Scan button, not from Scan Now, not from its action.
TEST_F(MainRescue, NoScanStartsWhileABackupRuns) {
    AddProductWithParts();
    TickOnly({ScanSoftware});
    Scan();
    ASSERT_EQ(TreeRows(), 1);
    const std::string scanned = AppSettings.LastScanDateTime;
    Seen.clear();
    TPostedWork probe([this] {
        Form->btnRegistryScanScan->Click();
        Form->btnStartScanNow->Click();
        Form->ActionStartScanNow->Execute();
        Form->btnStartScan->Click();
    });
    PostClick(Form->btnRegistryScanScan);
    probe.Post();
    const size_t first = Boxes.size();

    Form->btnCreateBackup->Click();
    Pump(20);

    EXPECT_TRUE(probe.DoneInsideACoreCall());
    EXPECT_TRUE(Seen.empty());
    EXPECT_EQ(AppSettings.LastScanDateTime, scanned);
    EXPECT_EQ(BoxTextsFrom(first), std::vector<std::string>{kBackupComplete});
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 1);
    EXPECT_EQ(Form->PageControlExRegistryScan->ActivePageIndex(), 1);
    EXPECT_EQ(TreeRows(), 1);
    EXPECT_EQ(OwnRows(), 1);
}

// The key with subkeys stays in the registry (only a key without subkeys is
// deleted), so only the Run value counts as fixed, and the message says
// that one entry is still there.
TEST_F(MainRescue, ARepairCountsOnlyTheEntriesItRemoved) {
    const std::string product = AddProductWithParts();
    AddMissingRunValues(1);
    Run.SetString("", OwnName("valid").c_str(), "C:\\windows\\notepad.exe");
    TickOnly({ScanSoftware, ScanStartup});
    Scan();
    ASSERT_EQ(TreeRows(), 2);
    ASSERT_EQ(OwnRows(), 2);
    AppSettings.ConfirmBackups = false;
    const int32_t fixedBefore = AppSettings.RegistryErrorsFixedToDate;
    const size_t first = Boxes.size();

    Form->btnRepairRegistry->Click();

    EXPECT_FALSE(RunValueExists(OwnName("1")));
    EXPECT_TRUE(Uninstall.Exists(product));
    EXPECT_EQ(AppSettings.RegistryErrorsFixedToDate, fixedBefore + 1);
    EXPECT_EQ(BoxTextsFrom(first), std::vector<std::string>{kRepairComplete + kOneEntryStays});
    EXPECT_EQ(TreeRows(), 0);
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 0);
}

// The window's close ends the application it belongs to: here one of the
// test's own, so that the process's application goes on for later tests.
class MainRescueClosing : public MainRescue {
protected:
    void SetUp() override {
        FApplication = std::make_unique<TScopedApplication>();
        MainRescue::SetUp();
        auto close = Form->OnClose;
        Form->OnClose = [this, close](TObject* sender, TCloseAction& action) {
            ++Closes;
            BusyWhenClosed = Form->Work().Busy();
            close(sender, action);
        };
    }
    void TearDown() override {
        MainRescue::TearDown();
        FApplication.reset();
    }
    std::string SavedSetting(const char* key) const {
        return TIniFile(AppSettings.ConfigFilePath).ReadString("system", key, "");
    }

    int Closes = 0;
    bool BusyWhenClosed = true;

private:
    std::unique_ptr<TScopedApplication> FApplication;
};

// A close while the repair's own backup pumps the window's messages lets the
// repair finish; the window then closes once, without the completion message,
// and the settings file has the repair's count and the confirmed backup's date.
TEST_F(MainRescueClosing, ACloseDuringARepairWaitsForItAndSavesWhatItDid) {
    AddProductWithParts();
    AddMissingRunValues(2);
    Run.SetString("", OwnName("valid").c_str(), "C:\\windows\\notepad.exe");
    TickOnly({ScanSoftware, ScanStartup});
    Scan();
    ASSERT_EQ(OwnRows(), 3);
    AppSettings.ConfirmBackups = true;
    Answers = {IDYES};
    const int32_t fixedBefore = AppSettings.RegistryErrorsFixedToDate;
    // The close is clicked once the confirmed backup is over: the repair's
    // own backup of the product's subkeys dispatches it.
    TPostedWork probe([this] { Form->btnClose->Click(); });
    auto answer = Application->OnMessageBox;
    Application->OnMessageBox = [&, answer](const std::string& text, const std::string& caption,
                                            UINT flags) {
        if (text == kBackupComplete) probe.Post();
        return answer(text, caption, flags);
    };
    const size_t first = Boxes.size();

    Form->btnRepairRegistry->Click();
    Pump(50);

    EXPECT_TRUE(probe.DoneInsideACoreCall());
    ASSERT_EQ(BoxTextsFrom(first).size(), 2u);
    EXPECT_EQ(BoxTextsFrom(first)[1], kBackupComplete);
    EXPECT_EQ(Closes, 1);
    EXPECT_FALSE(BusyWhenClosed);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(RunValueExists(OwnName("1")));
    EXPECT_FALSE(RunValueExists(OwnName("2")));
    EXPECT_EQ(AppSettings.RegistryErrorsFixedToDate, fixedBefore + 2);
    EXPECT_EQ(SavedSetting("RegistryErrorsFixedToDate"), std::to_string(fixedBefore + 2));
    EXPECT_NE(AppSettings.LastRegistryBackupDateTime, "...");
    EXPECT_EQ(SavedSetting("LastRegistryBackupDateTime"), AppSettings.LastRegistryBackupDateTime);
}

// A close during the confirmed backup lets the backup finish and starts no
// repair: nothing is deleted after the user asked to close.
TEST_F(MainRescueClosing, ACloseDuringTheConfirmedBackupEndsTheRepairBeforeItDeletes) {
    const std::string product = AddProductWithParts();
    AddMissingRunValues(1);
    Run.SetString("", OwnName("valid").c_str(), "C:\\windows\\notepad.exe");
    TickOnly({ScanSoftware, ScanStartup});
    Scan();
    ASSERT_EQ(OwnRows(), 2);
    AppSettings.ConfirmBackups = true;
    Answers = {IDYES};
    const int32_t fixedBefore = AppSettings.RegistryErrorsFixedToDate;
    const size_t sections = RescueSections().size();
    TPostedWork probe([this] { Form->btnClose->Click(); });
    probe.Post();
    const size_t first = Boxes.size();

    Form->btnRepairRegistry->Click();
    Pump(50);

    EXPECT_TRUE(probe.DoneInsideACoreCall());
    // Only the question: no completion message waits for the user.
    EXPECT_EQ(BoxTextsFrom(first).size(), 1u);
    EXPECT_EQ(Closes, 1);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(RunValueExists(OwnName("1")));
    EXPECT_TRUE(Uninstall.Exists(product));
    EXPECT_EQ(RescueSections().size(), sections + 1);
    EXPECT_EQ(SavedSetting("RegistryErrorsFixedToDate"), std::to_string(fixedBefore));
    EXPECT_NE(AppSettings.LastRegistryBackupDateTime, "...");
    EXPECT_EQ(SavedSetting("LastRegistryBackupDateTime"), AppSettings.LastRegistryBackupDateTime);
}

// The end of the Windows session when the window is idle: the query is
// agreed to and changes nothing; the end saves what a close saves, once, and
// ends the program.
TEST_F(MainRescueClosing, TheEndOfTheSessionSavesWhatACloseSavesOnce) {
    ScanRunValues(2);
    const int32_t found = AppSettings.InvalidRegistryEntriesFoundToDate;
    ASSERT_EQ(AppSettings.LastScanResult, 2);
    ASSERT_NE(SavedSetting("LastScanResult"), "2");
    const size_t first = Boxes.size();

    EXPECT_EQ(SendMessageA(Form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(Closes, 0);
    EXPECT_FALSE(Application->Terminated());
    EXPECT_NE(SavedSetting("LastScanResult"), "2");

    SendMessageA(Form->Handle(), WM_ENDSESSION, TRUE, 0);

    EXPECT_EQ(Closes, 1);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(SavedSetting("LastScanResult"), "2");
    EXPECT_EQ(SavedSetting("InvalidRegistryEntriesFoundToDate"), std::to_string(found));
    EXPECT_EQ(SavedSetting("LastScanDateTime"), AppSettings.LastScanDateTime);
    EXPECT_TRUE(BoxTextsFrom(first).empty());
}

// A session that would end while the core library backs up is held back;
// the window closes once the backup is over, with its date saved. A session
// that ends all the same gets the settings as they stand at once.
class MainRescueEndingSession : public MainRescueClosing {
protected:
    void EndTheSessionDuringABackup(bool endsAnyway) {
        AddProductWithParts();
        TickOnly({ScanSoftware});
        Scan();
        ASSERT_EQ(OwnRows(), 1);
        WritePrivateProfileStringA("system", "LastScanResult", nullptr,
                                   AppSettings.ConfigFilePath.c_str());
        LRESULT answer = -1;
        std::string savedMeanwhile;
        TPostedWork probe([&] {
            answer = SendMessageA(Form->Handle(), WM_QUERYENDSESSION, 0, 0);
            SendMessageA(Form->Handle(), WM_ENDSESSION, endsAnyway, 0);
            savedMeanwhile = SavedSetting("LastScanResult");
        });
        probe.Post();
        const size_t first = Boxes.size();

        Form->btnCreateBackup->Click();
        Pump(20);

        EXPECT_TRUE(probe.DoneInsideACoreCall());
        EXPECT_EQ(answer, FALSE);
        EXPECT_EQ(savedMeanwhile, endsAnyway ? "1" : "");
        // No completion message waits for the user.
        EXPECT_TRUE(BoxTextsFrom(first).empty());
        EXPECT_EQ(Closes, 1);
        EXPECT_FALSE(BusyWhenClosed);
        EXPECT_TRUE(Application->Terminated());
        EXPECT_EQ(SavedSetting("LastScanResult"), "1");
        EXPECT_NE(AppSettings.LastRegistryBackupDateTime, "...");
        EXPECT_EQ(SavedSetting("LastRegistryBackupDateTime"),
                  AppSettings.LastRegistryBackupDateTime);
        EXPECT_EQ(RescueSections().size(), 1u);
    }
};

TEST_F(MainRescueEndingSession, HeldBackDuringABackupItClosesOnceTheBackupIsOver) {
    EndTheSessionDuringABackup(false);
}

TEST_F(MainRescueEndingSession, EndedAllTheSameDuringABackupItSavesAtOnceAndAfterIt) {
    EndTheSessionDuringABackup(true);
}
