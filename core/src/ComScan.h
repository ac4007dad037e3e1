// ComScan.h - the three walks of the COM category over HKEY_CLASSES_ROOT
// (classes, type libraries, interfaces) and the frame they share.
#pragma once

#include <string>

#include "SubkeyWalk.h"

// Opens HKEY_CLASSES_ROOT\rootName and calls visit(key, name, percent) for
// each of its subkeys, the percent running over the subkeys as read before
// the loop. A root key that can't be opened or read ends the scan with its
// error, as does a non-zero result of visit.
template <class Visit>
LONG ForEachComKey(const char* rootName, Visit&& visit) {
    RegKey root;
    if (LONG error = root.Open(HKEY_CLASSES_ROOT, rootName)) return error;
    KeyInfo info;
    if (LONG error = QueryKeyInfo(root.Get(), nullptr, &info)) return error;
    return ForEachSubkey(
        root.Get(), info.subkeyCount, [&](RegKey& key, const char* name, DWORD index) -> LONG {
            return visit(key.Get(), name, ProgressPercent(index, info.subkeyCount));
        });
}

// Reports one COM key entry: the category bit and the key kind go with the
// reason; there is never a value name.
inline void ReportComKey(const std::string& title, const std::string& keyPath, const char* target,
                         uint32_t reason, double percent, bool invalid) {
    constexpr uint32_t kComKey = uint32_t{ScanCOM} | uint32_t{EntryKindKey};
    ReportEntry(title.c_str(), keyPath.c_str(), nullptr, target, kComKey | reason, percent,
                invalid);
}

// Each returns 0 or the error that ended it early.
DWORD ScanClsidKeys();
DWORD ScanTypeLibKeys();
DWORD ScanInterfaceKeys();
