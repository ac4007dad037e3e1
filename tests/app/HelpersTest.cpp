// The shared helpers: the results of a scan and the registry test of what a
// repair removed, the engine paths, the busy cursor, the link opener, the
// message box and the date text.
#include <app/ScanResults.h>
#include <app/globals.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include <cstring>

#include "AppFixture.h"
#include "RegFixture.h"

namespace {

using HelpersTest = AppStateTest;

ScanEntry Reported(uint32_t code, const char* title, const char* target, const char* keyPath,
                   const char* entryName) {
    return ScanEntry{0,
                     code,
                     const_cast<char*>(title),
                     const_cast<char*>(target),
                     const_cast<char*>(keyPath),
                     const_cast<char*>(entryName),
                     nullptr};
}

uint32_t Code(uint32_t category, uint32_t kind, uint32_t reason) {
    return category | kind | reason;
}

std::string TextOf(const char* text) { return text ? text : "<absent>"; }

int WINAPI IgnoreEntry(ScanEntry*, double) { return 0; }

}  // namespace

TScanItem RowTitled(const std::string& title) {
    TScanItem row;
    row.Title = title;
    return row;
}

TEST_F(HelpersTest, ResultsAreOwnCopiesNumberedInReportOrderEachWithItsRow) {
    char title[] = "Font Arial";
    ScanEntry first = Reported(Code(ScanFonts, EntryKindValue, ReasonFileMissing), title,
                               "arial.ttf", "HKEY_LOCAL_MACHINE\\Fonts", "Arial (TrueType)");
    ScanEntry second =
        Reported(Code(ScanCOM, EntryKindKey, ReasonEmptyKey), "Empty", "", "HKEY_X", nullptr);
    TScanResults results;
    const ScanEntry* a = &results.Add(first, RowTitled("Title: a"), "row a").Entry();
    const ScanEntry* b = &results.Add(second, RowTitled("Title: b"), "").Entry();
    std::strcpy(title, "changed");

    ASSERT_EQ(results.Count(), 2);
    EXPECT_EQ(&results.At(0).Entry(), a);
    EXPECT_EQ(&results.At(1).Entry(), b);
    EXPECT_EQ(results.At(0).Row().Title, "Title: a");
    EXPECT_EQ(results.At(0).Text(), "row a");
    EXPECT_EQ(results.At(1).Row().Title, "Title: b");
    EXPECT_EQ(a->id, 0);
    EXPECT_EQ(b->id, 1);
    EXPECT_EQ(a->next, nullptr);
    EXPECT_EQ(a->code, Code(ScanFonts, EntryKindValue, ReasonFileMissing));
    EXPECT_EQ(TextOf(a->title), "Font Arial");
    EXPECT_EQ(TextOf(a->target), "arial.ttf");
    EXPECT_EQ(TextOf(a->keyPath), "HKEY_LOCAL_MACHINE\\Fonts");
    EXPECT_EQ(TextOf(a->entryName), "Arial (TrueType)");
    EXPECT_EQ(b->target, nullptr);  // empty becomes absent
    EXPECT_EQ(b->entryName, nullptr);

    // Another scan starts empty; the running numbers go on.
    results.Clear();
    EXPECT_EQ(results.Count(), 0);
    EXPECT_EQ(results.Add(second, TScanItem{}, "").Entry().id, 2);
    EXPECT_EQ(results.NextId(), 3);
}

// What a repair counts as removed: only what the registry answers "not
// found" for.
TEST_F(HelpersTest, TheRegistryStillHoldsAnEntryUntilItsKeyOrValueIsGone) {
    ScratchKey key(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software");
    key.SetString("Leaf", "there", "x");
    key.SetString("Named", "", "default");
    key.CreateKey("Empty");
    const uint32_t value = Code(ScanStartup, EntryKindValue, ReasonFileMissing);
    const uint32_t keyKind = Code(ScanSoftware, EntryKindKey, ReasonEmptyKey);
    struct TCase {
        const char* What;
        std::string KeyPath;
        uint32_t Code;
        const char* EntryName;
        bool Held;
    } cases[] = {
        {"a value that is there", key.Path("Leaf"), value, "there", true},
        {"a value that is gone", key.Path("Leaf"), value, "gone", false},
        {"a value of a key that is gone", key.Path("Gone"), value, "there", false},
        {"a default value that is set", key.Path("Named"), value, nullptr, true},
        {"a default value that is not set", key.Path("Empty"), value, nullptr, false},
        {"a key that is there", key.Path("Leaf"), keyKind, nullptr, true},
        {"a key that is gone", key.Path("Gone"), keyKind, nullptr, false},
        {"a root name in another case", "hkey_current_user\\" + key.Subkey("Gone"), keyKind,
         nullptr, false},
        {"a path with no known root", "HKEY_NOWHERE\\Gone", keyKind, nullptr, true},
        {"a root alone", "HKEY_CURRENT_USER", keyKind, nullptr, true},
        {"a kind that is neither", key.Path("Gone"), Code(ScanStartup, 0, ReasonFileMissing),
         nullptr, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        ScanEntry entry = Reported(c.Code, "t", nullptr, c.KeyPath.c_str(), c.EntryName);
        EXPECT_EQ(RegistryStillHolds(entry), c.Held);
    }
}

TEST_F(HelpersTest, EnginePathsPointIntoTheBackupFolder) {
    AppSettings.ExePath = Folder.Path() + "Program\\Holvane\\";
    ScanMonitor.onEntry = IgnoreEntry;
    std::memset(&AppEngineConfig, 'x', sizeof AppEngineConfig);

    InitEnginePaths();
    EXPECT_EQ(ScanMonitor.onEntry, nullptr);
    std::string folder = Folder.Path() + "Program\\Holvane\\backup\\";
    EXPECT_STREQ(AppEngineConfig.rescueFolder, folder.c_str());
    EXPECT_STREQ(AppEngineConfig.rescueIndexPath, (folder + "Rescue.ini").c_str());
    EXPECT_TRUE(DirectoryExists(folder));
    // The rest of each field is zero.
    EXPECT_EQ(AppEngineConfig.rescueFolder[EnginePathSize - 1], '\0');
    EXPECT_EQ(AppEngineConfig.rescueIndexPath[folder.size() + 10], '\0');

    InitEnginePaths();  // an existing folder is fine
    EXPECT_STREQ(AppEngineConfig.rescueFolder, folder.c_str());
}

TEST_F(HelpersTest, EnginePathsTooLongForTheirFieldsStayEmpty) {
    // The folder with "backup\" fits exactly (519 characters and the zero);
    // the index does not.
    size_t padding = EnginePathSize - 1 - Folder.Path().size() - 1 - 7;
    std::string exePath = Folder.Path() + std::string(padding, 'a') + "\\";
    AppSettings.ExePath = exePath;
    InitEnginePaths();
    EXPECT_EQ(std::strlen(AppEngineConfig.rescueFolder), EnginePathSize - 1);
    EXPECT_EQ(AppEngineConfig.rescueIndexPath[0], '\0');

    AppSettings.ExePath = exePath + "b\\";
    InitEnginePaths();
    EXPECT_EQ(AppEngineConfig.rescueFolder[0], '\0');
    EXPECT_EQ(AppEngineConfig.rescueIndexPath[0], '\0');
}

TEST_F(HelpersTest, BusyCursorNestsAndIgnoresAnUnmatchedEnd) {
    Screen->SetCursor(crDefault);
    EndBusyCursor();
    EXPECT_EQ(BusyCursorDepth, 0);
    EXPECT_EQ(Screen->Cursor(), crDefault);

    BeginBusyCursor();
    BeginBusyCursor();
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    EndBusyCursor();
    EXPECT_EQ(BusyCursorDepth, 1);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    EndBusyCursor();
    EXPECT_EQ(BusyCursorDepth, 0);
    EXPECT_EQ(Screen->Cursor(), crDefault);

    try {
        TBusyCursor busy;
        throw EConvertError("failed inside");
    } catch (const EConvertError&) {
    }
    EXPECT_EQ(BusyCursorDepth, 0);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(HelpersTest, OpenLinkHandsTheLinkToTheShell) {
    Screen->SetCursor(crDefault);
    for (const char* blank : {"", "   ", " \t "}) {
        OpenLink(blank);
        EXPECT_EQ(BusyCursorDepth, 0);
        EXPECT_EQ(Screen->Cursor(), crDefault);
    }

    // A batch file opened by the shell leaves a mark behind.
    std::string mark = Folder.Path() + "opened.txt";
    std::string batch = Folder.File("open.bat", "@echo opened> \"" + mark + "\"\r\n");
    OpenLink(batch);
    EXPECT_EQ(BusyCursorDepth, 0);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    DWORD end = GetTickCount() + 10000;
    while (!FileExists(mark) && static_cast<int>(end - GetTickCount()) > 0) Sleep(20);
    EXPECT_TRUE(FileExists(mark));

    OpenLink(Folder.Path() + "no such file.bat");  // not reported
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(HelpersTest, ShowMessageBoxIsTheApplicationsBox) {
    Application->OnMessageBox = [this](const std::string& text, const std::string& caption,
                                       UINT flags) {
        Boxes.push_back({text, caption, flags});
        return IDYES;
    };
    EXPECT_EQ(ShowMessageBox("Are you sure want to stop scanning?", "Holvane", 0x24), IDYES);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Are you sure want to stop scanning?");
    EXPECT_EQ(Boxes[0].Caption, "Holvane");
    EXPECT_EQ(Boxes[0].Flags, 0x24u);
}

TEST_F(HelpersTest, DateTextIsTheLongDateAndTheUsersTimeFormat) {
    // The platform's own formatting is the oracle; a change of second
    // between the two readings is tried again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        char date[128], time[128];
        GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, "dddd, MMMM dd, yyyy", date, sizeof date);
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
        std::string text = CurrentDateTimeText();
        if (text == std::string(date) + " - " + time) return;
    }
    ADD_FAILURE() << CurrentDateTimeText();
}

TEST(ProgramFolder, IsTheRunningProgramsFolderWithABackslash) {
    char name[MAX_PATH * 4];
    ASSERT_GT(GetModuleFileNameA(nullptr, name, sizeof name), 0u);
    std::string folder = ProgramFolder();
    EXPECT_TRUE(folder.ends_with("\\"));
    EXPECT_EQ(folder + ExtractFileName(name), name);
}

TEST(TreskBinding, SafeStrLenOfAnAbsentText) {
    EXPECT_EQ(SafeStrLen(nullptr), 0u);
    EXPECT_EQ(SafeStrLen(""), 0u);
    EXPECT_EQ(SafeStrLen("HKEY_CLASSES_ROOT\\CLSID"), 23u);
}
