// TrkScan with the real scanners: one entry of the test's own in every area
// that the value-list, history-list, recent-document, uninstall and sound
// scans look at; the fixed order of the scans, and which scanner's error ends
// the call, becomes its result, or is dropped.
#include "FileUtil.h"
#include "ScanFixtures.h"

namespace {

const char kMachine[] = "HKEY_LOCAL_MACHINE";
const char kUser[] = "HKEY_CURRENT_USER";
const char kMissing[] = "C:\\nowhere\\missing.file";

const uint32_t kAllCategories = ScanHistoryLists | ScanSounds | ScanSoftware | ScanShortcuts |
                                ScanStartup | ScanHelpFiles | ScanSharedFiles | ScanFonts;

int g_ends = 0;
void WINAPI CountEnd() { ++g_ends; }

// The areas in the order TrkScan runs their scans.
enum Area { Fonts, SharedFiles, HelpFiles, Startup, Shortcuts, Software, Sounds, HistoryLists };

class ScanDriverRulesTest : public ScanTest {
protected:
    RegArea FFonts{HKEY_LOCAL_MACHINE, kMachine,
                   "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"};
    RegArea FShared{HKEY_LOCAL_MACHINE, kMachine,
                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls"};
    RegArea FHelp{HKEY_LOCAL_MACHINE, kMachine, "SOFTWARE\\Microsoft\\Windows\\Help"};
    RegArea FHelpHtml{HKEY_LOCAL_MACHINE, kMachine, "SOFTWARE\\Microsoft\\Windows\\HelpHTML"};
    RegArea FRun{HKEY_LOCAL_MACHINE, kMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"};
    RegArea FRecentDocs{HKEY_CURRENT_USER, kUser,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs"};
    RegArea FUninstall{HKEY_LOCAL_MACHINE, kMachine,
                       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"};
    RegArea FApps{HKEY_CURRENT_USER, kUser, "AppEvents\\Schemes\\Apps"};
    ScratchKey FHistory{HKEY_CURRENT_USER, kUser, "Software"};
    const std::string FSharedName = "C:\\nowhere\\" + OwnName() + ".dll";

    void SetUp() override {
        ScanTest::SetUp();
        g_ends = 0;
        TrkSetMonitor(ScanRecorder::Record, nullptr, CountEnd);
        for (RegArea* area : {&FFonts, &FHelp, &FHelpHtml, &FRun})
            area->SetString("", OwnName().c_str(), kMissing);
        FShared.SetDword("", FSharedName.c_str(), 1);
        std::string doc = RecentDocData(L"doc.txt", kAnsiType, OwnName("gone.lnk"));
        FRecentDocs.SetValue("", OwnName().c_str(), REG_BINARY, doc.data(), doc.size());
        FUninstall.SetString(OwnName(), "UninstallString", kMissing);
        FApps.SetString(OwnName() + "\\event\\.Current", nullptr, kMissing);
        FHistory.SetString("list", "File1", kMissing);
    }

    // The area of one of the test's own reports, or -1 for a report of others.
    int AreaOf(const Report& report) const {
        const std::pair<std::string, Area> valueAreas[] = {
            {FFonts.Path(), Fonts}, {FHelp.Path(), HelpFiles},       {FHelpHtml.Path(), HelpFiles},
            {FRun.Path(), Startup}, {FRecentDocs.Path(), Shortcuts},
        };
        for (const auto& [path, area] : valueAreas)
            if (report.keyPath == path && report.entryName == OwnName()) return area;
        if (report.keyPath == FShared.Path() && report.entryName == FSharedName) return SharedFiles;
        if (report.keyPath == FUninstall.Path(OwnName())) return Software;
        if (StartsWith(report.keyPath, FApps.Path(OwnName()))) return Sounds;
        if (report.keyPath == FHistory.Path("list")) return HistoryLists;
        return -1;
    }
    // The areas of the test's own reports, in the order they came.
    std::vector<int> AreasReported() const {
        std::vector<int> areas;
        for (const Report& report : FReports.All())
            if (int area = AreaOf(report); area >= 0) areas.push_back(area);
        return areas;
    }
    std::string HistoryIniText() const {
        return IniText(
            {"[List]", "REGItemCount=1", "REG1=HKEY_CURRENT_USER|" + FHistory.Subkey("list")});
    }
};

}  // namespace

TEST_F(ScanDriverRulesTest, ScannersRunInTheirFixedOrderWhateverTheBitOrder) {
    HistoryIni ini(HistoryIniText());
    EXPECT_EQ(TrkScan(kAllCategories), 0u);
    EXPECT_EQ(AreasReported(), (std::vector<int>{Fonts, SharedFiles, HelpFiles, HelpFiles, Startup,
                                                 Shortcuts, Software, Sounds, HistoryLists}));
    EXPECT_FALSE(FHistory.HasValue("list", "File1"));
}

TEST_F(ScanDriverRulesTest, ASharedFileErrorEndsTheCallAfterTheFontsScan) {
    HistoryIni ini(HistoryIniText());
    DeniedKey denied(FShared);
    EXPECT_EQ(TrkScan(kAllCategories), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(AreasReported(), std::vector<int>{Fonts});
    EXPECT_TRUE(FHistory.HasValue("list", "File1"));  // the history lists were not cleared
    EXPECT_EQ(TrkGetStatus(), static_cast<uint32_t>(StatusLoaded));
    EXPECT_EQ(g_ends, 1);
}

TEST_F(ScanDriverRulesTest, ARunErrorEndsTheCallAfterTheHelpFileScan) {
    DeniedKey denied(FRun);
    EXPECT_EQ(TrkScan(kAllCategories), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(AreasReported(), (std::vector<int>{Fonts, SharedFiles, HelpFiles, HelpFiles}));
    EXPECT_EQ(TrkGetStatus(), static_cast<uint32_t>(StatusLoaded));
    EXPECT_EQ(g_ends, 1);
}

// The help-file scan's error is the call's result, yet doesn't end it; a Run
// scan in the same call puts its own result in its place.
TEST_F(ScanDriverRulesTest, AHelpFileErrorIsTheResultUnlessTheRunScanRuns) {
    DeniedKey denied(FHelpHtml);
    EXPECT_EQ(TrkScan(kAllCategories & ~ScanStartup), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(AreasReported(),
              (std::vector<int>{Fonts, SharedFiles, HelpFiles, Shortcuts, Software, Sounds}));
    FReports.Clear();
    EXPECT_EQ(TrkScan(ScanHelpFiles | ScanStartup), 0u);
    EXPECT_EQ(AreasReported(), (std::vector<int>{HelpFiles, Startup}));
}

TEST_F(ScanDriverRulesTest, ErrorsOfTheLaterScansAreDropped) {
    // No HistoryConfig.ini, and the other three areas can't be opened.
    ASSERT_FALSE(FileExists(g_engine.historyConfigPath.c_str(), true));
    DeniedKey recentDocs(FRecentDocs);
    DeniedKey uninstall(FUninstall);
    DeniedKey apps(FApps);
    EXPECT_EQ(TrkScan(ScanShortcuts | ScanSoftware | ScanSounds | ScanHistoryLists), 0u);
    EXPECT_TRUE(AreasReported().empty());
    EXPECT_EQ(TrkScan(ScanStartup | ScanShortcuts | ScanSoftware | ScanSounds), 0u);
    EXPECT_EQ(AreasReported(), std::vector<int>{Startup});
}
