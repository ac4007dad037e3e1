// RescueFile.h - the rescue file: registry keys and values saved before they
// are deleted, and written back from it later.
//
//   RescueFileBatch                 one open file for many writers (RescueBatch.cpp)
//   WriteKeyRecord, BackupKeyTree,
//   BackupValue                     the writers (RescueBackup.cpp)
//   RestoreRescueFile               the records written back (RescueRestore.cpp)
//   IsRescueFileOrEmpty             the file's head (RescueReader.cpp)
// Underneath: the records on their way out (RescueRecords.h), read back
// (RescueReader.h), and the file's positioned reads and writes
// (RescueFileIO.h).
//
// Layout (little-endian, every number an unsigned 32-bit integer):
//   header:  magic 0xFFFFE55E, number of records appended so far
//   record:  cbKeyItem (bytes of the record after this field),
//            dwEntryItemsCount, cbPath, key path and its zero, entries
//   entry:   cbEntry (bytes after this field), cbEntryName (0: the default
//            value), dwDataType, cbData, name and its zero (when it has one),
//            data
// A key without values gets one empty entry {12, 0, 0, 0} that is not counted.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr uint32_t RescueMagic = 0xFFFFE55E;
constexpr DWORD RescueHeaderSize = 8;

// How a writer opens its file.
enum RescueOpenMode : int {
    RescueCreateNew = 1,  // emptied; the record goes right behind the header
    RescueAppend = 2,     // created when missing; the record goes at its end
};

// What one backup call saved, beyond its result: whether the entry is wholly
// in the file, and whether the rescue file itself failed (could not be
// opened or written). An entry that is not wholly saved must not be deleted.
struct BackupOutcome {
    bool saved = false;
    DWORD fileError = 0;
};

// While the one made first is alive, every writer below appends its records
// to the file that batch names, whatever file name the writer is given; a
// writer called with no batch alive makes one of its own for the call. The
// records are gathered in memory and written in pieces of a fixed size, the
// header's counter once, and the file is flushed once, when the batch that
// opened it finishes. Only whole records stay in the file: when a write
// fails, what did not reach the file whole is taken back out.
class RescueFileBatch {
public:
    RescueFileBatch(const char* fileName, int mode);
    ~RescueFileBatch();  // finishes, when Finish was not called
    RescueFileBatch(const RescueFileBatch&) = delete;
    RescueFileBatch& operator=(const RescueFileBatch&) = delete;

    // Writes what is gathered and the header, and flushes the file (only the
    // batch that opened it does). Returns 0 or the first error of opening or
    // writing the file; until it returns 0, no record is known to be on disk.
    DWORD Finish();

private:
    bool FOwner = false;
};

// Appends one record: the key (named by keyPath, open as key) with all its
// values. Returns 0, 87 for missing arguments or a mode other than 1 or 2, or
// the error of writing the file (the file is then left as it was). *complete
// is cleared when a value could not be read and is missing from the record.
DWORD WriteKeyRecord(const char* keyPath, HKEY key, HANDLE file, int mode,
                     bool* complete = nullptr);

// Saves a key and, with recurse, its whole subtree, depth first, into the
// named file. Nested calls share the open file of the outermost call.
DWORD BackupKeyTree(const char* keyPath, const char* fileName, int mode, bool recurse,
                    BackupOutcome* outcome = nullptr);

// Saves one value (null name: the key's default value) as a record of its own.
DWORD BackupValue(const char* keyPath, const char* valueName, const char* fileName, int mode,
                  BackupOutcome* outcome = nullptr);

// Writes the records of a rescue file back into the registry. No prefix:
// every record. With a prefix, prefixMode non-zero selects the keys below the
// prefix key, 0 the prefix key itself. Every record is read and what the
// registry takes is written; 0 only when every selected key and value was.
// Else the first failure: 87 without a file name, 13 for a file shorter than
// the header or with damage the reader had to pass over, the error of opening
// the file, or the registry's error for a key it would not open or create
// (87 for a path with no known root) or a value it would not set.
DWORD RestoreRescueFile(const char* keyPrefix, const char* fileName, int prefixMode);

// Whether the file is empty or begins with the rescue magic: the only files
// the engine deletes when it removes a rescue item.
bool IsRescueFileOrEmpty(const char* fileName);
