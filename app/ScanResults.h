// ScanResults.h - the results of the current scan: the program's own copy of
// every invalid entry the core library reported, each together with the row
// of the results list that shows it.
//
//   TScanItem        one row of the results list
//   TFoundEntry      one entry's copy and its row, owned together
//   TScanResults     the entries of the current scan in report order
//   RegistryStillHolds   whether an entry is still in the registry
//
// Row i of the results tree is entry i of TScanResults by construction: an
// entry is added with its row or not at all, and the two go together. The
// copies are what the window hands the core library for a backup or a repair,
// so they stay where they are (and unchanged) until the results are cleared.
#pragma once

#include <tresk.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One row of the results list: the texts the tree shows for its entry.
struct TScanItem {
    int32_t Kind = 0;
    std::string Path;
    std::string Title;
    std::string EntryName;
    std::string Target;
    std::string Description;
};

// A reported entry copied with texts of its own (an empty or absent text
// stays absent), and the row that shows it. Neither copyable nor movable: the
// core library is handed the address of the copy.
class TFoundEntry {
public:
    TFoundEntry(const ScanEntry& reported, int32_t id, TScanItem row, std::string text);
    TFoundEntry(const TFoundEntry&) = delete;
    TFoundEntry& operator=(const TFoundEntry&) = delete;

    // The copy, as the core library reads it (its next link is never set).
    const ScanEntry& Entry() const { return FEntry; }
    ScanEntry* EntryForCore() { return &FEntry; }
    const TScanItem& Row() const { return FRow; }
    // The row's text in the results list.
    const std::string& Text() const { return FText; }

private:
    std::string FTitle;
    std::string FTarget;
    std::string FKeyPath;
    std::string FEntryName;
    ScanEntry FEntry{};
    TScanItem FRow;
    std::string FText;
};

class TScanResults {
public:
    int Count() const { return static_cast<int>(FEntries.size()); }
    TFoundEntry& At(int index) const { return *FEntries.at(static_cast<size_t>(index)); }

    // Copies reported with the row that shows it; the copy takes the next
    // running number as its id. Either both are added or, on an error,
    // neither.
    TFoundEntry& Add(const ScanEntry& reported, TScanItem row, std::string text);
    // Frees every entry with its row; the running numbers go on.
    void Clear() { FEntries.clear(); }

    // The id the next copy gets: counted from 0 for the life of the results,
    // not per scan.
    int32_t NextId() const { return FNextId; }

private:
    std::vector<std::unique_ptr<TFoundEntry>> FEntries;
    int32_t FNextId = 0;
};

// Whether the registry still holds the entry: a key entry's key, or a value
// entry's value (the key's default value for an entry without a name). Only
// an entry the registry answers "not found" for is gone; one that cannot be
// looked at (access denied, a path with no known root, a kind that is neither
// value nor key) counts as still there.
bool RegistryStillHolds(const ScanEntry& entry);
