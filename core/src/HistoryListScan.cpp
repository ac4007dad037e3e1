// HistoryListScan.cpp - the history-list category: clears the most-recently-
// used lists that "HistoryConfig.ini" beside the host program names, one
// section per application, and reports one entry per application.
//
// This scan changes the registry during TrkScan itself: the values are
// deleted without a rescue item. Its reports carry reason 0, so a caller never
// lists them as found.
#include "HistoryListScan.h"

#include <string>

#include "Engine.h"
#include "FileUtil.h"
#include "Registry.h"
#include "Scanners.h"

namespace {

const char kTitle[] = "HistoryList";
const ScanEntryCode kCode = ScanEntryCode{ScanHistoryLists} | EntryKindValue;

// Line names are "REG" and at most four digits.
const int kMaxLines = 9999;

// The predefined key of a whole hive name, or 0. "HKEY_CURRENT_USER\x" is no
// hive name, though it begins with one.
HKEY HiveOfName(const std::string& name) {
    HKEY root = SplitRootKey(name.c_str(), nullptr);
    return root && CompareNoCase(RootKeyName(root), name.c_str()) == 0 ? root : nullptr;
}

// Clears the key that line "REG<number>" of the section names, and keeps its
// path for the section's report. A line without a bar is passed over; so is
// one with an empty subkey, which would name the hive itself, and one longer
// than the 519 characters a line may have, which must not be cut to some
// other key's path.
void ClearListedKey(const std::string& section, int number, const std::string& iniPath,
                    std::string* lastKeyPath) {
    std::string lineName = "REG" + std::to_string(number);
    std::string line = ReadProfileString(section.c_str(), lineName.c_str(), "", iniPath.c_str());
    size_t bar = line.find('|');
    if (bar == std::string::npos || line.size() > RegNameSize - 1) return;
    std::string hive = line.substr(0, bar);
    std::string subkey = line.substr(bar + 1);
    if (subkey.empty()) return;
    *lastKeyPath = hive + "\\" + subkey;
    ClearHistoryKey(HiveOfName(hive), subkey.c_str());
}

// The number of key lines of a section; none for a missing, zero or negative
// count, and no more than line names can be built for.
int ListedLineCount(const std::string& section, const std::string& iniPath) {
    int count = static_cast<int>(
        GetPrivateProfileIntA(section.c_str(), "REGItemCount", 0, iniPath.c_str()));
    if (count < 0) return 0;
    return count > kMaxLines ? kMaxLines : count;
}

}  // namespace

LONG ClearHistoryKey(HKEY root, const char* subkey) {
    if (!root) return ERROR_INVALID_HANDLE;
    RegKey key;
    if (LONG error = key.Open(root, subkey)) return error;
    KeyInfo info;
    if (LONG error = QueryKeyInfo(key.Get(), nullptr, &info)) return error;
    // From the last index down, so that the indexes still to come stay valid
    // while values go.
    LONG result = ERROR_SUCCESS;
    for (DWORD index = info.valueCount; index > 0 && !StopRequested(); --index) {
        char name[RegNameSize];
        DWORD nameSize = RegNameSize;
        result = RegEnumValueA(key.Get(), index - 1, name, &nameSize, nullptr, nullptr, nullptr,
                               nullptr);
        if (result == ERROR_SUCCESS) RegDeleteValueA(key.Get(), name);
    }
    return result;
}

DWORD ScanHistoryListKeys() {
    const std::string& iniPath = g_engine.historyConfigPath;
    if (!FileExists(iniPath.c_str(), false)) return ERROR_FILE_NOT_FOUND;
    std::vector<std::string> sections = ReadSectionNames(iniPath.c_str());
    std::string lastKeyPath;
    for (size_t k = 0; k < sections.size() && !StopRequested(); ++k) {
        const std::string& section = sections[k];
        double percent =
            ProgressPercent(static_cast<uint32_t>(k), static_cast<uint32_t>(sections.size()));
        int lines = ListedLineCount(section, iniPath);
        if (lines == 0) {
            ReportEntry(kTitle, lastKeyPath.c_str(), nullptr, nullptr, kCode, percent, 0);
            continue;
        }
        for (int number = 1; number <= lines && !StopRequested(); ++number)
            ClearListedKey(section, number, iniPath, &lastKeyPath);
        // Kept in the result list, yet with reason 0: never listed as found.
        ReportEntry(kTitle, lastKeyPath.c_str(), nullptr, nullptr, kCode, percent, 1);
        PumpMessages();
    }
    return ERROR_SUCCESS;
}
