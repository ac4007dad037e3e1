// The value-list scans (fonts, help files, shared files, Run) against values
// of the test's own in the machine's keys: which values are tested, how, what
// each report says, the progress rule, stopping, and the open errors.
#include "ScanFixtures.h"
#include "Scanners.h"
#include "ValueListScan.h"

namespace {

const char kMachine[] = "HKEY_LOCAL_MACHINE";
const char kFontsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char kHelpKey[] = "SOFTWARE\\Microsoft\\Windows\\Help";
const char kHelpHtmlKey[] = "SOFTWARE\\Microsoft\\Windows\\HelpHTML";
const char kSharedKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

const ScanEntryCode kFontsCode = 0x8105;  // also the help-file and Run code
const ScanEntryCode kSharedCode = 0x40105;

// What one value of a fixture should give.
struct ValueCase {
    std::string name;
    bool reported;
    bool valid;
    std::string title;
    std::string target;
};

// Checks each case's report, its percentage by the value's place among all
// values of the key, and that only the invalid ones are kept.
void ExpectValueReports(const ScanRecorder& reports, const RegArea& area, ScanEntryCode code,
                        const std::vector<ValueCase>& cases) {
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Report* report = reports.Find(area.Path(), c.name);
        if (!c.reported) {
            EXPECT_EQ(report, nullptr);
            continue;
        }
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(report->code, c.valid ? code & ~EntryReasonMask : code);
        EXPECT_EQ(report->title, c.title);
        EXPECT_EQ(report->target, c.target);
        uint32_t count = 0;
        uint32_t index = ValueIndexOf(area.Root(), area.Subkey(), c.name, &count);
        EXPECT_DOUBLE_EQ(report->percent, ProgressPercent(index, count));
    }
    size_t invalid = 0;
    for (const ValueCase& c : cases) invalid += c.reported && !c.valid;
    size_t kept = 0;
    for (ScanEntry* entry = g_engine.results.head; entry; entry = entry->next)
        for (const ValueCase& c : cases)
            kept += entry->keyPath && entry->entryName && area.Path() == entry->keyPath &&
                    c.name == entry->entryName;
    EXPECT_EQ(kept, invalid);
}

std::string WithoutBackslash(const std::string& folder) {
    return folder.substr(0, folder.size() - 1);
}

class ValueListScanTest : public ScanTest {};

}  // namespace

TEST_F(ValueListScanTest, FontValuesNameFilesAsGivenOrInTheFontsFolder) {
    ScratchFolder scratch;
    std::string fullPath = scratch.File("full.ttf");
    std::string folderPath = scratch.Folder("folder.ttf");
    FixtureFile inFonts(g_engine.fontsFolder, OwnName("bare.ttf"));
    SetEnvironmentVariableA("HOLVANE_SCAN_DIR", WithoutBackslash(scratch.Path()).c_str());
    RegArea fonts(HKEY_LOCAL_MACHINE, kMachine, kFontsKey);
    const std::string fits(519, 'f');  // 520 bytes with its zero
    fonts.SetString("", OwnName("bare").c_str(), OwnName("bare.ttf"));
    fonts.SetString("", OwnName("full").c_str(), fullPath);
    fonts.SetString("", OwnName("plain").c_str(), "%HOLVANE_SCAN_DIR%\\full.ttf");
    fonts.SetString("", OwnName("expand").c_str(), "%HOLVANE_SCAN_DIR%\\full.ttf", REG_EXPAND_SZ);
    fonts.SetString("", OwnName("missing").c_str(), OwnName("missing.ttf"));
    fonts.SetString("", OwnName("folder").c_str(), folderPath);
    fonts.SetString("", OwnName("fits").c_str(), fits);
    fonts.SetString("", OwnName("long").c_str(), fits + "f");
    fonts.SetDword("", OwnName("dword").c_str(), 1);
    fonts.SetValue("", OwnName("binary").c_str(), REG_BINARY, "a.ttf", 6);

    EXPECT_EQ(TrkScan(ScanFonts), 0u);

    ExpectValueReports(
        FReports, fonts, kFontsCode,
        {
            {OwnName("bare"), true, true, OwnName("bare"), OwnName("bare.ttf")},
            {OwnName("full"), true, true, OwnName("full"), fullPath},
            {OwnName("plain"), true, true, OwnName("plain"), fullPath},
            {OwnName("expand"), true, true, OwnName("expand"), fullPath},
            {OwnName("missing"), true, false, OwnName("missing"), OwnName("missing.ttf")},
            {OwnName("folder"), true, false, OwnName("folder"), folderPath},
            {OwnName("fits"), true, false, OwnName("fits"), fits},
            {OwnName("long"), false, false, "", ""},
            {OwnName("dword"), false, false, "", ""},
            {OwnName("binary"), false, false, "", ""},
        });
}

TEST_F(ValueListScanTest, HelpValuesNameAFileInTheFolderTheyHold) {
    ScratchFolder scratch;
    const std::string folder = WithoutBackslash(scratch.Path());
    scratch.File(OwnName("a.hlp"));
    scratch.File(OwnName("b.chm"));
    scratch.File(OwnName("e.hlp"));
    scratch.Folder(OwnName("dir.chm"));
    SetEnvironmentVariableA("HOLVANE_SCAN_DIR", folder.c_str());
    RegArea help(HKEY_LOCAL_MACHINE, kMachine, kHelpKey);
    RegArea html(HKEY_LOCAL_MACHINE, kMachine, kHelpHtmlKey);
    help.SetString("", OwnName("a.hlp").c_str(), folder);
    help.SetString("", OwnName("b.chm").c_str(), scratch.Path());
    help.SetString("", OwnName("e.hlp").c_str(), "%HOLVANE_SCAN_DIR%", REG_EXPAND_SZ);
    help.SetString("", OwnName("dir.chm").c_str(), folder);
    help.SetString("", OwnName("gone.hlp").c_str(), folder);
    help.SetDword("", OwnName("c.hlp").c_str(), 1);
    html.SetString("", OwnName("h.chm").c_str(), scratch.Path());

    EXPECT_EQ(TrkScan(ScanHelpFiles), 0u);

    auto in = [&](const std::string& name) { return folder + "\\" + name; };
    ExpectValueReports(
        FReports, help, kFontsCode,
        {
            {OwnName("a.hlp"), true, true, OwnName("a.hlp"), in(OwnName("a.hlp"))},
            {OwnName("b.chm"), true, true, OwnName("b.chm"), in(OwnName("b.chm"))},
            {OwnName("e.hlp"), true, true, OwnName("e.hlp"), in(OwnName("e.hlp"))},
            {OwnName("dir.chm"), true, true, OwnName("dir.chm"), in(OwnName("dir.chm"))},
            {OwnName("gone.hlp"), true, false, OwnName("gone.hlp"), in(OwnName("gone.hlp"))},
            {OwnName("c.hlp"), false, false, "", ""},
        });
    ExpectValueReports(FReports, html, kFontsCode,
                       {{OwnName("h.chm"), true, false, OwnName("h.chm"), in(OwnName("h.chm"))}});
}

TEST_F(ValueListScanTest, HelpResultIsThatOfTheHelpHtmlPass) {
    RegArea help(HKEY_LOCAL_MACHINE, kMachine, kHelpKey);
    RegArea html(HKEY_LOCAL_MACHINE, kMachine, kHelpHtmlKey);
    help.SetString("", OwnName("a.hlp").c_str(), "C:\\nowhere");
    html.SetString("", OwnName("b.chm").c_str(), "C:\\nowhere");
    {
        DeniedKey denied(html);
        EXPECT_EQ(ScanHelpFileKeys(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(FReports.Values(help.Path(), OwnName()).size(), 1u);
        EXPECT_TRUE(FReports.Values(html.Path(), OwnName()).empty());
    }
    FReports.Clear();
    {
        DeniedKey denied(help);
        EXPECT_EQ(ScanHelpFileKeys(), 0u);
        EXPECT_TRUE(FReports.Values(help.Path(), OwnName()).empty());
        EXPECT_EQ(FReports.Values(html.Path(), OwnName()).size(), 1u);
    }
    HKEY windows = CreateKeyForTest(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows");
    EXPECT_EQ(ScanHelpFileValues(windows, OwnName().c_str()),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    RegCloseKey(windows);
}

TEST_F(ValueListScanTest, SharedDllValuesAreTestedByNameWhateverTheirType) {
    ScratchFolder scratch;  // its path holds the test's name
    const std::string present = scratch.File("present.dll");
    const std::string folder = scratch.Folder("folder.dll");
    const std::string gone = scratch.Path() + "gone.dll";
    const std::string text = scratch.Path() + "text.dll";
    const std::string longName = scratch.Path() + std::string(520, 'n');
    RegArea shared(HKEY_LOCAL_MACHINE, kMachine, kSharedKey);
    shared.SetDword("", present.c_str(), 1);
    const std::string bigData(4000, 'd');  // only the name is read
    shared.SetValue("", gone.c_str(), REG_BINARY, bigData.data(), bigData.size());
    shared.SetString("", text.c_str(), "1");
    shared.SetDword("", folder.c_str(), 2);
    shared.SetDword("", longName.c_str(), 1);

    EXPECT_EQ(TrkScan(ScanSharedFiles), 0u);

    ExpectValueReports(FReports, shared, kSharedCode,
                       {
                           {present, true, true, "present.dll", present},
                           {gone, true, false, "gone.dll", gone},
                           {text, true, false, "text.dll", text},
                           {folder, true, false, "folder.dll", folder},
                           {longName, false, false, "", ""},
                       });
}

TEST_F(ValueListScanTest, RunCommandsMustStartAProgramThatExists) {
    ScratchFolder scratch;
    scratch.Folder("Program Files");
    const std::string program = scratch.File("Program Files\\tool.exe");
    SetEnvironmentVariableA("HOLVANE_SCAN_DIR", WithoutBackslash(scratch.Path()).c_str());
    RegArea run(HKEY_LOCAL_MACHINE, kMachine, kRunKey);
    const std::string quoted = "\"" + program + "\" -x";
    const std::string expand = "%HOLVANE_SCAN_DIR%\\Program Files\\tool.exe /min";
    const std::string missing = "\"" + scratch.Path() + "gone.exe\" -x";
    const std::string fits(519, 'r');
    run.SetString("", OwnName("quoted").c_str(), quoted);
    run.SetString("", OwnName("expand").c_str(), expand, REG_EXPAND_SZ);
    run.SetString("", OwnName("path").c_str(), "notepad /p");
    run.SetString("", OwnName("placeholder").c_str(), "%1");
    run.SetString("", OwnName("missing").c_str(), missing);
    run.SetString("", OwnName("fits").c_str(), fits);
    run.SetString("", OwnName("long").c_str(), fits + "r");
    run.SetDword("", OwnName("dword").c_str(), 1);
    run.SetValue("", OwnName("binary").c_str(), REG_BINARY, "notepad", 8);

    EXPECT_EQ(TrkScan(ScanStartup), 0u);

    ExpectValueReports(FReports, run, kFontsCode,
                       {
                           {OwnName("quoted"), true, true, OwnName("quoted"), quoted},
                           {OwnName("expand"), true, true, OwnName("expand"), expand},
                           {OwnName("path"), true, true, OwnName("path"), "notepad /p"},
                           {OwnName("placeholder"), true, true, OwnName("placeholder"), "%1"},
                           {OwnName("missing"), true, false, OwnName("missing"), missing},
                           {OwnName("fits"), true, false, OwnName("fits"), fits},
                           {OwnName("long"), false, false, "", ""},
                           {OwnName("dword"), false, false, "", ""},
                           {OwnName("binary"), false, false, "", ""},
                       });
}

TEST_F(ValueListScanTest, AKeyWithOneValueReportsItAtHundred) {
    RegArea shared(HKEY_LOCAL_MACHINE, kMachine, kSharedKey);
    if (!shared.MadeByTest()) GTEST_SKIP() << "SharedDlls holds values of others";
    shared.SetDword("", "C:\\nowhere\\only.dll", 1);
    EXPECT_EQ(TrkScan(ScanSharedFiles), 0u);
    ASSERT_EQ(FReports.All().size(), 1u);
    EXPECT_EQ(FReports.All()[0].percent, 100.0);
}

TEST_F(ValueListScanTest, StopFromTheEntryCallbackEndsTheScanAfterTheCurrentValue) {
    RegArea run(HKEY_LOCAL_MACHINE, kMachine, kRunKey);
    for (const char* name : {"a", "b", "c"})
        run.SetString("", OwnName(name).c_str(), "C:\\nowhere\\x.exe");
    FReports.onEach = [](const Report&) { TrkStopScan(); };
    EXPECT_EQ(TrkScan(ScanStartup), 0u);
    EXPECT_EQ(FReports.All().size(), 1u);
}

// The scans dispatch the caller's messages after each report, so a Stop
// button pressed during the scan ends it after that report.
TEST_F(ValueListScanTest, EachScanPumpsMessagesAfterEveryReport) {
    RegArea fonts(HKEY_LOCAL_MACHINE, kMachine, kFontsKey);
    RegArea help(HKEY_LOCAL_MACHINE, kMachine, kHelpKey);
    RegArea html(HKEY_LOCAL_MACHINE, kMachine, kHelpHtmlKey);
    RegArea shared(HKEY_LOCAL_MACHINE, kMachine, kSharedKey);
    RegArea run(HKEY_LOCAL_MACHINE, kMachine, kRunKey);
    for (const char* name : {"a", "b", "c"}) {
        for (RegArea* area : {&fonts, &help, &html, &run})
            area->SetString("", OwnName(name).c_str(), "C:\\nowhere\\x");
        shared.SetDword("", ("C:\\nowhere\\" + OwnName(name)).c_str(), 1);
    }
    for (uint32_t category : {ScanFonts, ScanHelpFiles, ScanSharedFiles, ScanStartup}) {
        SCOPED_TRACE(category);
        FReports.Clear();
        PumpProbe probe(FReports);
        EXPECT_EQ(TrkScan(category), 0u);
        EXPECT_TRUE(probe.DispatchedDuringScan());
        EXPECT_EQ(probe.ReportsAtDispatch(), 1u);
        EXPECT_EQ(FReports.All().size(), 1u);
    }
}

TEST_F(ValueListScanTest, AnUnopenableKeyIsTheScansResultAndReportsNothing) {
    RegArea shared(HKEY_LOCAL_MACHINE, kMachine, kSharedKey);
    RegArea run(HKEY_LOCAL_MACHINE, kMachine, kRunKey);
    shared.SetDword("", "C:\\nowhere\\x.dll", 1);
    run.SetString("", OwnName().c_str(), "C:\\nowhere\\x.exe");
    {
        DeniedKey denied(shared);
        EXPECT_EQ(ScanSharedDllValues(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    {
        DeniedKey denied(run);
        EXPECT_EQ(ScanRunValues(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    EXPECT_TRUE(FReports.All().empty());
}
