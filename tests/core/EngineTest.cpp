// The engine frame: the reporter, the result list, the progress rule and the
// scan driver's start, end and re-entry rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine.h"

namespace {

class EngineEnvironment : public testing::Environment {
public:
    void SetUp() override { InitEngine(); }
    void TearDown() override { ShutdownEngine(); }
};
const testing::Environment* const kEngine =
    testing::AddGlobalTestEnvironment(new EngineEnvironment);

struct Seen {
    uint32_t code;
    std::string title, keyPath, entryName, target;
    double percent;
    bool nullEntryName;
};

std::vector<Seen> g_seen;
int g_starts = 0;
int g_ends = 0;
uint32_t g_statusAtStart = 0;
uint32_t g_nestedResult = 99;

int WINAPI RecordEntry(ScanEntry* entry, double percent) {
    auto text = [](const char* t) { return std::string(t ? t : ""); };
    g_seen.push_back({entry->code, text(entry->title), text(entry->keyPath), text(entry->entryName),
                      text(entry->target), percent, entry->entryName == nullptr});
    return 0;
}

void WINAPI CountStart() {
    ++g_starts;
    g_statusAtStart = TrkGetStatus();
    g_nestedResult = TrkScan(ScanFonts);  // refused: a scan is running
}

void WINAPI CountEnd() { ++g_ends; }

class EngineFrame : public testing::Test {
protected:
    void SetUp() override {
        g_seen.clear();
        g_starts = g_ends = 0;
        TrkSetMonitor(RecordEntry, CountStart, CountEnd);
    }
    void TearDown() override { TrkSetMonitor(nullptr, nullptr, nullptr); }
};

size_t ResultCount() {
    size_t count = 0;
    for (ScanEntry* e = g_engine.results.head; e; e = e->next) ++count;
    return count;
}

}  // namespace

TEST(ProgressPercent, IndexOverCountLessOneCappedAtHundred) {
    struct Case {
        uint32_t index, count;
        double percent, fileTypes;
    };
    const Case cases[] = {
        {0, 0, 100, 100},  {0, 1, 100, 100},       {0, 2, 0, 100},          {1, 2, 100, 100},
        {1, 3, 50, 100},   {7, 3, 100, 100},       {0, 8, 0, 100},          {0, 9, 0, 0},
        {1, 9, 12.5, 100}, {1, 10, 100.0 / 9, 50}, {3, 12, 300.0 / 11, 75},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ProgressPercent(c.index, c.count), c.percent) << c.index << "/" << c.count;
        EXPECT_DOUBLE_EQ(ProgressPercentFileTypes(c.index, c.count), c.fileTypes)
            << c.index << "/" << c.count;
    }
}

TEST_F(EngineFrame, ValidEntriesLoseTheirReasonAndAreNotKept) {
    TrkScan(0);
    ASSERT_EQ(ReportEntry("title", "HKEY_CLASSES_ROOT\\x", nullptr, "C:\\t.dll", 0x1205, 42.5, 0),
              0u);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].code, 0x1200u);
    EXPECT_EQ(g_seen[0].title, "title");
    EXPECT_EQ(g_seen[0].target, "C:\\t.dll");
    EXPECT_TRUE(g_seen[0].nullEntryName);
    EXPECT_DOUBLE_EQ(g_seen[0].percent, 42.5);
    EXPECT_EQ(ResultCount(), 0u);
}

TEST_F(EngineFrame, InvalidEntriesKeepTheirReasonUntilTheNextScan) {
    TrkScan(0);
    ReportEntry("a", "HKEY_CURRENT_USER\\a", "v", nullptr, 0x8105, 0, 1);
    ReportEntry(nullptr, nullptr, nullptr, nullptr, 0x80204, 100, 1);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].code, 0x8105u);
    EXPECT_EQ(g_seen[0].entryName, "v");
    ASSERT_EQ(ResultCount(), 2u);
    EXPECT_STREQ(g_engine.results.head->title, "a");
    EXPECT_EQ(g_engine.results.tail->code, 0x80204u);
    EXPECT_EQ(g_engine.results.tail->title, nullptr);

    EXPECT_EQ(TrkScan(0), 0u);
    EXPECT_EQ(ResultCount(), 0u);
    EXPECT_EQ(g_engine.results.tail, nullptr);
}

TEST_F(EngineFrame, ScanWithoutScannersStartsEndsAndRefusesReentry) {
    for (uint32_t flags :
         {0u, static_cast<uint32_t>(ScanApplicationPaths), static_cast<uint32_t>(ScanStartMenu)}) {
        g_starts = g_ends = 0;
        g_nestedResult = 99;
        EXPECT_EQ(TrkScan(flags), 0u);
        EXPECT_EQ(g_starts, 1);
        EXPECT_EQ(g_ends, 1);
        EXPECT_EQ(g_statusAtStart, static_cast<uint32_t>(StatusLoaded | StatusScanning));
        EXPECT_EQ(g_nestedResult, 0u);
        EXPECT_EQ(TrkGetStatus(), static_cast<uint32_t>(StatusLoaded));
    }
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(EngineFrame, AStopAskedForBeforeTheScanIsForgotten) {
    TrkStopScan();
    EXPECT_TRUE(StopRequested());
    TrkScan(0);
    EXPECT_FALSE(StopRequested());
}

TEST_F(EngineFrame, ScanWithoutMonitorStillWorks) {
    TrkSetMonitor(nullptr, nullptr, nullptr);
    EXPECT_EQ(TrkScan(0), 0u);
    EXPECT_EQ(ReportEntry("x", "y", "z", "w", 0x8105, 1, 1), 0u);
    EXPECT_EQ(ReportEntry("x", "y", "z", "w", 0x8105, 1, 0), 0u);
    EXPECT_EQ(ResultCount(), 1u);
    EXPECT_TRUE(g_seen.empty());
}
