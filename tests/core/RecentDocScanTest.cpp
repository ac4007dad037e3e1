// The recent-document scan: decoding a RecentDocs value's data, never past
// its end; documents and per-extension subkeys of the test's own under
// RecentDocs with shortcut files in the Recent folder; the progress rule;
// and a scan that doesn't pump the caller's messages.
#include "RecentDocScan.h"
#include "ScanFixtures.h"
#include "Scanners.h"

namespace {

const char kRecentDocsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
// What the shell keeps after the shortcut name; the decoder doesn't read it.
std::string WithTrailer(const std::string& data) {
    return data + std::string("\x04\x00\xEF\xBE", 4);
}

bool Decode(const std::string& data, std::string* document, std::string* shortcut) {
    // An exact-size heap copy, so that a read past the end is a read past the
    // allocation.
    std::vector<BYTE> bytes(data.begin(), data.end());
    return DecodeRecentDocEntry(bytes.empty() ? nullptr : bytes.data(), bytes.size(), document,
                                shortcut);
}

class RecentDocScanTest : public ScanTest {
protected:
    RegArea FDocs{HKEY_CURRENT_USER, "HKEY_CURRENT_USER", kRecentDocsKey};

    void SetDoc(const std::string& below, const std::string& name, const std::string& data,
                DWORD type = REG_BINARY) {
        FDocs.SetValue(below, name.c_str(), type, data.data(), data.size());
    }
    // The percentage of the documents of subkey below (empty: of RecentDocs
    // itself, which count as the second subkey).
    double PercentOf(const std::string& below) {
        uint32_t count = SubkeyCountOf(FDocs.Root(), FDocs.Subkey());
        if (below.empty()) return ProgressPercent(1, count);
        uint32_t index = SubkeyIndexOf(FDocs.Root(), FDocs.Subkey(), below, &count);
        return ProgressPercent(index + 1, count);
    }
};

}  // namespace

TEST(DecodeRecentDocEntry, ReadsAnsiOrWideShortcutNamesAfterTheDocumentName) {
    struct Case {
        std::wstring document;
        BYTE type;
        std::string shortcut;
        std::string documentOut;
    };
    const Case cases[] = {
        {L"report.txt", kAnsiType, "report.lnk", "report.txt"},
        {L"caf\u00e9.txt", kWideType, "caf\xe9.lnk", "caf\xe9.txt"},
        {L"", kAnsiType, "empty.lnk", ""},
        {L"x", 0x00, "", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.documentOut);
        std::string document = "old", shortcut = "old";
        ASSERT_TRUE(Decode(WithTrailer(RecentDocData(c.document, c.type, c.shortcut)), &document,
                           &shortcut));
        EXPECT_EQ(document, c.documentOut);
        EXPECT_EQ(shortcut, c.shortcut);
    }
}

TEST(DecodeRecentDocEntry, DataEndingBeforeANamesZeroIsPassedOver) {
    for (BYTE type : {kAnsiType, kWideType}) {
        const std::string full = RecentDocData(L"doc.txt", type, "doc.lnk");
        std::string document, shortcut;
        EXPECT_TRUE(Decode(full, &document, &shortcut));
        for (size_t size = 0; size < full.size(); ++size)
            EXPECT_FALSE(Decode(full.substr(0, size), &document, &shortcut))
                << "type " << int(type) << ", " << size << " of " << full.size() << " bytes";
    }
    std::string document, shortcut;
    EXPECT_FALSE(DecodeRecentDocEntry(nullptr, 40, &document, &shortcut));
    EXPECT_FALSE(Decode(std::string("a\0b", 3), &document, &shortcut));
}

TEST(DecodeRecentDocEntry, NamesMustFitFiveHundredNineteenCharacters) {
    const std::wstring fits(519, L'd');
    std::string document, shortcut;
    EXPECT_TRUE(Decode(RecentDocData(fits, kAnsiType, "a.lnk"), &document, &shortcut));
    EXPECT_EQ(document.size(), 519u);
    EXPECT_FALSE(Decode(RecentDocData(fits + L"d", kAnsiType, "a.lnk"), &document, &shortcut));
    EXPECT_TRUE(
        Decode(RecentDocData(L"a", kAnsiType, std::string(519, 's')), &document, &shortcut));
    EXPECT_FALSE(
        Decode(RecentDocData(L"a", kAnsiType, std::string(520, 's')), &document, &shortcut));
    EXPECT_FALSE(
        Decode(RecentDocData(L"a", kWideType, std::string(520, 's')), &document, &shortcut));
}

TEST_F(RecentDocScanTest, DocumentsAreValidWhileTheirShortcutIsInTheRecentFolder) {
    FixtureFile present(g_engine.recentFolder, OwnName("present.lnk"));
    const std::string ext = OwnName("ext");
    const std::string empty = OwnName("empty");
    const std::string deeper = OwnName("deeper");
    SetDoc("", OwnName("present"),
           WithTrailer(RecentDocData(L"present.txt", kAnsiType, OwnName("present.lnk"))));
    SetDoc("", OwnName("gone"), RecentDocData(L"gone.txt", kWideType, OwnName("gone.lnk")));
    SetDoc("", OwnName("none"), RecentDocData(L"none.txt", kAnsiType, OwnName("present.lnk")),
           REG_NONE);
    SetDoc("", OwnName("short"), RecentDocData(L"short.txt", kAnsiType, "short.lnk").substr(0, 30));
    if (FDocs.MadeByTest())  // the shell's own order list is not the test's to change otherwise
        SetDoc("", "MRUListEx", RecentDocData(L"order.txt", kAnsiType, "order.lnk"));
    SetDoc(ext, OwnName("in-ext"), RecentDocData(L"sub.txt", kAnsiType, OwnName("sub.lnk")));
    SetDoc(ext, "mrulistex", RecentDocData(L"order.txt", kAnsiType, "order.lnk"));
    SetDoc(ext + "\\nested", OwnName("nested"), RecentDocData(L"n.txt", kAnsiType, "n.lnk"));
    FDocs.CreateKey(empty);
    FDocs.CreateKey(deeper + "\\only-a-subkey");

    EXPECT_EQ(TrkScan(ScanShortcuts), 0u);

    struct Expected {
        std::string below, name;
        uint32_t code;
        std::string title, target;
    };
    const Expected expected[] = {
        {"", OwnName("present"), 0x80100, "present.txt", OwnName("present.lnk")},
        {"", OwnName("gone"), 0x80107, "gone.txt", OwnName("gone.lnk")},
        {"", OwnName("none"), 0x80100, "none.txt", OwnName("present.lnk")},
        {ext, OwnName("in-ext"), 0x80107, "sub.txt", OwnName("sub.lnk")},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const Report* report = FReports.Find(FDocs.Path(e.below), e.name);
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(report->code, e.code);
        EXPECT_EQ(report->title, e.title);
        EXPECT_EQ(report->target, e.target);
        EXPECT_DOUBLE_EQ(report->percent, PercentOf(e.below));
    }
    EXPECT_EQ(FReports.Find(FDocs.Path(), OwnName("short")), nullptr);
    EXPECT_EQ(FReports.Values(FDocs.Path(), "MRUListEx").size(), 0u);
    EXPECT_EQ(FReports.Find(FDocs.Path(ext), "mrulistex"), nullptr);
    EXPECT_TRUE(FReports.Under(FDocs.Path(ext + "\\nested")).empty());
    EXPECT_TRUE(FReports.Under(FDocs.Path(deeper)).empty());

    const Report* emptyKey = FReports.Find(FDocs.Path(empty), "");
    ASSERT_NE(emptyKey, nullptr);
    EXPECT_EQ(emptyKey->code, 0x80204u);
    EXPECT_EQ(emptyKey->title, empty);
    EXPECT_FALSE(emptyKey->hasEntryName);
    EXPECT_FALSE(emptyKey->hasTarget);
    EXPECT_DOUBLE_EQ(emptyKey->percent, PercentOf(empty));
    EXPECT_EQ(KeptResultsUnder(FDocs.Path(empty)), 1u);
    EXPECT_EQ(KeptResultsUnder(FDocs.Path(ext)), 1u);
}

TEST_F(RecentDocScanTest, WithOneSubkeyEveryReportIsAtHundred) {
    if (!FDocs.MadeByTest()) GTEST_SKIP() << "RecentDocs holds subkeys of others";
    SetDoc("", OwnName("a"), RecentDocData(L"a.txt", kAnsiType, "a.lnk"));
    SetDoc(OwnName("ext"), OwnName("b"), RecentDocData(L"b.txt", kAnsiType, "b.lnk"));
    EXPECT_EQ(TrkScan(ScanShortcuts), 0u);
    ASSERT_EQ(FReports.All().size(), 2u);
    for (const Report& report : FReports.All()) EXPECT_EQ(report.percent, 100.0);
}

// The scan doesn't dispatch the caller's messages: a Stop button's message
// waits until the scan is over, and only a stop from the entry callback ends
// it early.
TEST_F(RecentDocScanTest, DoesNotPumpMessagesSoOnlyTheCallbackCanStopIt) {
    for (const char* name : {"a", "b", "c"})
        SetDoc("", OwnName(name), RecentDocData(L"doc.txt", kAnsiType, OwnName("gone.lnk")));
    {
        PumpProbe probe(FReports);
        EXPECT_EQ(TrkScan(ScanShortcuts), 0u);
        EXPECT_FALSE(probe.DispatchedDuringScan());
        EXPECT_TRUE(probe.StillQueued());
        EXPECT_EQ(FReports.Values(FDocs.Path(), OwnName()).size(), 3u);
    }
    FReports.Clear();
    FReports.onEach = [](const Report&) { TrkStopScan(); };
    EXPECT_EQ(TrkScan(ScanShortcuts), 0u);
    EXPECT_EQ(FReports.All().size(), 1u);
}

TEST_F(RecentDocScanTest, AnUnopenableKeyIsTheScansResult) {
    SetDoc("", OwnName("a"), RecentDocData(L"a.txt", kAnsiType, "a.lnk"));
    DeniedKey denied(FDocs);
    EXPECT_EQ(ScanRecentDocValues(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(TrkScan(ScanShortcuts), 0u);  // the driver drops it
    EXPECT_TRUE(FReports.All().empty());
}
