// Holvane.exe's main road, driven through its window with the mouse: a scan
// of a few invalid entries, its summary, a repair with a backup, and a
// restore from the Restore page that brings the repaired keys back as they
// were, byte for byte in Wine's own "reg export" of them; the same road with
// a language file whose placeholders are partly wrong. And the rude clicks
// while the core library works: the close button during a backup, another
// row during a restore.
#include <classlib/SysUtils.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <support/Files.h>
#include <support/Profiles.h>
#include <tresk.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "DamagedLanguage.h"
#include "ProgramProcess.h"
#include "RegAreas.h"
#include "RegFixture.h"
#include "WindowFixture.h"

namespace {

constexpr char kMachine[] = "HKEY_LOCAL_MACHINE";
constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The left column of the window, where the page buttons are.
constexpr int kPageButtonsRight = 240;

// Runs a program of the prefix to its end, handling the test's own messages
// meanwhile: wineboot waits for the answer of every window, the test's own
// among them. Its exit code, or STILL_ACTIVE when it could not be started or
// did not end within 30 s.
DWORD RunToEnd(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process))
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    if (WaitUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 30000))
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// Wine's reg.exe writes the key with everything below it into file; true
// when it ended with 0.
bool RegExport(const std::string& key, const std::string& file) {
    return RunToEnd("reg.exe export \"" + key + "\" \"" + file + "\" /y") == 0;
}

struct TChild {
    HWND Window;
    std::string Class;
    std::string Text;
    RECT Bounds;  // on the screen
};

std::vector<TChild> VisibleChildren(HWND parent) {
    std::vector<TChild> children;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            if (!IsWindowVisible(window)) return TRUE;
            char text[512] = "", windowClass[64] = "";
            GetWindowTextA(window, text, sizeof text);
            GetClassNameA(window, windowClass, sizeof windowClass);
            RECT bounds;
            GetWindowRect(window, &bounds);
            reinterpret_cast<std::vector<TChild>*>(data)->push_back(
                {window, windowClass, text, bounds});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// A visible child with the text (without its "&"), right of the page
// buttons or among them; nullptr when there is none.
HWND Child(HWND parent, const std::string& text, bool pageButton = false) {
    for (const TChild& child : VisibleChildren(parent)) {
        std::string shown = child.Text;
        std::erase(shown, '&');
        if (shown == text && (child.Bounds.left < kPageButtonsRight) == pageButton)
            return child.Window;
    }
    return nullptr;
}

HWND ChildOfClass(HWND parent, const std::string& windowClass) {
    for (const TChild& child : VisibleChildren(parent))
        if (child.Class == windowClass) return child.Window;
    return nullptr;
}

// A real click at the middle of a window.
void Click(HWND window) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    ClickAt(Point((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2));
}

class HolvaneRoad : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CopyFolder(InstalledProgramFolder(), Folder.Path())); }

    // The program's message box, once one is shown (10 s at the most, or timeoutMs).
    HWND WaitForBox(int timeoutMs = 10000) {
        HWND box = nullptr;
        WaitUntil([&] { return (box = Program->VisibleWindow("Holvane", "#32770")) != nullptr; },
                  timeoutMs);
        return box;
    }
    // The box's text: the longest text of its static controls.
    static std::string BoxText(HWND box) {
        std::string text;
        for (const TChild& child : VisibleChildren(box))
            if (child.Class == "Static" && child.Text.size() > text.size()) text = child.Text;
        return text;
    }
    // Waits for a message box and answers it with the button; its text.
    std::string Answer(const std::string& button, int timeoutMs = 10000) {
        HWND box = WaitForBox(timeoutMs);
        if (!box) return "(no message box)";
        const std::string text = BoxText(box);
        HWND pressed = Child(box, button);
        EXPECT_NE(pressed, nullptr) << button << " in " << text;
        if (pressed) Click(pressed);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000));
        return text;
    }
    // Clicks the window's control with the text once it is shown.
    void ClickControl(const std::string& text, bool pageButton = false) {
        HWND control = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (control = Child(Window, text, pageButton)); }, 5000))
            << text;
        Click(control);
    }

    // The rightmost of the three caption buttons at the window's top.
    void CloseByItsButton() {
        HWND close = nullptr;
        LONG right = 0;
        for (const TChild& child : VisibleChildren(Window)) {
            const bool captionButton = child.Bounds.right - child.Bounds.left == 17 &&
                                       child.Bounds.bottom - child.Bounds.top == 17;
            if (captionButton && child.Bounds.right > right) {
                close = child.Window;
                right = child.Bounds.right;
            }
        }
        ASSERT_NE(close, nullptr);
        Click(close);
    }

    // Only the categories named keep their boxes ticked in the settings file.
    void TickOnly(std::initializer_list<const char*> ticked, bool confirmBackups) {
        const std::string config = Folder.Path() + "config.ini";
        for (const char* box :
             {"COM", "ApplicationPaths", "FileTypes", "Fonts", "HelpFiles", "HistoryLists",
              "SharedFiles", "Shortcuts", "Software", "Sounds", "Startup", "StartMenu"}) {
            const bool on = std::find_if(ticked.begin(), ticked.end(), [box](const char* t) {
                                return std::string(t) == box;
                            }) != ticked.end();
            WritePrivateProfileStringA("system", (std::string("ScanBox") + box).c_str(),
                                       on ? "1" : "0", config.c_str());
        }
        WritePrivateProfileStringA("system", "ConfirmBackups", confirmBackups ? "1" : "0",
                                   config.c_str());
    }
    void StartProgram() {
        Program = std::make_unique<TProgramProcess>(Folder.Path(), "Holvane.exe");
        ASSERT_TRUE(Program->Started());
        ASSERT_TRUE(WaitUntil(
            [&] {
                return (Window = Program->VisibleWindow("Holvane", "HolvaneControl")) != nullptr;
            },
            20000));
    }
    bool BoxShown() const { return Program->VisibleWindow("Holvane", "#32770") != nullptr; }
    std::string Setting(const char* key) const {
        char text[256] = "";
        GetPrivateProfileStringA("system", key, "", text, sizeof text,
                                 (Folder.Path() + "config.ini").c_str());
        return text;
    }
    std::string RescueIndex() const { return Folder.Path() + "backup\\Rescue.ini"; }
    std::vector<std::string> RescueSections() const { return IniSectionNames(RescueIndex()); }
    std::string RescueFile(const std::string& section) const {
        char file[MAX_PATH] = "";
        GetPrivateProfileStringA(section.c_str(), "FileName", "", file, sizeof file,
                                 RescueIndex().c_str());
        return file;
    }

    ScratchFolder Folder;
    std::unique_ptr<TProgramProcess> Program;
    HWND Window = nullptr;
};

// A key with so many subkeys, each with a value, that saving or writing it
// back takes the core library more than a second.
constexpr int kLargeTreeKeys = 8000;

void FillLargeTree(const TestKeyPlace& place, const std::string& below) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(place.Root(), place.Subkey(below).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (int i = 0; i < kLargeTreeKeys; ++i) {
        const std::string name = "Part" + std::to_string(i);
        ASSERT_EQ(RegSetKeyValueA(key, name.c_str(), "Data", REG_SZ, name.c_str(),
                                  static_cast<DWORD>(name.size() + 1)),
                  ERROR_SUCCESS);
    }
    RegCloseKey(key);
}

}  // namespace

TEST_F(HolvaneRoad, ScanRepairWithBackupAndRestoreBringTheKeysBackByteForByte) {
    // An installed product without uninstall information (the whole key is
    // listed) with values of every kind, and two startup commands of
    // programs that exist nowhere.
    RegArea uninstall(HKEY_LOCAL_MACHINE, kMachine, kUninstallKey);
    const std::string product = OwnName("product");
    uninstall.SetString(product, nullptr, "default text");
    uninstall.SetString(product, "DisplayName", "Holvane test product");
    uninstall.SetString(product, "InstallLocation", "%ProgramFiles%\\Holvane test", REG_EXPAND_SZ);
    uninstall.SetDword(product, "EstimatedSize", 4711);
    const char binary[] = {'\x00', '\x01', '\xfe', '\xff', 'b'};
    uninstall.SetValue(product, "Blob", REG_BINARY, binary, sizeof binary);
    const char lines[] = "first\0second\0";
    uninstall.SetValue(product, "Lines", REG_MULTI_SZ, lines, sizeof lines);
    // A valid product and a valid command keep the two keys from being left
    // empty, and so deleted, by the repair.
    uninstall.SetString(OwnName("valid"), "UninstallString", "C:\\windows\\notepad.exe");
    RegArea run(HKEY_LOCAL_MACHINE, kMachine, kRunKey);
    run.SetString("", OwnName("valid").c_str(), "C:\\windows\\notepad.exe");
    for (const char* name : {"1", "2"})
        run.SetString("", OwnName(name).c_str(),
                      "\"C:\\Holvane-missing\\" + OwnName(name) + ".exe\" /quiet");
    const std::string productKey = std::string("HKLM\\") + kUninstallKey + "\\" + product;
    const std::string runKey = std::string("HKLM\\") + kRunKey;
    ASSERT_TRUE(RegExport(productKey, Folder.Path() + "product-before.reg"));
    ASSERT_TRUE(RegExport(runKey, Folder.Path() + "run-before.reg"));
    // UTF-16 text holding the header, the key and its six values.
    ASSERT_GT(ReadFileText(Folder.Path() + "product-before.reg").size(), 500u);

    // Only the two categories that hold the fixture are ticked.
    const std::string config = Folder.Path() + "config.ini";
    for (const char* box : {"COM", "ApplicationPaths", "FileTypes", "Fonts", "HelpFiles",
                            "HistoryLists", "SharedFiles", "Shortcuts", "Sounds", "StartMenu"})
        WritePrivateProfileStringA("system", (std::string("ScanBox") + box).c_str(), "0",
                                   config.c_str());
    WritePrivateProfileStringA("system", "ConfirmBackups", "1", config.c_str());

    Program = std::make_unique<TProgramProcess>(Folder.Path(), "Holvane.exe");
    ASSERT_TRUE(Program->Started());
    ASSERT_TRUE(WaitUntil(
        [&] { return (Window = Program->VisibleWindow("Holvane", "HolvaneControl")) != nullptr; },
        20000));

    ClickControl("Scan", true);
    ClickControl("Scan Now");
    EXPECT_EQ(Answer("OK"),
              "A total of 3 invalid Registry entries were found on your system.  \r\n Click on "
              "\"Repair Registry\" to fix all entries.");

    ClickControl("Repair Registry");
    // The backup is confirmed at the start of a second and its message
    // answered at once: the repair's own rescue item is made in the same
    // second, and both items are listed, each with its own file.
    ASSERT_NE(WaitForBox(), nullptr);
    WaitForNextSecond();
    EXPECT_EQ(Answer("Yes").rfind("A total of 3 entries were found, out of which 3 were selected "
                                  "for removal.",
                                  0),
              0u);
    EXPECT_EQ(Answer("OK"), "Taking Registry Backup Complete!");
    EXPECT_EQ(Answer("OK"), "Repairing Complete!");
    EXPECT_FALSE(KeyPresent(HKEY_LOCAL_MACHINE, uninstall.Subkey(product)));
    EXPECT_FALSE(run.HasValue("", OwnName("1").c_str()));
    const std::vector<std::string> sections = RescueSections();
    ASSERT_EQ(sections.size(), 2u);
    for (const std::string& section : sections) EXPECT_TRUE(FileExists(RescueFile(section)));
    EXPECT_NE(RescueFile(sections[0]), RescueFile(sections[1]));

    ClickControl("Restore", true);
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            list = ChildOfClass(Window, WC_LISTVIEWA);
            return list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2;
        },
        5000));
    // The first row lies right under the list's header.
    RECT listBounds, headerBounds;
    GetWindowRect(list, &listBounds);
    GetWindowRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &headerBounds);
    ClickAt(Point(listBounds.left + 60, headerBounds.bottom + 10));
    ASSERT_TRUE(WaitUntil(
        [&] {
            return SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == 0;
        },
        3000));
    ClickControl("Restore");
    EXPECT_EQ(Answer("OK"), "Restoring Complete!");

    ASSERT_TRUE(RegExport(productKey, Folder.Path() + "product-after.reg"));
    ASSERT_TRUE(RegExport(runKey, Folder.Path() + "run-after.reg"));
    EXPECT_TRUE(ReadFileText(Folder.Path() + "product-after.reg") ==
                ReadFileText(Folder.Path() + "product-before.reg"));
    EXPECT_TRUE(ReadFileText(Folder.Path() + "run-after.reg") ==
                ReadFileText(Folder.Path() + "run-before.reg"));

    CloseByItsButton();
    EXPECT_EQ(Program->WaitForEnd(15000), 0u);
}

// The close button during the backup the user confirmed before a repair: the
// backup runs to its end, the repair is not started, and the program ends
// without a message waiting, its settings saying when the backup was made.
TEST_F(HolvaneRoad, TheCloseButtonDuringTheBackupOfARepairEndsTheProgramOnceItIsSaved) {
    RegArea uninstall(HKEY_LOCAL_MACHINE, kMachine, kUninstallKey);
    const std::string product = OwnName("product");
    uninstall.SetString(product, "DisplayName", "Holvane test product");
    FillLargeTree(uninstall, product);
    RegArea run(HKEY_LOCAL_MACHINE, kMachine, kRunKey);
    run.SetString("", OwnName("valid").c_str(), "C:\\windows\\notepad.exe");
    run.SetString("", OwnName("1").c_str(), "C:\\Holvane-missing\\" + OwnName("1") + ".exe");
    TickOnly({"Software", "Startup"}, true);
    StartProgram();

    ClickControl("Scan", true);
    ClickControl("Scan Now");
    EXPECT_EQ(Answer("OK").rfind("A total of 2 invalid Registry entries", 0), 0u);
    ClickControl("Repair Registry");
    EXPECT_EQ(Answer("Yes").rfind("A total of 2 entries were found, out of which 2", 0), 0u);
    ASSERT_FALSE(BoxShown());
    CloseByItsButton();

    EXPECT_EQ(Program->WaitForEnd(60000), 0u);
    EXPECT_EQ(RescueSections().size(), 1u);
    EXPECT_NE(Setting("LastRegistryBackupDateTime"), "...");
    EXPECT_NE(Setting("LastRegistryBackupDateTime"), "");
    EXPECT_EQ(Setting("RegistryErrorsFixedToDate"), "0");
    EXPECT_EQ(Setting("LastScanResult"), "2");
    EXPECT_TRUE(run.HasValue("", OwnName("1").c_str()));
    EXPECT_TRUE(KeyPresent(HKEY_LOCAL_MACHINE, uninstall.Subkey(product + "\\Part0")));
}

// Another row clicked while the first row's item is written back: the item
// restored is the one deleted; the other stays listed, with its section of
// the rescue index and its rescue file.
TEST_F(HolvaneRoad, AClickOnAnotherRowDuringARestoreKeepsThatRowsItem) {
    ScratchKey tree(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    FillLargeTree(tree, "Tree");
    tree.SetString("Values", "kept", "value");
    // Two rescue items, made by the core library as the program makes them:
    // the large tree first, then one value.
    const std::string backup = Folder.Path() + "backup\\";
    ASSERT_TRUE(CreateDirectoryA(backup.c_str(), nullptr));
    EngineConfig config{};
    strcpy(config.rescueFolder, backup.c_str());
    strcpy(config.rescueIndexPath, RescueIndex().c_str());
    TrkSetConfig(&config);
    std::string treePath = tree.Path("Tree"), valuesPath = tree.Path("Values");
    char kept[] = "kept";
    ScanEntry treeEntry{0,
                        uint32_t{ScanSoftware} | EntryKindKey | ReasonEmptyKey,
                        nullptr,
                        nullptr,
                        treePath.data(),
                        nullptr,
                        nullptr};
    ScanEntry valueEntry{0,
                         uint32_t{ScanStartup} | EntryKindValue | ReasonFileMissing,
                         nullptr,
                         nullptr,
                         valuesPath.data(),
                         kept,
                         nullptr};
    SelectedEntry treeNode{0, &treeEntry, nullptr}, valueNode{0, &valueEntry, nullptr};
    ASSERT_EQ(TrkBackup(&treeNode, 1), 0u);
    WaitForNextSecond();
    ASSERT_EQ(TrkBackup(&valueNode, 1), 0u);
    const std::vector<std::string> sections = RescueSections();
    ASSERT_EQ(sections.size(), 2u);
    const std::string valueFile = RescueFile(sections[1]);
    ASSERT_TRUE(FileExists(valueFile));
    ASSERT_EQ(RegDeleteTreeA(tree.Root(), tree.Subkey("Tree").c_str()), ERROR_SUCCESS);
    TickOnly({}, false);
    StartProgram();

    ClickControl("Restore", true);
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            list = ChildOfClass(Window, WC_LISTVIEWA);
            return list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2;
        },
        5000));
    auto selected = [&] {
        return SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    };
    // The rows lie under the list's header; the second one is found by
    // clicking further down until it is the one selected.
    RECT listBounds, headerBounds;
    GetWindowRect(list, &listBounds);
    GetWindowRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &headerBounds);
    const TPoint firstRow = Point(listBounds.left + 60, headerBounds.bottom + 6);
    TPoint secondRow = firstRow;
    for (int y = firstRow.y; y < firstRow.y + 80; y += 4) {
        ClickAt(Point(firstRow.x, y));
        if (WaitUntil([&] { return selected() == 1; }, 300)) {
            secondRow = Point(firstRow.x, y + 4);
            break;
        }
    }
    ASSERT_NE(secondRow.y, firstRow.y);
    ClickAt(firstRow);
    ASSERT_TRUE(WaitUntil([&] { return selected() == 0; }, 3000));

    ClickControl("Restore");
    ASSERT_FALSE(BoxShown());
    ClickAt(secondRow);
    // The click is taken while the restore still runs: the row is selected
    // before the restore's message comes.
    EXPECT_TRUE(WaitUntil([&] { return selected() == 1 || BoxShown(); }, 5000));
    EXPECT_EQ(selected(), 1);
    EXPECT_FALSE(BoxShown());
    // Writing the large tree back takes a while on a busy machine.
    EXPECT_EQ(Answer("OK", 60000), "Restoring Complete!");

    EXPECT_TRUE(tree.Exists("Tree\\Part0"));
    EXPECT_TRUE(tree.Exists("Tree\\Part" + std::to_string(kLargeTreeKeys - 1)));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(RescueSections(), std::vector<std::string>{sections[1]});
    EXPECT_TRUE(FileExists(valueFile));
    CloseByItsButton();
    EXPECT_EQ(Program->WaitForEnd(15000), 0u);
}

// With a language file whose placeholders are partly wrong the program
// starts with its captions, scans, asks its questions (in English where the
// translation does not fit) and repairs, and closes without an error box.
TEST_F(HolvaneRoad, ALanguageFileWithWrongPlaceholdersStillScansRepairsAndCloses) {
    RegArea run(HKEY_LOCAL_MACHINE, kMachine, kRunKey);
    run.SetString("", OwnName("valid").c_str(), "C:\\windows\\notepad.exe");
    for (const char* name : {"1", "2"})
        run.SetString("", OwnName(name).c_str(), "C:\\Holvane-missing\\" + OwnName(name) + ".exe");
    const std::string config = Folder.Path() + "config.ini";
    for (const char* box :
         {"COM", "ApplicationPaths", "FileTypes", "Fonts", "HelpFiles", "HistoryLists",
          "SharedFiles", "Shortcuts", "Software", "Sounds", "StartMenu"})
        WritePrivateProfileStringA("system", (std::string("ScanBox") + box).c_str(), "0",
                                   config.c_str());
    WritePrivateProfileStringA("system", "ConfirmBackups", "1", config.c_str());
    WritePrivateProfileStringA("system", "LanguageFile", "Damaged.ini", config.c_str());
    Folder.File("Langs\\Damaged.ini", DamagedLanguageFile());

    Program = std::make_unique<TProgramProcess>(Folder.Path(), "Holvane.exe");
    ASSERT_TRUE(Program->Started());
    ASSERT_TRUE(WaitUntil(
        [&] { return (Window = Program->VisibleWindow("Holvane", "HolvaneControl")) != nullptr; },
        20000));
    // The translated captions; the buttons clicked below get theirs after
    // the two captions that the product name fills.
    for (const char* caption : {"DE Overview", "DE Restore"})
        EXPECT_NE(Child(Window, caption, true), nullptr) << caption;

    ClickControl("DE Scan", true);
    ClickControl("DE Scan Now");
    EXPECT_EQ(Answer("OK"),
              "A total of 2 invalid Registry entries were found on your system.  \r\n Click on "
              "\"Repair Registry\" to fix all entries.");

    ClickControl("DE Repair Registry");
    EXPECT_EQ(Answer("Yes").rfind("A total of 2 entries were found, out of which 2 were selected "
                                  "for removal.",
                                  0),
              0u);
    EXPECT_EQ(Answer("OK"), "DE Taking Registry Backup Complete!");
    EXPECT_EQ(Answer("OK"), "DE Repairing 100% Complete!");
    EXPECT_FALSE(run.HasValue("", OwnName("1").c_str()));
    EXPECT_FALSE(run.HasValue("", OwnName("2").c_str()));

    CloseByItsButton();
    EXPECT_EQ(Program->WaitForEnd(15000), 0u);
}

// The end of the Windows session, as wineboot ends it: it asks every window
// of the prefix, so no other test runs meanwhile (CMakeLists.txt).
class HolvaneSession : public HolvaneRoad {
protected:
    // wineboot's exit code: 0 when every program agreed to end. Without
    // --shutdown it would go on to start the programs of the Run keys, as
    // at the start of a session.
    static DWORD EndTheSession() { return RunToEnd("wineboot.exe --end-session --shutdown"); }
};

// After a scan, the end of the session saves what a close saves: the scan's
// result, the count to date and the scan's date; the program ends by itself.
TEST_F(HolvaneSession, TheEndOfTheSessionAfterAScanKeepsWhatTheScanFound) {
    RegArea run(HKEY_LOCAL_MACHINE, kMachine, kRunKey);
    run.SetString("", OwnName("valid").c_str(), "C:\\windows\\notepad.exe");
    for (const char* name : {"1", "2", "3"})
        run.SetString("", OwnName(name).c_str(), "C:\\Holvane-missing\\" + OwnName(name) + ".exe");
    TickOnly({"Startup"}, false);
    StartProgram();
    ClickControl("Scan", true);
    ClickControl("Scan Now");
    EXPECT_EQ(Answer("OK").rfind("A total of 3 invalid Registry entries", 0), 0u);
    ASSERT_NE(Setting("LastScanResult"), "3");

    EXPECT_EQ(EndTheSession(), 0u);

    EXPECT_EQ(Program->WaitForEnd(15000), 0u);
    EXPECT_EQ(Setting("LastScanResult"), "3");
    EXPECT_EQ(Setting("InvalidRegistryEntriesFoundToDate"), "3");
    const std::string scanned = Setting("LastScanDateTime");
    EXPECT_NE(scanned, "...");
    EXPECT_NE(scanned.find(", 20"), std::string::npos) << scanned;
    EXPECT_TRUE(run.HasValue("", OwnName("1").c_str()));
}

// While a backup of a large tree runs, the program holds the end of the
// session back; it ends once the backup is saved, with its date.
TEST_F(HolvaneSession, TheEndOfTheSessionDuringABackupIsHeldBackUntilItIsSaved) {
    RegArea uninstall(HKEY_LOCAL_MACHINE, kMachine, kUninstallKey);
    const std::string product = OwnName("product");
    uninstall.SetString(product, "DisplayName", "Holvane test product");
    FillLargeTree(uninstall, product);
    TickOnly({"Software"}, false);
    StartProgram();
    ClickControl("Scan", true);
    ClickControl("Scan Now");
    EXPECT_EQ(Answer("OK").rfind("A total of 1 invalid Registry entries", 0), 0u);
    ClickControl("Create Backup");
    ASSERT_FALSE(BoxShown());

    EXPECT_EQ(EndTheSession(), 1u);

    EXPECT_EQ(Program->WaitForEnd(60000), 0u);
    EXPECT_EQ(RescueSections().size(), 1u);
    EXPECT_TRUE(FileExists(RescueFile(RescueSections().front())));
    EXPECT_NE(Setting("LastRegistryBackupDateTime"), "...");
    EXPECT_NE(Setting("LastRegistryBackupDateTime"), "");
    EXPECT_EQ(Setting("LastScanResult"), "1");
}
