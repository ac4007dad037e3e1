// The shared helpers: the found-entry list, the engine paths, the busy
// cursor, the link opener, the message box and the date text.
#include <app/globals.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include <cstring>

#include "AppFixture.h"

namespace {

class HelpersTest : public AppStateTest {
protected:
    void TearDown() override {
        FreeFoundEntries(FoundEntries.Head, true);
        FoundEntries = TFoundEntries{};
        AppStateTest::TearDown();
    }
};

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

TEST_F(HelpersTest, FoundEntriesAreOwnCopiesNumberedInReportOrder) {
    char title[] = "Font Arial";
    ScanEntry first = Reported(Code(ScanFonts, EntryKindValue, ReasonFileMissing), title,
                               "arial.ttf", "HKEY_LOCAL_MACHINE\\Fonts", "Arial (TrueType)");
    ScanEntry second =
        Reported(Code(ScanCOM, EntryKindKey, ReasonEmptyKey), "Empty", "", "HKEY_X", nullptr);
    FoundEntries.NextId = 7;
    ScanEntry* a = AppendFoundEntry(first);
    ScanEntry* b = AppendFoundEntry(second);
    std::strcpy(title, "changed");

    EXPECT_EQ(FoundEntries.Head, a);
    EXPECT_EQ(FoundEntries.Tail, b);
    EXPECT_EQ(FoundEntries.NextId, 9);
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(b->next, nullptr);
    EXPECT_EQ(a->id, 7);
    EXPECT_EQ(b->id, 8);
    EXPECT_EQ(a->code, Code(ScanFonts, EntryKindValue, ReasonFileMissing));
    EXPECT_EQ(TextOf(a->title), "Font Arial");
    EXPECT_EQ(TextOf(a->target), "arial.ttf");
    EXPECT_EQ(TextOf(a->keyPath), "HKEY_LOCAL_MACHINE\\Fonts");
    EXPECT_EQ(TextOf(a->entryName), "Arial (TrueType)");
    EXPECT_EQ(b->target, nullptr);  // empty becomes absent
    EXPECT_EQ(b->entryName, nullptr);
}

TEST_F(HelpersTest, FreeFoundEntriesWithoutFollowingFreesOnlyTheFirstNode) {
    ScanEntry entry =
        Reported(Code(ScanSounds, EntryKindValue, ReasonFileMissing), "t", "x.wav", "HKEY_A", "v");
    for (int i = 0; i < 3; ++i) AppendFoundEntry(entry);
    ScanEntry* second = FoundEntries.Head->next;

    ScanEntry* head = FoundEntries.Head;
    FreeFoundEntries(head, false);
    EXPECT_EQ(head, nullptr);
    // The rest of the list is untouched and still the caller's.
    EXPECT_EQ(TextOf(second->keyPath), "HKEY_A");
    EXPECT_EQ(second->next, FoundEntries.Tail);
    FoundEntries.Head = second;

    FreeFoundEntries(FoundEntries.Head, true);
    EXPECT_EQ(FoundEntries.Head, nullptr);
    FoundEntries.Tail = nullptr;

    ScanEntry* none = nullptr;
    FreeFoundEntries(none, true);
    EXPECT_EQ(none, nullptr);
}

TEST_F(HelpersTest, EnginePathsPointIntoTheBackupFolder) {
    AppSettings.ExePath = Folder.Path() + "Program\\Holvane\\";
    ScanEntry entry =
        Reported(Code(ScanCOM, EntryKindKey, ReasonEmptyKey), "t", nullptr, "HKEY_A", nullptr);
    AppendFoundEntry(entry);
    ScanEntry* kept = FoundEntries.Head;
    RescueItems = reinterpret_cast<RescueNode*>(&entry);
    ScanMonitor.onEntry = IgnoreEntry;
    std::memset(&AppEngineConfig, 'x', sizeof AppEngineConfig);

    InitEnginePaths();
    FreeFoundEntries(kept, true);  // the list was forgotten, not freed
    EXPECT_EQ(FoundEntries.Head, nullptr);
    EXPECT_EQ(FoundEntries.Tail, nullptr);
    EXPECT_EQ(FoundEntries.NextId, 0);
    EXPECT_EQ(RescueItems, nullptr);
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
