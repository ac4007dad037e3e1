// RescueRecords.h - records on their way into a rescue file (the layout is in
// RescueFile.h).
//
//   RecordBody     one record after its cbKeyItem field, built in memory
//   RecordWriter   appends records to one open file a piece at a time, then
//                  the header's counter; only whole records stay in the file
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// cbPath, the key path and its zero, then the entries.
class RecordBody {
public:
    explicit RecordBody(const char* keyPath);

    // Returns false when the entry's size does not fit the format's fields.
    bool AddEntry(const char* name, uint32_t type, const BYTE* data, DWORD size);
    // The one entry of a key without values; not counted.
    void AddEmptyKeyEntry();

    const std::string& Bytes() const { return FBytes; }
    uint32_t EntryCount() const { return FEntryCount; }

private:
    std::string FBytes;
    uint32_t FEntryCount = 0;
};

// The records appended to one open file by one batch: placed where the
// layout puts them (behind the file's old end, or behind the header),
// gathered and written a piece at a time; the header with the counter is
// written once at the end, then the file is flushed. A write that fails
// keeps the records that reached the file whole and takes the rest back
// out, so no half record stands at the end.
class RecordWriter {
public:
    // Starts over on file, opened in mode (RescueCreateNew or RescueAppend).
    DWORD Begin(HANDLE file, int mode);
    // Returns 0 or the error of writing a full piece; after an error every
    // Add returns it and adds nothing.
    DWORD Add(const RecordBody& body);
    // Writes what is pending and, when a record of this batch is in the file,
    // the header; flushes. Returns 0 or the first error.
    DWORD Finish();

private:
    DWORD WritePending();

    HANDLE FFile = nullptr;
    uint64_t FOldSize = 0;
    uint32_t FCounter = 0;
    bool FHadCounter = false;
    uint64_t FFirst = 0;  // where this batch's first record goes
    uint64_t FAt = 0;     // where the pending bytes go
    std::string FPending;
    std::vector<size_t> FEnds;  // end of each pending record within FPending
    uint32_t FOnDisk = 0;       // records of this batch written whole
    DWORD FError = 0;
};
