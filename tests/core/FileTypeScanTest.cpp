// The file-type scan against extension and class keys placed at the root of
// HKEY_CLASSES_ROOT.
#include "ScanFixtures.h"

namespace {

const std::string kRoot = "HKEY_CLASSES_ROOT\\";

constexpr uint32_t kValid = 0x4200;
constexpr uint32_t kEmptyKey = 0x4204;
constexpr uint32_t kFileMissing = 0x4205;
constexpr uint32_t kClassMissing = 0x4210;
constexpr uint32_t kClsidMissing = 0x4211;

// A root key name of the test's own behind a leading character.
std::string Led(char lead, const std::string& suffix) {
    std::string name(1, lead);
    return name.append(OwnName(suffix));
}
std::string Extension(const std::string& suffix) { return Led('.', suffix); }
std::string ExtensionTitle(const std::string& name) { return name + " file(*" + name + ")"; }

double RootPercent(const std::string& name) {
    return PercentOf(nullptr, name, ProgressPercentFileTypes);
}

bool ClassesKeyExists(const char* subkey) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

TEST(FileTypeScan, ExtensionKeysNeedAnExistingClassOrSomethingInside) {
    ClassesKeys keys;
    std::string cls = keys.Own(OwnName("class"));
    keys.Create(cls);
    std::string clsid = keys.Own("CLSID\\{" + OwnName("handler") + "}");
    keys.Create(clsid);
    std::string handlerClsid = clsid.substr(6);

    struct Case {
        std::string name;
        std::vector<ExpectedEntry> expected;  // key paths below the extension's own
    };
    std::vector<Case> cases;
    auto add = [&](const std::string& suffix, std::vector<ExpectedEntry> expected) {
        cases.push_back({keys.Own(Extension(suffix)), std::move(expected)});
        return cases.back().name;
    };
    keys.Set(add("named", {{"", kValid, cls}}), nullptr, cls);
    keys.Set(add("unknown", {{"", kClassMissing, OwnName("absent")}}), nullptr, OwnName("absent"));
    keys.Create(add("shellnew", {{"", kValid, ""}}) + "\\ShellNew");
    keys.Create(add("empty", {{"", kEmptyKey, ""}}));
    keys.Set(add("content-type", {{"", kValid, ""}}), "Content Type", "text/plain");
    // No type is tested: data of any type is read as text, a missing zero too.
    keys.Set(add("binary", {{"", kValid, cls}}), nullptr, cls, REG_BINARY);
    std::string tooLong = add("too-long", {});
    keys.Set(tooLong, nullptr, std::string(600, 'x'));
    keys.Set(tooLong + "\\PersistentHandler", nullptr, handlerClsid);

    std::string handled =
        add("handled", {{"", kValid, cls}, {"\\PersistentHandler", kValid, handlerClsid}});
    keys.Set(handled, nullptr, cls);
    keys.Set(handled + "\\PersistentHandler", nullptr, handlerClsid);
    std::string badHandler = add(
        "bad-handler", {{"", kValid, cls}, {"\\PersistentHandler", kClsidMissing, "{nothing}"}});
    keys.Set(badHandler, nullptr, cls);
    keys.Set(badHandler + "\\PersistentHandler", nullptr, "{nothing}");
    std::string emptyHandler = add("empty-handler", {{"", kValid, cls}});
    keys.Set(emptyHandler, nullptr, cls);
    keys.Create(emptyHandler + "\\PersistentHandler");

    ScanRecorder recorder;
    EXPECT_EQ(TrkScan(ScanFileTypes), 0u);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Report> seen = recorder.Below(kRoot + c.name);
        ASSERT_EQ(seen.size(), c.expected.size());
        for (size_t i = 0; i < seen.size(); ++i) {
            const ExpectedEntry& expected = c.expected[i];
            EXPECT_EQ(seen[i].keyPath, kRoot + c.name + expected.keyPath);
            EXPECT_EQ(seen[i].code, expected.code) << std::hex << seen[i].code;
            EXPECT_EQ(seen[i].target, expected.target);
            EXPECT_EQ(seen[i].hasTarget, !expected.target.empty());
            EXPECT_EQ(seen[i].title,
                      expected.keyPath.empty() ? ExtensionTitle(c.name) : "PersistentHandler");
            EXPECT_FALSE(seen[i].hasEntryName);
            EXPECT_DOUBLE_EQ(seen[i].percent, RootPercent(c.name));
        }
    }
}

TEST(FileTypeScan, ClassKeysAreCheckedForClsidIconAndCurrentVersion) {
    ScratchFolder folder;
    std::string icon = folder.File("app.ico");
    ClassesKeys keys;
    std::string clsid = keys.Own("CLSID\\{" + OwnName("class-id") + "}");
    keys.Create(clsid);
    std::string current = keys.Own(OwnName("class.2"));
    keys.Create(current);

    std::string good = keys.Own(OwnName("good"));
    keys.Set(good, nullptr, "Holvane good class");
    keys.Set(good + "\\CLSID", nullptr, clsid.substr(6));
    keys.Set(good + "\\DefaultIcon", nullptr, icon + ",0");
    keys.Set(good + "\\CurVer", nullptr, current);
    keys.Create(good + "\\shell\\open");

    std::string broken = keys.Own(OwnName("broken"));
    keys.Set(broken, nullptr, "Holvane broken class");
    keys.Set(broken + "\\CLSID", nullptr, "{nothing}");
    keys.Set(broken + "\\DefaultIcon", "named", icon);
    keys.Set(broken + "\\CurVer", nullptr, OwnName("no-such.2"));

    std::string untitled = keys.Own(OwnName("untitled"));
    keys.Set(untitled + "\\DefaultIcon", nullptr, folder.Path() + "gone.ico,1", REG_EXPAND_SZ);

    // Subkeys without a readable value report nothing, except DefaultIcon.
    std::string unread = keys.Own(OwnName("unread"));
    keys.Set(unread, nullptr, "Holvane unread class");
    keys.Create(unread + "\\CLSID");
    keys.Set(unread + "\\DefaultIcon", nullptr, std::string(600, 'x'));
    keys.Create(unread + "\\CurVer");

    // Among the last eight root keys the percent has reached 100.
    std::string late = keys.Own(Led('~', "late"));
    keys.Set(late + "\\CurVer", nullptr, current);

    ScanRecorder recorder;
    TrkScan(ScanFileTypes);

    std::string g = kRoot + good;
    ExpectEntries(recorder.Below(g),
                  {{g + "\\CLSID", kValid, clsid.substr(6)},
                   {g + "\\DefaultIcon", kValid, icon + ",0"},
                   {g + "\\CurVer", kValid, current}},
                  "Holvane good class", RootPercent(good));
    std::string b = kRoot + broken;
    ExpectEntries(recorder.Below(b),
                  {{b + "\\CLSID", kClsidMissing, "{nothing}"},
                   {b + "\\DefaultIcon", kEmptyKey, ""},
                   {b + "\\CurVer", kClassMissing, OwnName("no-such.2")}},
                  "Holvane broken class", RootPercent(broken));
    std::string u = kRoot + untitled;
    ExpectEntries(recorder.Below(u),
                  {{u + "\\DefaultIcon", kFileMissing, folder.Path() + "gone.ico,1"}}, "",
                  RootPercent(untitled));
    EXPECT_TRUE(recorder.Below(kRoot + unread).empty());
    EXPECT_TRUE(recorder.Below(kRoot + current).empty());
    ExpectEntries(recorder.Below(kRoot + late), {{kRoot + late + "\\CurVer", kValid, current}}, "",
                  100.0);
    EXPECT_DOUBLE_EQ(RootPercent(late), 100.0);
}

TEST(FileTypeScan, RegistrationsOfOtherKindsAreNotClasses) {
    ClassesKeys keys;
    // These names are what is tested; they are made only where the prefix
    // doesn't have them, in a case of their own.
    struct Skipped {
        const char* name;
        const char* subkey;
    };
    const Skipped skipped[] = {{"SOFTWARE", "CurVer"}, {"installer", "DefaultIcon"}};
    for (const Skipped& s : skipped) {
        if (ClassesKeyExists(s.name)) continue;
        keys.Own(s.name);
        keys.Set(std::string(s.name) + "\\" + s.subkey, nullptr, "{nothing}");
    }
    ASSERT_TRUE(ClassesKeyExists("CLSID\\CLSID")) << "the prefix's own CLSID\\CLSID key";

    ScanRecorder recorder;
    TrkScan(ScanFileTypes);

    for (const Report& seen : recorder.All()) {
        for (const char* name :
             {"CLSID", "TypeLib", "AppID", "Applications", "Installer", "Interface", "Software"})
            EXPECT_NE(CompareNoCaseN(seen.keyPath.c_str(), (kRoot + name + "\\").c_str(),
                                     kRoot.size() + strlen(name) + 1),
                      0)
                << seen.keyPath;
    }
    EXPECT_FALSE(recorder.All().empty());
}

TEST(FileTypeScan, AStopFinishesTheCurrentRootKeyOnly) {
    ClassesKeys keys;
    std::string cls = keys.Own(OwnName("class"));
    keys.Create(cls);
    std::string extension = keys.Own(Extension("stopper"));
    keys.Set(extension, nullptr, cls);
    keys.Set(extension + "\\PersistentHandler", nullptr, "{nothing}");

    ScanRecorder recorder;
    size_t stoppedAt = 0;
    recorder.onEach = [&](const Report& seen) {
        if (seen.keyPath == kRoot + extension) {
            stoppedAt = recorder.All().size();
            TrkStopScan();
        }
    };
    TrkScan(ScanFileTypes);

    ASSERT_GT(stoppedAt, 0u);
    ASSERT_EQ(recorder.All().size(), stoppedAt + 1);
    EXPECT_EQ(recorder.All().back().keyPath, kRoot + extension + "\\PersistentHandler");
    EXPECT_EQ(recorder.All().back().code, static_cast<uint32_t>(kClsidMissing));
}
