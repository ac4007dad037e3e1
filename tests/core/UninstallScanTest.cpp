// The uninstall scan against product keys of the test's own under the
// machine's Uninstall key: command values of any type, products with no
// uninstall information, the progress rule, and a scan that doesn't pump the
// caller's messages.
#include "ScanFixtures.h"
#include "Scanners.h"
#include "UninstallScan.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

class UninstallScanTest : public ScanTest {
protected:
    RegArea FUninstall{HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", kUninstallKey};

    double PercentOf(const std::string& product) {
        uint32_t count = 0;
        uint32_t index = SubkeyIndexOf(FUninstall.Root(), FUninstall.Subkey(), product, &count);
        return ProgressPercent(index, count);
    }
};

}  // namespace

TEST_F(UninstallScanTest, CommandsMustStartAProgramAndProductsNeedUninstallInformation) {
    ScratchFolder scratch;
    scratch.Folder("Program Files");
    const std::string program = scratch.File("Program Files\\unins000.exe");
    SetEnvironmentVariableA("HOLVANE_SCAN_DIR", scratch.Path().c_str());
    const std::string quoted = "\"" + program + "\" /SILENT /LOG";
    const std::string expand = "%HOLVANE_SCAN_DIR%Program Files\\unins000.exe /quiet";
    const std::string missing = "\"" + scratch.Path() + "gone.exe\" /x";
    const std::string both = OwnName("both"), gone = OwnName("gone"), dword = OwnName("dword"),
                      binary = OwnName("binary"), system = OwnName("system-only"),
                      systemGone = OwnName("system-gone"), other = OwnName("other"),
                      empty = OwnName("empty");
    FUninstall.SetString(both, "UninstallString", quoted);
    FUninstall.SetString(both, "QuietUninstallString", expand, REG_EXPAND_SZ);
    FUninstall.SetString(gone, "UninstallString", missing);
    FUninstall.SetDword(dword, "UninstallString", 0x00434241);                   // "ABC" and a zero
    FUninstall.SetValue(binary, "QuietUninstallString", REG_BINARY, "WXYZ", 4);  // no zero
    FUninstall.SetDword(system, "SystemComponent", 1);
    FUninstall.SetString(systemGone, "SystemComponent", "");
    FUninstall.SetString(systemGone, "UninstallString", missing);
    FUninstall.SetString(other, "DisplayName", "Other");
    FUninstall.CreateKey(empty);

    EXPECT_EQ(TrkScan(ScanSoftware), 0u);

    struct Expected {
        std::string product;
        const char* entryName;  // null: the product key itself
        uint32_t code;
        std::string target;
    };
    const Expected expected[] = {
        {both, "UninstallString", 0x100100, quoted},
        {both, "QuietUninstallString", 0x100100, expand},
        {gone, "UninstallString", 0x100105, missing},
        {dword, "UninstallString", 0x100105, "ABC"},
        {binary, "QuietUninstallString", 0x100105, "WXYZ"},
        {systemGone, "UninstallString", 0x100105, missing},
        {other, nullptr, 0x100205, other},
        {empty, nullptr, 0x100205, empty},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.product + " " + (e.entryName ? e.entryName : "(key)"));
        const Report* report =
            FReports.Find(FUninstall.Path(e.product), e.entryName ? e.entryName : "");
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(report->code, e.code);
        EXPECT_EQ(report->title, "Uninstall");
        EXPECT_EQ(report->target, e.target);
        EXPECT_EQ(report->hasEntryName, e.entryName != nullptr);
        EXPECT_DOUBLE_EQ(report->percent, PercentOf(e.product));
    }
    for (const std::string& product : {both, gone, dword, binary, systemGone})
        EXPECT_EQ(FReports.Under(FUninstall.Path(product)).size(), product == both ? 2u : 1u);
    EXPECT_TRUE(FReports.Under(FUninstall.Path(system)).empty());
    EXPECT_EQ(KeptResultsUnder(FUninstall.Path(OwnName())), 6u);
}

TEST_F(UninstallScanTest, DoesNotPumpMessagesSoOnlyTheCallbackCanStopIt) {
    for (const char* name : {"a", "b", "c"})
        FUninstall.SetString(OwnName(name), "UninstallString", "C:\\nowhere\\unins.exe");
    {
        PumpProbe probe(FReports);
        EXPECT_EQ(TrkScan(ScanSoftware), 0u);
        EXPECT_FALSE(probe.DispatchedDuringScan());
        EXPECT_TRUE(probe.StillQueued());
        EXPECT_EQ(FReports.Under(FUninstall.Path(OwnName())).size(), 3u);
    }
    FReports.Clear();
    FReports.onEach = [](const Report&) { TrkStopScan(); };
    EXPECT_EQ(TrkScan(ScanSoftware), 0u);
    EXPECT_EQ(FReports.All().size(), 1u);
}

TEST_F(UninstallScanTest, AnUnopenableKeyIsTheScansResultAndTheDriverDropsIt) {
    FUninstall.SetString(OwnName(), "UninstallString", "C:\\nowhere\\unins.exe");
    DeniedKey denied(FUninstall);
    EXPECT_EQ(CheckUninstallKeys(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(TrkScan(ScanSoftware), 0u);
    EXPECT_TRUE(FReports.All().empty());
}
