// RescueRestore.cpp - the records of a rescue file written back into the
// registry, all of them or those of the keys a prefix selects.
#include <cstring>
#include <new>
#include <string>

#include "FileUtil.h"
#include "Registry.h"
#include "RescueFile.h"
#include "RescueFileIO.h"
#include "RescueReader.h"

namespace {

// Where a value has no data: the registry wants a buffer all the same.
const BYTE kNoData[1] = {0};

bool IsSelected(const std::string& path, const char* prefix, int prefixMode) {
    if (!prefix) return true;
    size_t length = strlen(prefix);
    if (prefixMode == 0) return CompareNoCase(path.c_str(), prefix) == 0;
    return path.size() > length && CompareNoCaseN(path.c_str(), prefix, length) == 0 &&
           path[length] == '\\';
}

// The key the last restored record was written to, kept open for the next
// record when that names the same key: the backup of single values of one
// key gives a record for each of them.
class RestoreTarget {
public:
    // The open key for the path (created with its missing parents), or null
    // with the registry's refusal in *error (87 for a path with no known root).
    HKEY KeyFor(const std::string& path, LONG* error) {
        *error = ERROR_SUCCESS;
        if (FOpen && CompareNoCase(path.c_str(), FPath.c_str()) == 0) return FKey.Get();
        FKey = NamedKey();
        *error = FKey.Open(path.c_str(), true);
        FOpen = *error == ERROR_SUCCESS;
        FPath = path;
        return FOpen ? FKey.Get() : nullptr;
    }

private:
    NamedKey FKey;
    std::string FPath;
    bool FOpen = false;
};

// The first failure of a restore, which is its result: a restore that left
// out part of its records is not a restore of the item.
class RestoreOutcome {
public:
    void Failed(DWORD error) {
        if (FError == ERROR_SUCCESS) FError = error ? error : ERROR_INVALID_DATA;
    }
    DWORD Error() const { return FError; }

private:
    DWORD FError = ERROR_SUCCESS;
};

// Writes one record's values back when its key is selected: a damaged record
// (part of it could not be read) fails with 13, a key or value the registry
// refused with the registry's error; what the registry takes is written all
// the same.
void RestoreRecord(const char* record, size_t size, const char* prefix, int prefixMode,
                   RestoreTarget& target, RestoreOutcome& outcome) {
    RecordCursor cursor(record, size);
    uint32_t entryCount = cursor.U32();
    uint32_t pathLength = cursor.U32();
    if (pathLength >= RegNameSize || pathLength + 1ull > cursor.Left())
        return outcome.Failed(ERROR_INVALID_DATA);
    const char* pathBytes = cursor.Take(pathLength + 1);
    if (!IsWholeText(pathBytes, pathLength)) return outcome.Failed(ERROR_INVALID_DATA);
    std::string path(pathBytes, pathLength);
    if (!IsSelected(path, prefix, prefixMode)) return;

    LONG refused = ERROR_SUCCESS;
    HKEY key = target.KeyFor(path, &refused);
    if (!key) return outcome.Failed(static_cast<DWORD>(refused));
    for (uint32_t index = 0; index < entryCount; ++index) {
        ValueEntry entry;
        EntryRead read = ReadEntry(cursor, &entry);
        if (read == EntryRead::Broken) return outcome.Failed(ERROR_INVALID_DATA);
        if (read == EntryRead::Unreadable) {
            outcome.Failed(ERROR_INVALID_DATA);
            continue;
        }
        const LONG set = RegSetValueExA(key, entry.name, 0, entry.type,
                                        entry.size ? entry.data : kNoData, entry.size);
        if (set != ERROR_SUCCESS) outcome.Failed(static_cast<DWORD>(set));
    }
}

}  // namespace

DWORD RestoreRescueFile(const char* keyPrefix, const char* fileName, int prefixMode) {
    if (!fileName || !*fileName) return ERROR_INVALID_PARAMETER;
    // Read only: restoring never changes the file, which may be read-only.
    FileHandle file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastErrorOr(ERROR_OPEN_FAILED);
    uint64_t size = 0;
    if (!FileSize(file.Get(), &size)) return LastErrorOr(ERROR_READ_FAULT);
    if (size < RescueHeaderSize) return ERROR_INVALID_DATA;

    PieceReader reader(file.Get(), size);
    RestoreTarget target;
    RestoreOutcome outcome;
    PacedPump pump;
    for (uint64_t at = RescueHeaderSize; at < size;) {
        pump.Step();
        uint32_t cbKeyItem = 0;
        const char* head = reader.Bytes(at, 4);
        if (head) memcpy(&cbKeyItem, head, 4);
        // A record too short for its own fields, or running past the end of
        // the file, leaves nothing after it that could be found.
        if (!head || cbKeyItem < MinRecordSize || at + 4 + cbKeyItem > size) {
            outcome.Failed(ERROR_INVALID_DATA);
            break;
        }
        try {
            const char* record = reader.Bytes(at + 4, cbKeyItem);
            if (record)
                RestoreRecord(record, cbKeyItem, keyPrefix, prefixMode, target, outcome);
            else
                outcome.Failed(ERROR_INVALID_DATA);
        } catch (const std::bad_alloc&) {
            outcome.Failed(ERROR_NOT_ENOUGH_MEMORY);
        }
        at += 4 + static_cast<uint64_t>(cbKeyItem);
    }
    return outcome.Error();
}
