// The main window's scan road: the categories scanned in their order, the
// progress page and its icons, Stop and closing during a scan, the entries
// taken into the results list with their descriptions, and the results tree.
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>

#include <cmath>

#include "ScanRoadFixture.h"

namespace {

constexpr char kRecentDocsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";

const std::string kNoInvalidEntries = "No invalid entries were found on your system!";

std::string InvalidEntriesFound(int count) {
    return "A total of " + std::to_string(count) +
           " invalid Registry entries were found on your system.  \r\n Click on \"Repair "
           "Registry\" to fix all entries.";
}

std::string StoppedScanFound(int count) {
    return "The scan was stopped. " + std::to_string(count) +
           " invalid Registry entries were found before it stopped.";
}

using MainScan = ScanRoadTest;

}  // namespace

TEST_F(MainScan, WithNoCategoryTickedEveryIconIsDoneAndNothingIsScanned) {
    AddMissingRunValues(2);
    TickOnly({});

    Scan();

    EXPECT_TRUE(Seen.empty());
    for (const TScanCategory& category : Form->ScanCategories()) {
        SCOPED_TRACE(category.ResultIcon->Name());
        EXPECT_TRUE(Shows(category.ResultIcon, Form->ImageV));
        EXPECT_TRUE(category.ResultIcon->Visible());
    }
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, kNoInvalidEntries);
    EXPECT_EQ(Boxes[0].Caption, "Holvane");
    EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 1);
    EXPECT_EQ(Form->PageControlExRegistryScan->ActivePageIndex(), 0);
    EXPECT_EQ(AppSettings.LastScanResult, 0);
    EXPECT_EQ(TreeRows(), 0);
    EXPECT_FALSE(Form->Work().Busy());
}

// The COM scan lists a class of the test's own, so that the stop has
// something to count; the stop comes while the file types are scanned, and
// the startup values are never looked at.
TEST_F(MainScan, StopAnsweredYesDuringTheThirdCategoryEndsTheLoopAfterIt) {
    ClassesKeys keys;
    const std::string cls = keys.Own("CLSID\\{" + OwnName("class") + "}");
    keys.Set(cls + "\\InprocServer32", nullptr, MissingProgram(OwnName("server")));
    AddMissingRunValues(1);
    TickOnly({ScanCOM, ScanApplicationPaths, ScanFileTypes, ScanFonts, ScanStartup});
    bool clicked = false;
    DuringScan = [&](const TSeenEntry& seen) {
        if (clicked || seen.Blinking != Form->Category(ScanFileTypes).ResultIcon) return;
        PostClick(Form->ButtonStopScan);
        clicked = true;
    };
    TImage* blinkingAtQuestion = nullptr;
    auto answer = Application->OnMessageBox;
    Application->OnMessageBox = [&, answer](const std::string& text, const std::string& caption,
                                            UINT flags) {
        if (Boxes.empty()) blinkingAtQuestion = Form->Scan().BlinkingIcon();
        return answer(text, caption, flags);
    };
    Answers = {IDYES};

    Scan();

    ASSERT_TRUE(clicked);
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[0].Text, "Are you sure want to stop scanning?");
    EXPECT_EQ(Boxes[0].Caption, "Holvane");
    EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(blinkingAtQuestion, Form->Category(ScanFileTypes).ResultIcon);
    EXPECT_TRUE(SeenUnder(Run.Path()).empty());
    const std::array<TScanCategory, 12>& categories = Form->ScanCategories();
    for (size_t i = 0; i < categories.size(); ++i) {
        SCOPED_TRACE(categories[i].ResultIcon->Name());
        if (i < 3)
            EXPECT_TRUE(Shows(categories[i].ResultIcon, Form->ImageV));
        else
            EXPECT_TRUE(ShowsNothing(categories[i].ResultIcon));
    }
    EXPECT_FALSE(Form->Timer->Enabled());
    const int found = AppSettings.LastScanResult;
    EXPECT_GE(OwnRows(), 1);
    EXPECT_EQ(TreeRows(), found);
    EXPECT_EQ(Boxes[1].Text, StoppedScanFound(found));
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 1);
    EXPECT_EQ(Form->PageControlExRegistryScan->ActivePageIndex(), 1);
}

// Stopped before it found anything, the scan does not claim a clean system:
// the categories after the stop were never looked at.
TEST_F(MainScan, AScanStoppedBeforeItFoundAnythingSaysItWasStopped) {
    for (const char* name : {"valid1", "valid2"})
        Run.SetString("", OwnName(name).c_str(), "C:\\windows\\notepad.exe");
    TickOnly({ScanStartup});
    Answers = {IDYES};
    DuringScan = [&](const TSeenEntry&) {
        if (Boxes.empty()) Form->ButtonStopScan->Click();
    };

    Scan();

    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[0].Text, "Are you sure want to stop scanning?");
    EXPECT_EQ(AppSettings.LastScanResult, 0);
    EXPECT_EQ(Boxes[1].Text, StoppedScanFound(0));
    EXPECT_EQ(Boxes[1].Caption, "Holvane");
    EXPECT_EQ(Boxes[1].Flags, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 1);
    EXPECT_EQ(Form->PageControlExRegistryScan->ActivePageIndex(), 0);

    // Stop means nothing once the scan is over: no question.
    Form->ButtonStopScan->Click();
    EXPECT_EQ(Boxes.size(), 2u);
}

// While a scan runs, the page buttons, the About item and the window's own
// page switching change nothing; the progress page stays.
TEST_F(MainScan, NoPageChangesWhileAScanRuns) {
    AddMissingRunValues(1);
    TickOnly({ScanStartup});
    std::vector<std::pair<int, int>> pages;
    DuringScan = [&](const TSeenEntry&) {
        if (!pages.empty()) return;
        Form->btnTopSettings->Click();
        Form->btnRegistryScanResults->Click();
        Form->btnTopRestore->Click();
        Form->ActionAbout->Execute();
        Form->SwitchPage(mpOverview);
        pages.emplace_back(Form->PageControlExMain->ActivePageIndex(),
                           Form->PageControlExRegistryScan->ActivePageIndex());
    };

    Scan();

    EXPECT_EQ(pages, (std::vector<std::pair<int, int>>{{1, 3}}));
    ClickControl(Form->btnTopSettings);
    EXPECT_EQ(Form->PageControlExMain->ActivePageIndex(), 2);
}

TEST_F(MainScan, StartupIsScannedBeforeStartMenuEachByItsOwnBox) {
    AddMissingRunValues(1);
    TickOnly({ScanStartup, ScanStartMenu});
    bool startMenuWaiting = false;
    bool earlierDone = true;
    DuringScan = [&](const TSeenEntry&) {
        startMenuWaiting = ShowsNothing(Form->Category(ScanStartMenu).ResultIcon);
        for (const TScanCategory& category : Form->ScanCategories()) {
            if (category.Flag == ScanStartup) break;
            earlierDone = earlierDone && Shows(category.ResultIcon, Form->ImageV);
        }
    };

    Scan();

    std::vector<TSeenEntry> seen = SeenUnder(Run.Path());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Blinking, Form->Category(ScanStartup).ResultIcon);
    EXPECT_TRUE(startMenuWaiting);
    EXPECT_TRUE(earlierDone);
    EXPECT_TRUE(Shows(Form->Category(ScanStartup).ResultIcon, Form->ImageV));
    EXPECT_TRUE(Shows(Form->Category(ScanStartMenu).ResultIcon, Form->ImageV));

    // The Start Menu box alone scans nothing of the Run key.
    Seen.clear();
    TickOnly({ScanStartMenu});
    Scan();
    EXPECT_TRUE(SeenUnder(Run.Path()).empty());
    EXPECT_TRUE(Shows(Form->Category(ScanStartMenu).ResultIcon, Form->ImageV));
}

// One registration of each kind the COM scan finds invalid, and a recent
// document whose shortcut is gone: every row with its texts and its
// description, and the window's own copy of each entry.
TEST_F(MainScan, EachReasonGetsItsDescriptionAndMissingFilesOrShortcutsNone) {
    ClassesKeys keys;
    const std::string root = "HKEY_CLASSES_ROOT\\";
    const auto [cls, noLibrary, noClass, lib, helpFolder, empty, proxy, noProxy] =
        AddComEntriesOfEachReason(keys);
    const std::string server = MissingProgram(OwnName("server"));
    keys.Set(cls + "\\InprocServer32", nullptr, server);
    RegArea docs(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", kRecentDocsKey);
    const std::string doc = RecentDocData(L"holvane-gone.txt", kAnsiType, OwnName("gone.lnk"));
    docs.SetValue("", OwnName("gone").c_str(), REG_BINARY, doc.data(), doc.size());
    TickOnly({ScanCOM, ScanShortcuts});

    Scan();

    struct Case {
        std::string keyPath, entryName;
        uint32_t code;
        std::string title, target, description;
    };
    const std::string clsPath = root + cls;
    const Case cases[] = {
        {clsPath + "\\InprocServer32", "", 0x1205, "Holvane test class", server, ""},
        {clsPath + "\\TypeLib", "", 0x1213, "Holvane test class", noLibrary,
         "Found a Item in " + clsPath +
             "\\TypeLib point to a missing TypeLib that should be "
             "deleted"},
        {clsPath + "\\ProgID", "", 0x1210, "Holvane test class", noClass,
         "Found a Item in " + clsPath +
             "\\ProgID point to a missing filetype that should be "
             "deleted."},
        {root + lib + "\\1.0\\HELPDIR", "", 0x1206, "Holvane test library", helpFolder,
         "Found an Item in " + root + lib + "\\1.0\\HELPDIR point to a missing file " + helpFolder +
             " that should be deleted."},
        {root + empty, "", 0x1204, "", "",
         "Found an empty key " + root + empty + " to be deleted."},
        {root + proxy + "\\ProxyStubclsid32", "", 0x1211, "", noProxy,
         "Found a Item in " + root + proxy +
             "\\ProxyStubclsid32 point to a missing ClassID that should be deleted;"},
        {docs.Path(), OwnName("gone"), 0x80107, "holvane-gone.txt", OwnName("gone.lnk"), ""},
    };
    const std::vector<const ScanEntry*> found = Found();
    ASSERT_EQ(static_cast<int>(found.size()), TreeRows());
    ASSERT_EQ(Form->Results().Count(), TreeRows());
    EXPECT_EQ(AppSettings.LastScanResult, TreeRows());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyPath);
        auto at = std::find_if(found.begin(), found.end(), [&](const ScanEntry* entry) {
            return c.keyPath == entry->keyPath &&
                   c.entryName == (entry->entryName ? entry->entryName : "");
        });
        ASSERT_NE(at, found.end());
        const int row = static_cast<int>(at - found.begin());
        const ScanEntry& copy = **at;
        EXPECT_EQ(copy.code, c.code);
        EXPECT_EQ(copy.title ? std::string(copy.title) : "", c.title);
        EXPECT_EQ(copy.title == nullptr, c.title.empty());
        EXPECT_EQ(copy.target ? std::string(copy.target) : "", c.target);
        EXPECT_EQ(copy.target == nullptr, c.target.empty());
        EXPECT_EQ(copy.entryName == nullptr, c.entryName.empty());
        EXPECT_EQ(Row(row)->Kind, 0);
        EXPECT_EQ(Row(row)->Path, "Path: " + c.keyPath);
        EXPECT_EQ(Row(row)->Title, "Title: " + c.title);
        EXPECT_EQ(Row(row)->EntryName, "EntryName: " + c.entryName);
        EXPECT_EQ(Row(row)->Target, "Target: " + c.target);
        EXPECT_EQ(Row(row)->Description, c.description);
        EXPECT_EQ(Form->Results().At(row).Text(), "");
    }
    for (size_t i = 0; i < found.size(); ++i) EXPECT_EQ(found[i]->id, static_cast<int32_t>(i));
}

// Every row starts checked and 30 high; the first is selected and focused,
// 70 high, with its description under its caption. Check All and UnCheck All
// change every row.
TEST_F(MainScan, FirstRowIsFocusedWithItsDescriptionAndEveryRowStartsChecked) {
    ClassesKeys keys;
    for (const char* name : {"a", "b", "c"}) {
        const std::string cls = keys.Own("CLSID\\{" + OwnName(name) + "}");
        keys.Set(cls + "\\ProgID", nullptr, OwnName(std::string("no-class-") + name));
    }
    TickOnly({ScanCOM});

    Scan();

    ASSERT_GE(TreeRows(), 3);
    PVirtualNode first = Tree()->GetFirst();
    EXPECT_EQ(Tree()->FocusedNode(), first);
    EXPECT_TRUE(Tree()->Selected(first));
    EXPECT_EQ(Tree()->SelectedCount(), 1u);
    EXPECT_EQ(Tree()->NodeHeight(first), 70);
    EXPECT_FALSE(Row(0)->Description.empty());
    EXPECT_EQ(Tree()->SelectedDescription(), Row(0)->Description);
    for (int row = 0; row < TreeRows(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Tree()->CheckType(Node(row)), ctTriStateCheckBox);
        EXPECT_EQ(Tree()->CheckState(Node(row)), csCheckedNormal);
        if (row > 0) {
            EXPECT_EQ(Tree()->NodeHeight(Node(row)), 30);
        }
        EXPECT_EQ(Tree()->Text(Node(row)), Row(row)->Title);
    }

    // Focus moving on gives the old row its height back.
    Tree()->SetFocusedNode(Node(2));
    EXPECT_EQ(Tree()->NodeHeight(first), 30);
    EXPECT_EQ(Tree()->NodeHeight(Node(2)), 70);
    EXPECT_EQ(Tree()->SelectedDescription(), Row(2)->Description);

    Form->LabelUncheckAll->Click();
    for (int row = 0; row < TreeRows(); ++row)
        EXPECT_EQ(Tree()->CheckState(Node(row)), csUncheckedNormal) << row;
    Form->LabelCheckAll->Click();
    for (int row = 0; row < TreeRows(); ++row)
        EXPECT_EQ(Tree()->CheckState(Node(row)), csCheckedNormal) << row;
}

TEST_F(MainScan, ValidEntriesMoveTheBarAndTheStatusLineButAddNoRow) {
    Run.SetString("", OwnName("1").c_str(), "C:\\windows\\notepad.exe");
    Run.SetString("", OwnName("2").c_str(), MissingProgram(OwnName("2")));
    Run.SetString("", OwnName("3").c_str(), "notepad");
    TickOnly({ScanStartup});

    Scan();

    const std::vector<TSeenEntry> seen = SeenUnder(Run.Path());
    ASSERT_EQ(seen.size(), 3u);
    int rows = 0;
    for (const TSeenEntry& entry : seen) {
        SCOPED_TRACE(entry.EntryName);
        EXPECT_EQ(entry.Status, entry.Title);
        EXPECT_EQ(entry.BarPercent, static_cast<uint16_t>(std::floor(entry.Percent)));
        if (entry.Code & EntryReasonMask) ++rows;
        EXPECT_EQ(entry.Rows, rows);
    }
    EXPECT_EQ(rows, 1);
    ASSERT_EQ(TreeRows(), 1);
    EXPECT_EQ(Row(0)->Title, "Title: " + OwnName("2"));
    EXPECT_EQ(AppSettings.LastScanResult, 1);
    EXPECT_EQ(Form->LabelErrorFound->Caption(), "Attention: 1 Problems/Errors Found");
    EXPECT_EQ(Form->LabelScanResult->Caption(), "Scan Results (1 Problems/Errors Found)");
    EXPECT_EQ(Form->LabelFenwarpStatus->Caption(), seen.back().Title);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, InvalidEntriesFound(1));
}

// Each scan starts from an empty list and numbers its entries on from the
// last one of the scan before; a scan that finds nothing leaves no row.
TEST_F(MainScan, ASecondScanStartsEmptyAndNumbersOnFromTheFirst) {
    AddMissingRunValues(2);
    TickOnly({ScanStartup});
    const int32_t foundBefore = AppSettings.InvalidRegistryEntriesFoundToDate;
    Scan();
    ASSERT_EQ(TreeRows(), 2);
    const int32_t firstId = Found()[0]->id;
    EXPECT_EQ(Found()[1]->id, firstId + 1);

    Seen.clear();
    Scan();
    ASSERT_FALSE(Seen.empty());
    EXPECT_EQ(Seen[0].RowsBefore, 0);
    EXPECT_EQ(Seen[0].TreeRowsBefore, 0);
    EXPECT_EQ(Seen[0].CountBefore, 0);
    ASSERT_EQ(TreeRows(), 2);
    EXPECT_EQ(Found()[0]->id, firstId + 2);
    EXPECT_EQ(Found()[1]->id, firstId + 3);
    EXPECT_EQ(AppSettings.InvalidRegistryEntriesFoundToDate, foundBefore + 4);

    for (const char* name : {"1", "2"})
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, OwnName(name).c_str());
    Scan();
    EXPECT_EQ(TreeRows(), 0);
    EXPECT_EQ(Form->Results().Count(), 0);
    EXPECT_TRUE(Found().empty());
    EXPECT_EQ(Boxes.back().Text, kNoInvalidEntries);
    EXPECT_EQ(Form->PageControlExRegistryScan->ActivePageIndex(), 0);
}

// Closing during a scan stops it as Stop does, without its question, and the
// window closes once the scan has returned: FormClose runs once, after it.
TEST_F(MainScan, ClosingDuringAScanStopsItWithoutTheQuestionAndClosesOnceItReturned) {
    AddMissingRunValues(1);
    TickOnly({ScanCOM, ScanFileTypes, ScanStartup});
    bool clicked = false;
    DuringScan = [&](const TSeenEntry& seen) {
        if (clicked || seen.Blinking != Form->Category(ScanCOM).ResultIcon) return;
        PostClick(Form->btnClose);
        clicked = true;
    };
    int closes = 0;
    bool closedWhileScanning = false;
    auto close = Form->OnClose;
    Form->OnClose = [&, close](TObject* sender, TCloseAction& action) {
        ++closes;
        closedWhileScanning = Form->Work().Busy();
        close(sender, action);
    };

    Scan();
    Pump(50);

    ASSERT_TRUE(clicked);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(closedWhileScanning);
    EXPECT_TRUE(Form->Scan().Stopped());
    EXPECT_TRUE(Shows(Form->Category(ScanCOM).ResultIcon, Form->ImageV));
    EXPECT_TRUE(ShowsNothing(Form->Category(ScanFileTypes).ResultIcon));
    EXPECT_TRUE(SeenUnder(Run.Path()).empty());
    EXPECT_TRUE(Application->Terminated());
    TIniFile settings(AppSettings.ConfigFilePath);
    EXPECT_EQ(settings.ReadString("system", "LastScanDateTime", ""), AppSettings.LastScanDateTime);
}

// The scan the window starts by itself, closed while it runs: the window
// closes once the scan has returned, and is not sent to the notification
// area afterwards although the settings ask for a minimised start.
TEST_F(MainScan, AStartScanClosedWhileItRunsEndsWithoutGoingToTheTray) {
    AddMissingRunValues(1);
    TickOnly({ScanCOM, ScanStartup});
    AppSettings.StartScanWhenStarts = true;
    AppSettings.StartMin = true;
    bool clicked = false;
    DuringScan = [&](const TSeenEntry& seen) {
        if (clicked || seen.Blinking != Form->Category(ScanCOM).ResultIcon) return;
        PostClick(Form->btnClose);
        clicked = true;
    };

    Form->WMAfterCreate();
    Pump(50);

    ASSERT_TRUE(clicked);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Form->TrayIcon->IconVisible());
    EXPECT_TRUE(Boxes.empty());
}
