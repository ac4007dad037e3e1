// ScanFixtures.h - fixtures for the category scans: entries of the test's own
// in the fixed registry areas the scans look at, files in the fixed folders,
// keys made unreadable for a while, a recorder of the reports, and a probe
// that tells whether a scan dispatched the caller's messages.
#pragma once

#include <windows.h>
// The security descriptor texts need the platform's types first.
#include <sddl.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "Engine.h"
#include "RegAreas.h"
#include "RegFixture.h"

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

inline std::vector<Report> g_reports;
// Runs inside the entry callback, as the caller's handler would.
inline std::function<void(const Report&)> g_onReport;

inline int WINAPI RecordReport(ScanEntry* entry, double percent) {
    auto text = [](const char* t) { return std::string(t ? t : ""); };
    g_reports.push_back({entry->code, text(entry->title), text(entry->keyPath),
                         text(entry->entryName), text(entry->target), entry->title != nullptr,
                         entry->entryName != nullptr, entry->target != nullptr, percent});
    if (g_onReport) g_onReport(g_reports.back());
    return 0;
}

inline bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// The reports whose key path begins with keyPath, in order.
inline std::vector<Report> ReportsUnder(const std::string& keyPath) {
    std::vector<Report> found;
    for (const Report& report : g_reports)
        if (StartsWith(report.keyPath, keyPath)) found.push_back(report);
    return found;
}

// The reports of key keyPath whose value name begins with namePrefix.
inline std::vector<Report> ValueReports(const std::string& keyPath, const std::string& namePrefix) {
    std::vector<Report> found;
    for (const Report& report : g_reports)
        if (report.keyPath == keyPath && StartsWith(report.entryName, namePrefix))
            found.push_back(report);
    return found;
}

// The one report of keyPath and entryName (empty: none), or null.
inline const Report* FindReport(const std::string& keyPath, const std::string& entryName) {
    const Report* found = nullptr;
    for (const Report& report : g_reports) {
        if (report.keyPath != keyPath || report.entryName != entryName) continue;
        EXPECT_EQ(found, nullptr) << "reported twice: " << keyPath << " " << entryName;
        found = &report;
    }
    return found;
}

// The engine's kept (invalid) entries whose key path begins with keyPath.
inline size_t KeptResultsUnder(const std::string& keyPath) {
    size_t count = 0;
    for (ScanEntry* entry = g_engine.results.head; entry; entry = entry->next)
        if (entry->keyPath && StartsWith(entry->keyPath, keyPath)) ++count;
    return count;
}

// Every test starts with an empty log and the recorder registered.
class ScanTest : public testing::Test {
protected:
    void SetUp() override {
        g_reports.clear();
        g_onReport = nullptr;
        TrkSetMonitor(RecordReport, nullptr, nullptr);
    }
    void TearDown() override {
        TrkSetMonitor(nullptr, nullptr, nullptr);
        g_onReport = nullptr;
    }
};

// Makes a key unopenable for full access until the fixture goes, as it is
// for a user without administrator rights. The key is made when missing (and
// removed again by the RegArea that the test keeps for it).
class DeniedKey {
public:
    explicit DeniedKey(const RegArea& area) {
        FKey = CreateKeyForTest(area.Root(), area.Subkey());
        DWORD size = 0;
        RegGetKeySecurity(FKey, DACL_SECURITY_INFORMATION, nullptr, &size);
        FSaved.resize(size);
        EXPECT_EQ(RegGetKeySecurity(FKey, DACL_SECURITY_INFORMATION, FSaved.data(), &size),
                  ERROR_SUCCESS);
        PSECURITY_DESCRIPTOR denied = nullptr;
        EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
            "D:(D;;KA;;;WD)(A;;KR;;;WD)", SDDL_REVISION_1, &denied, nullptr));
        EXPECT_EQ(RegSetKeySecurity(FKey, DACL_SECURITY_INFORMATION, denied), ERROR_SUCCESS);
        LocalFree(denied);
        HKEY probe = nullptr;
        EXPECT_EQ(RegOpenKeyExA(area.Root(), area.Subkey().c_str(), 0, KEY_ALL_ACCESS, &probe),
                  ERROR_ACCESS_DENIED);
        if (probe) RegCloseKey(probe);
    }
    // The handle was opened before the denial, so it may still put the old
    // access list back.
    ~DeniedKey() {
        RegSetKeySecurity(FKey, DACL_SECURITY_INFORMATION, FSaved.data());
        RegCloseKey(FKey);
    }
    DeniedKey(const DeniedKey&) = delete;
    DeniedKey& operator=(const DeniedKey&) = delete;

private:
    HKEY FKey = nullptr;
    std::vector<BYTE> FSaved;
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
    PumpProbe() {
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
            probe->FReportsAtDispatch = g_reports.size();
            TrkStopScan();
        }
        return 0;
    }

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
