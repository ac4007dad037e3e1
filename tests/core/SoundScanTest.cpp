// The sound scan against an application of the test's own under
// AppEvents\Schemes\Apps with labels under AppEvents\EventLabels and a sound
// in the Media folder: which schemes are tested, how, their titles, the
// progress rule, and message pumping.
#include "ScanFixtures.h"
#include "Scanners.h"
#include "SoundScan.h"

namespace {

const char kUser[] = "HKEY_CURRENT_USER";
const char kAppsKey[] = "AppEvents\\Schemes\\Apps";
const char kLabelsKey[] = "AppEvents\\EventLabels";

class SoundScanTest : public ScanTest {
protected:
    RegArea FApps{HKEY_CURRENT_USER, kUser, kAppsKey};
    RegArea FLabels{HKEY_CURRENT_USER, kUser, kLabelsKey};
    // Enumerated before the prefix's own applications, so that its sounds are
    // not all at 100.
    const std::string FApp = "0-" + OwnName("app");

    // Sets the sound of app\event\scheme.
    void SetSound(const std::string& event, const std::string& scheme, const std::string& sound,
                  DWORD type = REG_SZ) {
        FApps.SetString(FApp + "\\" + event + "\\" + scheme, nullptr, sound, type);
    }
    std::string SchemePath(const std::string& event, const std::string& scheme) const {
        return FApps.Path(FApp + "\\" + event + "\\" + scheme);
    }
    // The position of a scheme in the whole tree, as a share of all
    // applications, reckoned with the counts of its own application and event.
    double PercentOf(const std::string& event, const std::string& scheme) const {
        uint32_t m = 0, h = 0, s = 0;
        uint32_t i = SubkeyIndexOf(FApps.Root(), FApps.Subkey(), FApp, &m);
        uint32_t j = SubkeyIndexOf(FApps.Root(), FApps.Subkey(FApp), event, &h);
        uint32_t k = SubkeyIndexOf(FApps.Root(), FApps.Subkey(FApp + "\\" + event), scheme, &s);
        double percent = static_cast<double>((i + 1) * h * s + (j + 1) * s + k + 1) /
                         static_cast<double>(m * h * s) * 100.0;
        return percent > 100.0 ? 100.0 : percent;
    }
};

}  // namespace

TEST_F(SoundScanTest, SchemesNameSoundsThatExistAsWrittenOrInTheMediaFolder) {
    ScratchFolder scratch;
    const std::string wav = scratch.File("ding.wav");
    FixtureFile media(g_engine.mediaFolder, OwnName("chime.wav"));
    SetEnvironmentVariableA("HOLVANE_SCAN_DIR", scratch.Path().c_str());
    const std::string labelled = OwnName("labelled");
    const std::string unlabelled = OwnName("unlabelled");
    FLabels.SetString(labelled, nullptr, "Test Event");
    SetSound(labelled, ".Current", wav);
    SetSound(labelled, ".Default", scratch.Path() + "gone.wav");
    SetSound(labelled, "Empty", "");
    SetSound(labelled, "One", "x");
    SetSound(labelled, "Media", OwnName("chime.wav"));
    SetSound(labelled, "Expand", "%HOLVANE_SCAN_DIR%ding.wav", REG_EXPAND_SZ);
    SetSound(labelled, "Long", std::string(520, 's'));
    FApps.SetDword(FApp + "\\" + labelled + "\\Dword", nullptr, 1);
    FApps.SetString(FApp + "\\" + labelled + "\\Named", "NotDefault", wav);
    SetSound(unlabelled, ".Current", OwnName("gone.wav"));

    EXPECT_EQ(TrkScan(ScanSounds), 0u);

    struct Expected {
        std::string event, scheme;
        uint32_t code;
        std::string target;
    };
    const Expected expected[] = {
        {labelled, ".Current", 0x200200, wav},
        {labelled, ".Default", 0x200205, scratch.Path() + "gone.wav"},
        {labelled, "Empty", 0x200200, ""},
        {labelled, "One", 0x200200, "x"},
        {labelled, "Media", 0x200200, OwnName("chime.wav")},
        {labelled, "Expand", 0x200200, "%HOLVANE_SCAN_DIR%ding.wav"},
        {unlabelled, ".Current", 0x200205, OwnName("gone.wav")},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.event + "\\" + e.scheme);
        const Report* report = FReports.Find(SchemePath(e.event, e.scheme), "");
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(report->code, e.code);
        EXPECT_EQ(report->target, e.target);
        EXPECT_EQ(report->hasTitle, e.event == labelled);
        EXPECT_EQ(report->title, e.event == labelled ? "Test Event" : "");
        EXPECT_FALSE(report->hasEntryName);
        EXPECT_DOUBLE_EQ(report->percent, PercentOf(e.event, e.scheme));
    }
    for (const char* scheme : {"Long", "Dword", "Named"})
        EXPECT_EQ(FReports.Find(SchemePath(labelled, scheme), ""), nullptr) << scheme;
    EXPECT_EQ(KeptResultsUnder(FApps.Path(FApp)), 2u);
}

TEST_F(SoundScanTest, EventLabelsAreTheDefaultValueOfTheEventsKey) {
    FLabels.SetString(OwnName("label"), nullptr, "Shown");
    FLabels.SetString(OwnName("blank"), nullptr, "");
    FLabels.SetString(OwnName("named"), "Other", "Not the label");
    FLabels.SetDword(OwnName("number"), nullptr, 0x00004948);  // "HI"

    EXPECT_EQ(ReadEventLabel(OwnName("label").c_str()), "Shown");
    EXPECT_EQ(ReadEventLabel(OwnName("blank").c_str()), "");
    EXPECT_EQ(ReadEventLabel(OwnName("named").c_str()), std::nullopt);
    EXPECT_EQ(ReadEventLabel(OwnName("missing").c_str()), std::nullopt);
    EXPECT_EQ(ReadEventLabel(OwnName("number").c_str()), "HI");
    DeniedKey denied(FLabels);
    EXPECT_EQ(ReadEventLabel(OwnName("label").c_str()), std::nullopt);
}

// Messages are dispatched after each report, so a Stop button pressed during
// the scan ends it after the first sound.
TEST_F(SoundScanTest, PumpsMessagesAfterEachReport) {
    for (const char* event : {"a", "b"})
        for (const char* scheme : {".Current", ".Default"}) SetSound(OwnName(event), scheme, "");
    PumpProbe probe(FReports);
    EXPECT_EQ(TrkScan(ScanSounds), 0u);
    EXPECT_TRUE(probe.DispatchedDuringScan());
    EXPECT_LE(probe.ReportsAtDispatch(), 1u);
    EXPECT_EQ(FReports.All().size(), probe.ReportsAtDispatch());
}

TEST_F(SoundScanTest, StopFromTheEntryCallbackEndsTheScanAfterTheCurrentSound) {
    for (const char* scheme : {"a", "b", "c"}) SetSound(OwnName("event"), scheme, "");
    FReports.onEach = [](const Report&) { TrkStopScan(); };
    EXPECT_EQ(TrkScan(ScanSounds), 0u);
    EXPECT_EQ(FReports.All().size(), 1u);
}

TEST_F(SoundScanTest, AnUnopenableKeyIsTheScansResultAndTheDriverDropsIt) {
    SetSound(OwnName("event"), ".Current", "");
    DeniedKey denied(FApps);
    EXPECT_EQ(ScanSoundKeys(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(TrkScan(ScanSounds), 0u);
    EXPECT_TRUE(FReports.All().empty());
}
