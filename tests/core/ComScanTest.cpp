// The COM scan against class, type-library and interface registrations
// placed below HKEY_CLASSES_ROOT\CLSID, \TypeLib and \Interface.
#include "ComScan.h"
#include "FileLookups.h"
#include "ScanFixtures.h"
#include "Scanners.h"

namespace {

const std::string kRoot = "HKEY_CLASSES_ROOT\\";

constexpr uint32_t kValid = 0x1200;
constexpr uint32_t kEmptyKey = 0x1204;
constexpr uint32_t kFileMissing = 0x1205;
constexpr uint32_t kFolderMissing = 0x1206;
constexpr uint32_t kClassMissing = 0x1210;
constexpr uint32_t kClsidMissing = 0x1211;
constexpr uint32_t kTypeLibMissing = 0x1213;

std::string Braced(const std::string& suffix) { return "{" + OwnName(suffix) + "}"; }

double ComPercent(const char* root, const std::string& name) {
    return PercentOf(root, name, ProgressPercent);
}

}  // namespace

TEST(ComScan, ClassServersIconsTypeLibsAndProgIdsAreTestedByTheirRules) {
    ScratchFolder folder;
    folder.Folder("dir with space");
    std::string server = folder.File("dir with space\\srv.dll");
    std::string icons = folder.File("icons.dll");
    ScopedVariable variable("HOLVANE_COMSCAN", folder.Path() + "dir with space");
    ClassesKeys keys;
    std::string library = keys.Own("TypeLib\\" + Braced("lib"));
    keys.Set(library, nullptr, "library");
    std::string progId = keys.Own(OwnName("prog"));
    keys.Create(progId);
    std::string missingServer = folder.Path() + "gone.exe -Embedding";

    std::string servers = keys.Own("CLSID\\" + Braced("servers"));
    keys.Set(servers, nullptr, "Holvane servers");
    keys.Set(servers + "\\InprocServer32", nullptr, "\"" + server + "\" -x");
    keys.Set(servers + "\\LocalServer", nullptr, missingServer);
    keys.Set(servers + "\\LocalServer32", nullptr, folder.Path() + "gone32.exe");
    keys.Set(servers + "\\DefaultIcon", nullptr, icons + ",3");

    std::string expanded = keys.Own("CLSID\\" + Braced("expanded"));
    keys.Set(expanded + "\\InprocServer32", nullptr, "%1");
    keys.Set(expanded + "\\LocalServer", nullptr, "%HOLVANE_COMSCAN%\\srv.dll", REG_EXPAND_SZ);
    keys.Set(expanded + "\\DefaultIcon", nullptr, "%HOLVANE_COMSCAN%\\none.ico", REG_EXPAND_SZ);

    // Values of other types, too long, or absent are not tested.
    std::string passedOver = keys.Own("CLSID\\" + Braced("passed-over"));
    keys.SetDword(passedOver + "\\InprocServer32", nullptr, 1);
    keys.Set(passedOver + "\\LocalServer", nullptr, "C:\\" + std::string(600, 'x'));
    keys.Set(passedOver + "\\DefaultIcon", "named", icons);
    keys.Set(passedOver + "\\TypeLib", nullptr, Braced("no-lib"), REG_EXPAND_SZ);
    keys.Set(passedOver + "\\ProgID", nullptr, OwnName("no-prog"), REG_EXPAND_SZ);

    std::string references = keys.Own("CLSID\\" + Braced("references"));
    keys.Set(references + "\\LocalServer", nullptr, "notepad.exe /Automation");
    keys.Set(references + "\\TypeLib", nullptr, Braced("lib"));
    keys.Set(references + "\\ProgID", nullptr, progId);

    std::string missing = keys.Own("CLSID\\" + Braced("missing"));
    keys.Set(missing, nullptr, "Holvane missing");
    keys.Set(missing + "\\InprocServer32", nullptr, "holvane-no-such-server.dll");
    keys.Set(missing + "\\TypeLib", nullptr, Braced("no-lib"));
    keys.Set(missing + "\\ProgID", nullptr, OwnName("no-prog"));

    ScanRecorder recorder;
    EXPECT_EQ(TrkScan(ScanCOM), 0u);

    auto percent = [](const std::string& key) { return ComPercent("CLSID", key.substr(6)); };
    ExpectEntries(recorder.Below(kRoot + servers),
                  {{kRoot + servers + "\\InprocServer32", kValid, "\"" + server + "\" -x"},
                   {kRoot + servers + "\\LocalServer", kFileMissing, missingServer},
                   {kRoot + servers + "\\DefaultIcon", kValid, icons + ",3"}},
                  "Holvane servers", percent(servers));
    ExpectEntries(
        recorder.Below(kRoot + expanded),
        {{kRoot + expanded + "\\InprocServer32", kValid, "%1"},
         {kRoot + expanded + "\\LocalServer", kValid, "%HOLVANE_COMSCAN%\\srv.dll"},
         {kRoot + expanded + "\\DefaultIcon", kFileMissing, "%HOLVANE_COMSCAN%\\none.ico"}},
        "", percent(expanded));
    EXPECT_TRUE(recorder.Below(kRoot + passedOver).empty());
    ExpectEntries(recorder.Below(kRoot + references),
                  {{kRoot + references + "\\LocalServer", kValid, "notepad.exe /Automation"},
                   {kRoot + references + "\\TypeLib", kValid, Braced("lib")},
                   {kRoot + references + "\\ProgID", kValid, progId}},
                  "", percent(references));
    ExpectEntries(
        recorder.Below(kRoot + missing),
        {{kRoot + missing + "\\InprocServer32", kFileMissing, "holvane-no-such-server.dll"},
         {kRoot + missing + "\\TypeLib", kTypeLibMissing, Braced("no-lib")},
         {kRoot + missing + "\\ProgID", kClassMissing, OwnName("no-prog")}},
        "Holvane missing", percent(missing));
}

TEST(ComScan, TypeLibrariesAreWalkedThroughVersionsLocalesAndHelpFolders) {
    ScratchFolder folder;
    std::string libraryFile = folder.File("lib.tlb");
    std::string helpFolder = folder.Folder("help");
    ClassesKeys keys;

    std::string full = keys.Own("TypeLib\\" + Braced("full"));
    keys.Set(full, nullptr, "Holvane library");
    keys.Set(full + "\\1.0\\0\\win32", nullptr, libraryFile);
    keys.Set(full + "\\1.0\\FLAGS", nullptr, "0");
    keys.Set(full + "\\1.0\\HELPDIR", nullptr, helpFolder, REG_EXPAND_SZ);
    keys.Set(full + "\\2.0\\409\\WIN32", nullptr, folder.Path() + "gone.tlb");
    keys.Set(full + "\\2.0\\helpdir", nullptr, libraryFile);  // a file, not a folder

    std::string empty = keys.Own("TypeLib\\" + Braced("empty"));
    keys.Create(empty);

    std::string levels = keys.Own("TypeLib\\" + Braced("levels"));
    keys.Create(levels + "\\1.0");
    keys.Create(levels + "\\2.0\\0");
    keys.Create(levels + "\\3.0\\9\\win32");
    keys.SetDword(levels + "\\4.0\\7\\win32", nullptr, 1);
    keys.Set(levels + "\\5.0\\7", "named", "x");

    ScanRecorder recorder;
    TrkScan(ScanCOM);

    std::string f = kRoot + full;
    ExpectEntries(recorder.Below(f),
                  {{f, kValid, ""},
                   {f + "\\1.0", kValid, ""},
                   {f + "\\1.0\\0", kValid, ""},
                   {f + "\\1.0\\0\\win32", kValid, ""},
                   {f + "\\1.0\\0\\win32", kValid, libraryFile},
                   {f + "\\1.0\\FLAGS", kValid, ""},
                   {f + "\\1.0\\HELPDIR", kValid, ""},
                   {f + "\\1.0\\HELPDIR", kValid, helpFolder},
                   {f + "\\2.0", kValid, ""},
                   {f + "\\2.0\\409", kValid, ""},
                   {f + "\\2.0\\409\\win32", kValid, ""},
                   {f + "\\2.0\\409\\win32", kFileMissing, folder.Path() + "gone.tlb"},
                   {f + "\\2.0\\helpdir", kValid, ""},
                   {f + "\\2.0\\helpdir", kFolderMissing, libraryFile}},
                  "Holvane library", ComPercent("TypeLib", full.substr(8)));
    ExpectEntries(recorder.Below(kRoot + empty), {{kRoot + empty, kEmptyKey, ""}}, "",
                  ComPercent("TypeLib", empty.substr(8)));
    std::string l = kRoot + levels;
    ExpectEntries(recorder.Below(l),
                  {{l, kValid, ""},
                   {l + "\\1.0", kEmptyKey, ""},
                   {l + "\\2.0", kValid, ""},
                   {l + "\\2.0\\0", kEmptyKey, ""},
                   {l + "\\3.0", kValid, ""},
                   {l + "\\3.0\\9", kValid, ""},
                   {l + "\\3.0\\9\\win32", kEmptyKey, ""},
                   {l + "\\4.0", kValid, ""},
                   {l + "\\4.0\\7", kValid, ""},
                   {l + "\\4.0\\7\\win32", kValid, ""},
                   {l + "\\5.0", kValid, ""},
                   {l + "\\5.0\\7", kValid, ""}},
                  "", ComPercent("TypeLib", levels.substr(8)));
}

TEST(ComScan, InterfacesNeedTheirTypeLibraryAndProxyClass) {
    ClassesKeys keys;
    std::string library = keys.Own("TypeLib\\" + Braced("lib"));
    keys.Set(library, nullptr, "library");
    std::string proxy = keys.Own("CLSID\\" + Braced("proxy"));
    keys.Create(proxy);

    std::string empty = keys.Own("Interface\\" + Braced("empty"));
    keys.Create(empty);
    std::string titled = keys.Own("Interface\\" + Braced("titled"));
    keys.Set(titled, nullptr, "IHolvaneTitled");
    std::string good = keys.Own("Interface\\" + Braced("good"));
    keys.Set(good + "\\TypeLib", nullptr, Braced("lib"));
    keys.Set(good + "\\ProxyStubClsid32", nullptr, Braced("proxy"));
    std::string unnamed = keys.Own("Interface\\" + Braced("unnamed"));
    keys.Set(unnamed + "\\TypeLib", "Version", "1.0");
    keys.SetDword(unnamed + "\\ProxyStubClsid32", nullptr, 1);
    std::string missing = keys.Own("Interface\\" + Braced("missing"));
    keys.Set(missing, nullptr, "IHolvaneMissing");
    keys.Set(missing + "\\TypeLib", nullptr, Braced("no-lib"), REG_EXPAND_SZ);
    keys.Set(missing + "\\ProxyStubClsid32", nullptr, Braced("no-proxy"));

    ScanRecorder recorder;
    TrkScan(ScanCOM);

    auto percent = [](const std::string& key) { return ComPercent("Interface", key.substr(10)); };
    ExpectEntries(recorder.Below(kRoot + empty), {{kRoot + empty, kEmptyKey, ""}}, "",
                  percent(empty));
    ExpectEntries(recorder.Below(kRoot + titled), {{kRoot + titled, kValid, ""}}, "IHolvaneTitled",
                  percent(titled));
    // Subkey names are written as the scan spells them, whatever the key's own case.
    std::string g = kRoot + good;
    ExpectEntries(recorder.Below(g),
                  {{g, kValid, ""},
                   {g + "\\TypeLib", kValid, Braced("lib")},
                   {g + "\\ProxyStubclsid32", kValid, Braced("proxy")}},
                  "", percent(good));
    std::string u = kRoot + unnamed;
    ExpectEntries(recorder.Below(u),
                  {{u, kValid, ""},
                   {u + "\\TypeLib", kTypeLibMissing, ""},
                   {u + "\\ProxyStubclsid32", kClsidMissing, ""}},
                  "", percent(unnamed));
    std::string m = kRoot + missing;
    ExpectEntries(recorder.Below(m),
                  {{m, kValid, ""},
                   {m + "\\TypeLib", kTypeLibMissing, Braced("no-lib")},
                   {m + "\\ProxyStubclsid32", kClsidMissing, Braced("no-proxy")}},
                  "IHolvaneMissing", percent(missing));
}

TEST(ComScan, AStopDuringTheClassWalkFinishesTheClassAndEndsTheOtherWalks) {
    ClassesKeys keys;
    std::string stopper = keys.Own("CLSID\\" + Braced("stopper"));
    keys.Set(stopper + "\\InprocServer32", nullptr, "%1");
    keys.Set(stopper + "\\LocalServer", nullptr, "%1");
    std::string library = keys.Own("TypeLib\\" + Braced("lib"));
    keys.Create(library);
    std::string iface = keys.Own("Interface\\" + Braced("iface"));
    keys.Create(iface);

    ScanRecorder recorder;
    size_t stoppedAt = 0;
    recorder.onEach = [&](const Report& seen) {
        if (seen.keyPath == kRoot + stopper + "\\InprocServer32") {
            stoppedAt = recorder.All().size();
            TrkStopScan();
        }
    };
    TrkScan(ScanCOM);

    ASSERT_GT(stoppedAt, 0u);
    const std::vector<Report>& all = recorder.All();
    ASSERT_EQ(all.size(), stoppedAt + 1) << "only the class's own LocalServer follows";
    EXPECT_EQ(all.back().keyPath, kRoot + stopper + "\\LocalServer");
    for (const Report& seen : all) {
        EXPECT_NE(seen.keyPath.rfind(kRoot + "TypeLib\\", 0), 0u) << seen.keyPath;
        EXPECT_NE(seen.keyPath.rfind(kRoot + "Interface\\", 0), 0u) << seen.keyPath;
    }
    EXPECT_EQ(TrkGetStatus() & StatusScanning, 0u);
}

TEST(ComScan, AnUnopenableRootKeyEndsOnlyItsOwnWalk) {
    ClassesKeys keys;
    std::string library = keys.Own("TypeLib\\" + Braced("lib"));
    keys.Create(library);
    std::string iface = keys.Own("Interface\\" + Braced("iface"));
    keys.Create(iface);

    ScanRecorder recorder;
    {
        FileLookupScope lookups;
        DeniedKey denied(HKEY_CLASSES_ROOT, "TypeLib");
        EXPECT_EQ(ScanTypeLibKeys(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(ScanComGroup(), 0u);
    }
    EXPECT_TRUE(recorder.Below(kRoot + library).empty());
    EXPECT_EQ(recorder.Below(kRoot + iface).size(), 1u);
}
