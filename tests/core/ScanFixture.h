// ScanFixture.h - what the category scanner tests share: a recorder of the
// entries a scan reports, keys below HKEY_CLASSES_ROOT made for one test and
// removed with it, and the enumeration index a percent is computed from.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Engine.h"
#include "RegAreas.h"
#include "RegFixture.h"
#include "Registry.h"

struct SeenEntry {
    uint32_t code;
    std::string title, keyPath, target;
    bool hasTarget, hasEntryName;
    double percent;
};

// Records every entry reported while it lives; onEach (when set) runs after
// an entry is recorded, inside the callback.
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

    std::function<void(const SeenEntry&)> onEach;

    const std::vector<SeenEntry>& All() const { return FSeen; }
    // The entries whose key path is path or lies below it, in report order.
    std::vector<SeenEntry> Below(const std::string& path) const {
        std::vector<SeenEntry> found;
        for (const SeenEntry& seen : FSeen)
            if (seen.keyPath == path || seen.keyPath.rfind(path + "\\", 0) == 0)
                found.push_back(seen);
        return found;
    }

private:
    static int WINAPI Record(ScanEntry* entry, double percent) {
        auto text = [](const char* t) { return std::string(t ? t : ""); };
        FCurrent->FSeen.push_back({entry->code, text(entry->title), text(entry->keyPath),
                                   text(entry->target), entry->target != nullptr,
                                   entry->entryName != nullptr, percent});
        if (FCurrent->onEach) FCurrent->onEach(FCurrent->FSeen.back());
        return 0;
    }
    static inline ScanRecorder* FCurrent = nullptr;
    std::vector<SeenEntry> FSeen;
};

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

// What a test expects of one reported entry; an empty target means none.
struct ExpectedEntry {
    std::string keyPath;
    uint32_t code;
    std::string target;
};

// The entries must be exactly these, in this order, each with the title and
// percent given and without a value name.
inline void ExpectEntries(const std::vector<SeenEntry>& seen,
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

// The engine is set up once per test process, as loading the library would.
class ScanEngineEnvironment : public testing::Environment {
public:
    void SetUp() override { InitEngine(); }
    void TearDown() override { ShutdownEngine(); }
};
inline const testing::Environment* const kScanEngine =
    testing::AddGlobalTestEnvironment(new ScanEngineEnvironment);
