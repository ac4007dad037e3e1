// ScanFixtures.h - fixtures for the category scans: a recorder of the
// entries a scan reports, entries of the test's own in the fixed registry
// areas the scans look at and below HKEY_CLASSES_ROOT, files in the fixed
// folders, keys made unreadable for a while, a probe that tells whether a
// scan dispatched the caller's messages, and the enumeration positions a
// percent is computed from.
#pragma once

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "Engine.h"
#include "RegAreas.h"
#include "RegFixture.h"
#include "Registry.h"

// The engine is linked in: set it up as loading the library would.
class ScanEngineEnvironment : public testing::Environment {
public:
    void SetUp() override { InitEngine(); }
    void TearDown() override { ShutdownEngine(); }
};
inline const testing::Environment* const kScanEngine =
    testing::AddGlobalTestEnvironment(new ScanEngineEnvironment);

// ---- Reports

struct Report {
    uint32_t code;
    std::string title, keyPath, entryName, target;
    bool hasTitle, hasEntryName, hasTarget;
    double percent;
};

inline bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// Records every entry the scans report while it lives, in report order;
// onEach (when set) runs inside the entry callback after the entry is
// recorded, as the caller's handler would.
class ScanRecorder {
public:
    ScanRecorder() {
        FCurrent = this;
        TrkSetMonitor(Record, nullptr, nullptr);
    }
    ~ScanRecorder() {
        TrkSetMonitor(nullptr, nullptr, nullptr);
        FCurrent = nullptr;
    }
    ScanRecorder(const ScanRecorder&) = delete;
    ScanRecorder& operator=(const ScanRecorder&) = delete;

    // The entry callback, for a test that sets an end callback beside it.
    static int WINAPI Record(ScanEntry* entry, double percent) {
        auto text = [](const char* t) { return std::string(t ? t : ""); };
        std::vector<Report>& log = FCurrent->FReports;
        log.push_back({entry->code, text(entry->title), text(entry->keyPath),
                       text(entry->entryName), text(entry->target), entry->title != nullptr,
                       entry->entryName != nullptr, entry->target != nullptr, percent});
        if (FCurrent->onEach) FCurrent->onEach(log.back());
        return 0;
    }

    std::function<void(const Report&)> onEach;

    const std::vector<Report>& All() const { return FReports; }
    void Clear() { FReports.clear(); }
    // The reports of key path and of the keys below it.
    std::vector<Report> Below(const std::string& path) const {
        return Where([&](const Report& report) {
            return report.keyPath == path || StartsWith(report.keyPath, path + "\\");
        });
    }
    // The reports whose key path begins with keyPath.
    std::vector<Report> Under(const std::string& keyPath) const {
        return Where([&](const Report& report) { return StartsWith(report.keyPath, keyPath); });
    }
    // The reports of key keyPath whose value name begins with namePrefix.
    std::vector<Report> Values(const std::string& keyPath, const std::string& namePrefix) const {
        return Where([&](const Report& report) {
            return report.keyPath == keyPath && StartsWith(report.entryName, namePrefix);
        });
    }
    // The one report of keyPath and entryName (empty: none), or null.
    const Report* Find(const std::string& keyPath, const std::string& entryName) const {
        const Report* found = nullptr;
        for (const Report& report : FReports) {
            if (report.keyPath != keyPath || report.entryName != entryName) continue;
            EXPECT_EQ(found, nullptr) << "reported twice: " << keyPath << " " << entryName;
            found = &report;
        }
        return found;
    }

private:
    std::vector<Report> Where(const std::function<bool(const Report&)>& accept) const {
        std::vector<Report> found;
        for (const Report& report : FReports)
            if (accept(report)) found.push_back(report);
        return found;
    }

    static inline ScanRecorder* FCurrent = nullptr;
    std::vector<Report> FReports;
};

// The engine's kept (invalid) entries whose key path begins with keyPath.
inline size_t KeptResultsUnder(const std::string& keyPath) {
    size_t count = 0;
    for (ScanEntry* entry = g_engine.results.head; entry; entry = entry->next)
        if (entry->keyPath && StartsWith(entry->keyPath, keyPath)) ++count;
    return count;
}

// What a test expects of one reported entry; an empty target means none.
struct ExpectedEntry {
    std::string keyPath;
    uint32_t code;
    std::string target;
};

// The entries must be exactly these, in this order, each with the title and
// percent given and without a value name.
inline void ExpectEntries(const std::vector<Report>& seen,
                          const std::vector<ExpectedEntry>& expected, const std::string& title,
                          double percent) {
    ASSERT_EQ(seen.size(), expected.size())
        << "below " << (expected.empty() ? "" : expected[0].keyPath);
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(expected[i].keyPath + " #" + std::to_string(i));
        EXPECT_EQ(seen[i].keyPath, expected[i].keyPath);
        EXPECT_EQ(seen[i].code, expected[i].code) << std::hex << seen[i].code;
        EXPECT_EQ(seen[i].hasTarget, !expected[i].target.empty());
        EXPECT_EQ(seen[i].target, expected[i].target);
        EXPECT_EQ(seen[i].title, title);
        EXPECT_FALSE(seen[i].hasEntryName);
        EXPECT_DOUBLE_EQ(seen[i].percent, percent);
    }
}

// Every test starts with an empty log and the recorder registered.
class ScanTest : public testing::Test {
protected:
    ScanRecorder FReports;
};

// Makes a key unopenable for full access until the fixture goes, as it is
// for a user without administrator rights: readable, never opened for full
// access. The key is made when missing (and removed again by whoever keeps
// it for the test); its own access rules are put back when the fixture goes.
class DeniedKey {
public:
    DeniedKey(HKEY root, const std::string& subkey) : FRefused(MadeRoot(root, subkey), subkey) {
        HKEY probe = nullptr;
        EXPECT_EQ(RegOpenKeyExA(root, subkey.c_str(), 0, KEY_ALL_ACCESS, &probe),
                  ERROR_ACCESS_DENIED);
        if (probe) RegCloseKey(probe);
    }
    explicit DeniedKey(const RegArea& area) : DeniedKey(area.Root(), area.Subkey()) {}

private:
    static HKEY MadeRoot(HKEY root, const std::string& subkey) {
        RegCloseKey(CreateKeyForTest(root, subkey));
        return root;
    }
    RefusedKey FRefused;
};

// ---- Files in fixed folders

// A file made for the test in a fixed folder (the Fonts, Recent or Media
// folder), deleted with the fixture; the folder too when the test made it.
class FixtureFile {
public:
    FixtureFile(const std::string& folder, const std::string& name,
                const std::string& content = "x")
        : FFolder(folder), FPath(folder + name) {
        std::string bare = folder.substr(0, folder.size() - 1);
        if (GetFileAttributesA(bare.c_str()) == INVALID_FILE_ATTRIBUTES)
            FMadeFolder = CreateDirectoryA(bare.c_str(), nullptr) != 0;
        HANDLE file =
            CreateFileA(FPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << FPath;
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    ~FixtureFile() {
        DeleteFileA(FPath.c_str());
        if (FMadeFolder) RemoveDirectoryA(FFolder.substr(0, FFolder.size() - 1).c_str());
    }
    FixtureFile(const FixtureFile&) = delete;
    FixtureFile& operator=(const FixtureFile&) = delete;
    const std::string& Path() const { return FPath; }

private:
    std::string FFolder;  // ends with a backslash
    std::string FPath;
    bool FMadeFolder = false;
};

// ---- HistoryConfig.ini

// A HistoryConfig.ini beside the test program for one test; removed again
// afterwards (a file that was there before is put back).
class HistoryIni {
public:
    explicit HistoryIni(const std::string& content) : FPath(g_engine.historyConfigPath) {
        std::ifstream old(FPath, std::ios::binary);
        if (old) {
            std::ostringstream text;
            text << old.rdbuf();
            FOld = text.str();
            FHadOld = true;
        }
        old.close();
        Write(content);
    }
    ~HistoryIni() {
        if (FHadOld)
            Write(FOld);
        else
            DeleteFileA(FPath.c_str());
    }
    HistoryIni(const HistoryIni&) = delete;
    HistoryIni& operator=(const HistoryIni&) = delete;

private:
    void Write(const std::string& content) const {
        std::ofstream file(FPath, std::ios::binary | std::ios::trunc);
        file << content;
    }
    std::string FPath;
    std::string FOld;
    bool FHadOld = false;
};

// Ini lines joined with CR LF.
inline std::string IniText(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// ---- Message pumping

// A message posted to a window of the caller's thread before a scan, as a
// click on a Stop button would be: tells whether the scan dispatched it, and
// asks for a stop when it is dispatched.
class PumpProbe {
public:
    explicit PumpProbe(const ScanRecorder& reports) : FReports(reports) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "HolvanePumpProbe";
        RegisterClassA(&windowClass);
        FWindow = CreateWindowExA(0, "HolvanePumpProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
        EXPECT_NE(FWindow, nullptr);
        SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        PostMessageA(FWindow, WM_APP, 0, 0);
    }
    ~PumpProbe() { DestroyWindow(FWindow); }
    PumpProbe(const PumpProbe&) = delete;
    PumpProbe& operator=(const PumpProbe&) = delete;

    // Whether a scan dispatched the message, and how many reports had been
    // made by then.
    bool DispatchedDuringScan() const { return FDispatchedDuringScan; }
    size_t ReportsAtDispatch() const { return FReportsAtDispatch; }
    // Takes the message out of the queue if no one dispatched it.
    bool StillQueued() const {
        MSG msg;
        return PeekMessageA(&msg, FWindow, WM_APP, WM_APP, PM_REMOVE) != 0;
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* probe = reinterpret_cast<PumpProbe*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message != WM_APP || !probe) return DefWindowProcA(window, message, wParam, lParam);
        if (TrkGetStatus() & StatusScanning) {
            probe->FDispatchedDuringScan = true;
            probe->FReportsAtDispatch = probe->FReports.All().size();
            TrkStopScan();
        }
        return 0;
    }

    const ScanRecorder& FReports;
    HWND FWindow = nullptr;
    bool FDispatchedDuringScan = false;
    size_t FReportsAtDispatch = 0;
};

// ---- Positions for the progress rule

// The names of a key's values or subkeys, in the order the registry
// enumerates them (a name that doesn't enumerate is empty).
inline std::vector<std::string> NamesOf(HKEY root, const std::string& subkey, bool subkeys) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD size = sizeof name;
        LONG result =
            subkeys ? RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr)
                    : RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS || result == ERROR_INVALID_HANDLE) break;
        names.emplace_back(result == ERROR_SUCCESS ? name : "");
    }
    RegCloseKey(key);
    return names;
}

inline uint32_t IndexOfName(const std::vector<std::string>& names, const std::string& name,
                            uint32_t* count) {
    *count = static_cast<uint32_t>(names.size());
    auto found = std::find(names.begin(), names.end(), name);
    EXPECT_NE(found, names.end()) << name;
    return static_cast<uint32_t>(found - names.begin());
}

// The index of a value among all values of a key, and the key's value count.
inline uint32_t ValueIndexOf(HKEY root, const std::string& subkey, const std::string& name,
                             uint32_t* count) {
    return IndexOfName(NamesOf(root, subkey, false), name, count);
}

// The same for a subkey among the subkeys of a key.
inline uint32_t SubkeyIndexOf(HKEY root, const std::string& subkey, const std::string& name,
                              uint32_t* count) {
    return IndexOfName(NamesOf(root, subkey, true), name, count);
}

inline uint32_t SubkeyCountOf(HKEY root, const std::string& subkey) {
    return static_cast<uint32_t>(NamesOf(root, subkey, true).size());
}

// The percent a scanner gives the subkey name of HKEY_CLASSES_ROOT\parent
// (null: the root itself): its enumeration index and the subkey count, put
// through the rule.
inline double PercentOf(const char* parent, const std::string& name,
                        double (*rule)(uint32_t, uint32_t)) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, parent, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    double percent = -1;
    for (DWORD index = 0; index < count; ++index) {
        char found[RegNameSize];
        DWORD length = RegNameSize;
        if (RegEnumKeyExA(key, index, found, &length, nullptr, nullptr, nullptr, nullptr) ==
                ERROR_SUCCESS &&
            CompareNoCase(found, name.c_str()) == 0) {
            percent = rule(index, count);
            break;
        }
    }
    RegCloseKey(key);
    return percent;
}
