// The history-list scan: a HistoryConfig.ini beside the test program that
// names only keys of the test's own, which the scan clears; the reports, the
// lines that must delete nothing, stopping and pumping; and the lists that
// ship with the program.
#include "FileUtil.h"
#include "HistoryListScan.h"
#include "Registry.h"
#include "ScanFixtures.h"
#include "Scanners.h"

namespace {

const ScanEntryCode kHistoryCode = 0x20100;

DWORD ValueCount(const ScratchKey& key, const std::string& below) {
    KeyInfo info;
    EXPECT_EQ(QueryKeyInfo(key.Root(), key.Subkey(below).c_str(), &info), ERROR_SUCCESS);
    return info.valueCount;
}

// A key below the scratch key holding a few values, as an application's list.
void MakeList(const ScratchKey& key, const std::string& below) {
    key.SetString(below, "File1", "C:\\a.txt");
    key.SetString(below, "File2", "C:\\b.txt");
    key.SetString(below, nullptr, "default");
}

class HistoryListScanTest : public ScanTest {
protected:
    ScratchKey FKey{HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software"};
    // "HKEY_CURRENT_USER|Software\Holvane-<test>\below", a line of the ini.
    std::string Line(const std::string& below, const std::string& hive = "HKEY_CURRENT_USER") {
        return hive + "|" + FKey.Subkey(below);
    }
};

}  // namespace

TEST_F(HistoryListScanTest, WithoutTheIniNothingIsDoneAndTheDriverDropsTheError) {
    ASSERT_FALSE(FileExists(g_engine.historyConfigPath.c_str(), true));
    EXPECT_EQ(ScanHistoryListKeys(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(TrkScan(ScanHistoryLists), 0u);
    EXPECT_TRUE(FReports.All().empty());
}

TEST_F(HistoryListScanTest, AnIniWithoutSectionsGivesNoReport) {
    HistoryIni ini(IniText({"; nothing listed"}));
    EXPECT_EQ(ScanHistoryListKeys(), 0u);
    EXPECT_TRUE(FReports.All().empty());
}

TEST_F(HistoryListScanTest, ClearsEveryValueOfEachListedKeyAndReportsEachSection) {
    MakeList(FKey, "one");
    FKey.SetString("one\\child", "keep", "x");
    MakeList(FKey, "two");
    MakeList(FKey, "three");
    MakeList(FKey, "four");
    HistoryIni ini(IniText({
        "[App One]",
        "REGItemCount=2",
        "REG1=" + Line("one"),
        "REG2=" + Line("two", "hkey_current_user"),
        "[App Two]",
        "REG1=" + Line("three"),
        "[App Three]",
        "REGItemCount=3",
        "REG1=" + FKey.Subkey("four"),
        "REG2=" + Line("four", "HKEY_NOWHERE"),
    }));

    EXPECT_EQ(TrkScan(ScanHistoryLists), 0u);

    EXPECT_EQ(ValueCount(FKey, "one"), 0u);
    EXPECT_EQ(ValueCount(FKey, "two"), 0u);
    EXPECT_TRUE(FKey.HasValue("one\\child", "keep"));
    EXPECT_EQ(ValueCount(FKey, "three"), 3u);
    EXPECT_EQ(ValueCount(FKey, "four"), 3u);

    ASSERT_EQ(FReports.All().size(), 3u);
    const std::string two = "hkey_current_user\\" + FKey.Subkey("two");
    const std::string paths[] = {two, two, "HKEY_NOWHERE\\" + FKey.Subkey("four")};
    const double percents[] = {0, 50, 100};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const Report& report = FReports.All()[i];
        EXPECT_EQ(report.code, kHistoryCode);
        EXPECT_EQ(report.title, "HistoryList");
        EXPECT_EQ(report.keyPath, paths[i]);
        EXPECT_FALSE(report.hasEntryName);
        EXPECT_FALSE(report.hasTarget);
        EXPECT_DOUBLE_EQ(report.percent, percents[i]);
    }
    // Sections with lines are kept in the result list, yet with reason 0.
    EXPECT_EQ(KeptResultsUnder(two), 1u);
    EXPECT_EQ(KeptResultsUnder("HKEY_NOWHERE\\"), 1u);
}

// A line that names a hive alone, a hive name with a path in it, and a count
// below zero must not clear any key.
TEST_F(HistoryListScanTest, LinesThatCouldNameAnotherKeyDeleteNothing) {
    MakeList(FKey, "victim");
    HistoryIni ini(IniText({
        "[Hive alone]",
        "REGItemCount=1",
        "REG1=HKEY_CURRENT_USER|",
        "[Path in hive]",
        "REGItemCount=1",
        "REG1=" + Line("victim", "HKEY_CURRENT_USER\\Anything"),
        "[Negative]",
        "REGItemCount=-1",
        "REG1=" + Line("victim"),
    }));

    EXPECT_EQ(ScanHistoryListKeys(), 0u);

    EXPECT_EQ(ValueCount(FKey, "victim"), 3u);
    ASSERT_EQ(FReports.All().size(), 3u);
    EXPECT_EQ(FReports.All()[0].keyPath, "");  // no key named yet
    EXPECT_EQ(FReports.All()[1].keyPath, "HKEY_CURRENT_USER\\Anything\\" + FKey.Subkey("victim"));
    EXPECT_EQ(FReports.All()[2].code, kHistoryCode);
    EXPECT_EQ(KeptResultsUnder(FReports.All()[1].keyPath), 1u);  // the negative count is not kept
}

TEST_F(HistoryListScanTest, ClearHistoryKeyDeletesTheKeysValuesOnly) {
    MakeList(FKey, "list");
    FKey.SetString("list\\child", "keep", "x");
    FKey.CreateKey("empty");
    const std::string longName(600, 'n');
    FKey.SetString("long", longName.c_str(), "x");
    FKey.SetString("long", "short", "x");

    EXPECT_EQ(ClearHistoryKey(nullptr, FKey.Subkey("list").c_str()),
              static_cast<LONG>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(ClearHistoryKey(HKEY_CURRENT_USER, FKey.Subkey("missing").c_str()),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(ClearHistoryKey(HKEY_CURRENT_USER, FKey.Subkey("empty").c_str()), 0);
    EXPECT_EQ(ClearHistoryKey(HKEY_CURRENT_USER, FKey.Subkey("list").c_str()), 0);
    ClearHistoryKey(HKEY_CURRENT_USER, FKey.Subkey("long").c_str());

    EXPECT_EQ(ValueCount(FKey, "list"), 0u);
    EXPECT_TRUE(FKey.Exists("list"));
    EXPECT_TRUE(FKey.HasValue("list\\child", "keep"));
    // A name that doesn't fit 519 characters doesn't enumerate, and stays.
    EXPECT_TRUE(FKey.HasValue("long", longName.c_str()));
    EXPECT_FALSE(FKey.HasValue("long", "short"));
}

TEST_F(HistoryListScanTest, StopFromTheEntryCallbackLeavesLaterListsInPlace) {
    MakeList(FKey, "a");
    MakeList(FKey, "b");
    HistoryIni ini(IniText({"[A]", "REGItemCount=1", "REG1=" + Line("a"), "[B]", "REGItemCount=1",
                            "REG1=" + Line("b")}));
    FReports.onEach = [](const Report&) { TrkStopScan(); };
    EXPECT_EQ(TrkScan(ScanHistoryLists), 0u);
    EXPECT_EQ(FReports.All().size(), 1u);
    EXPECT_EQ(ValueCount(FKey, "a"), 0u);
    EXPECT_EQ(ValueCount(FKey, "b"), 3u);
}

// Messages are dispatched once per section that has lines, after its report;
// a section without lines is reported without pumping.
TEST_F(HistoryListScanTest, PumpsMessagesAfterEachSectionWithLines) {
    MakeList(FKey, "a");
    MakeList(FKey, "b");
    HistoryIni ini(IniText({"[Nothing]", "REGItemCount=0", "[A]", "REGItemCount=1",
                            "REG1=" + Line("a"), "[B]", "REGItemCount=1", "REG1=" + Line("b")}));
    PumpProbe probe(FReports);
    EXPECT_EQ(TrkScan(ScanHistoryLists), 0u);
    EXPECT_TRUE(probe.DispatchedDuringScan());
    EXPECT_EQ(probe.ReportsAtDispatch(), 2u);
    EXPECT_EQ(FReports.All().size(), 2u);
    EXPECT_EQ(ValueCount(FKey, "b"), 3u);
}

// The lists installed with the program name whole keys of the user's own
// hive, one line for each number up to the section's count.
TEST(ShippedHistoryLists, EveryLineNamesAKeyOfTheUsersHive) {
    const std::string ini = HostFolder() + "..\\dist\\HistoryConfig.ini";
    std::vector<std::string> sections = ReadSectionNames(ini.c_str());
    ASSERT_FALSE(sections.empty()) << ini;
    for (const std::string& section : sections) {
        SCOPED_TRACE(section);
        int count = static_cast<int>(
            GetPrivateProfileIntA(section.c_str(), "REGItemCount", 0, ini.c_str()));
        EXPECT_GE(count, 1);
        for (int number = 1; number <= count + 1; ++number) {
            std::string name = "REG" + std::to_string(number);
            std::string line = ReadProfileString(section.c_str(), name.c_str(), "", ini.c_str());
            if (number > count) {
                EXPECT_EQ(line, "") << "a line beyond the count";
                continue;
            }
            size_t bar = line.find('|');
            ASSERT_NE(bar, std::string::npos) << name;
            EXPECT_EQ(line.substr(0, bar), "HKEY_CURRENT_USER") << name;
            EXPECT_GT(line.size(), bar + 1) << name;
            EXPECT_NE(line[bar + 1], '\\') << name;
            EXPECT_LE(line.size(), 519u) << name;
        }
    }
}
