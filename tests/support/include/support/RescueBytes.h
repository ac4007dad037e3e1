// RescueBytes.h - rescue files as the tests and the benchmarks see them:
// built byte by byte from the layout, and parsed back, independently of the
// engine's own code.
//
//   Le32, ReadLe32                  a little-endian 32-bit field
//   EntryBytes, EmptyKeyEntryBytes  one value entry
//   RecordBytes                     one record of a key and its entries
//   HeaderBytes, FileBytes          the header, and a whole file of records
//   ParseRecords, RecordPaths       the records of a well-formed file
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

std::string Le32(uint32_t value);
// The field at offset at; 0 when it runs past the end.
uint32_t ReadLe32(const std::string& bytes, size_t at);

// One value entry: cbEntry, cbEntryName, type, cbData, name and zero, data.
std::string EntryBytes(const std::string& name, uint32_t type, const std::string& data);
// The entry that stands for a key without values: {12, 0, 0, 0}.
std::string EmptyKeyEntryBytes();

// One record; count is the dwEntryItemsCount written (the entries given are
// counted unless told otherwise).
std::string RecordBytes(const std::string& path, const std::vector<std::string>& entries,
                        int64_t count = -1);

std::string HeaderBytes(uint32_t counter);
// The header counting the records, then the records.
std::string FileBytes(const std::vector<std::string>& records);

struct ParsedEntry {
    std::string name;
    uint32_t type;
    std::string data;
};

struct ParsedRecord {
    size_t offset;
    std::string path;
    uint32_t count;
    std::vector<ParsedEntry> entries;
};

// The records of a well-formed rescue file, in file order; parsing stops at
// the first record that does not fit.
std::vector<ParsedRecord> ParseRecords(const std::string& file);
std::vector<std::string> RecordPaths(const std::string& file);
