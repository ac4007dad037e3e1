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
    // when there is no known root or the registry refused it.
    HKEY KeyFor(const std::string& path) {
        if (FOpen && CompareNoCase(path.c_str(), FPath.c_str()) == 0) return FKey.Get();
        FKey = NamedKey();
        FOpen = FKey.Open(path.c_str(), true) == ERROR_SUCCESS;
        FPath = path;
        return FOpen ? FKey.Get() : nullptr;
    }

private:
    NamedKey FKey;
    std::string FPath;
    bool FOpen = false;
};

// Writes one record's values back when its key is selected. Returns false
// when the record was damaged (part of it could not be read).
bool RestoreRecord(const char* record, size_t size, const char* prefix, int prefixMode,
                   RestoreTarget& target) {
    RecordCursor cursor(record, size);
    uint32_t entryCount = cursor.U32();
    uint32_t pathLength = cursor.U32();
    if (pathLength >= RegNameSize || pathLength + 1ull > cursor.Left()) return false;
    const char* pathBytes = cursor.Take(pathLength + 1);
    if (!IsWholeText(pathBytes, pathLength)) return false;
    std::string path(pathBytes, pathLength);
    if (!IsSelected(path, prefix, prefixMode)) return true;

    // A key that can't be created is skipped, as the registry refused it.
    HKEY key = target.KeyFor(path);
    if (!key) return true;
    bool intact = true;
    for (uint32_t index = 0; index < entryCount; ++index) {
        ValueEntry entry;
        EntryRead read = ReadEntry(cursor, &entry);
        if (read == EntryRead::Broken) return false;
        if (read == EntryRead::Unreadable) {
            intact = false;
            continue;
        }
        RegSetValueExA(key, entry.name, 0, entry.type, entry.size ? entry.data : kNoData,
                       entry.size);
    }
    return intact;
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
    bool intact = true;
    PacedPump pump;
    for (uint64_t at = RescueHeaderSize; at < size;) {
        pump.Step();
        uint32_t cbKeyItem = 0;
        const char* head = reader.Bytes(at, 4);
        if (head) memcpy(&cbKeyItem, head, 4);
        // A record too short for its own fields, or running past the end of
        // the file, leaves nothing after it that could be found.
        if (!head || cbKeyItem < MinRecordSize || at + 4 + cbKeyItem > size) {
            intact = false;
            break;
        }
        try {
            const char* record = reader.Bytes(at + 4, cbKeyItem);
            if (!record || !RestoreRecord(record, cbKeyItem, keyPrefix, prefixMode, target))
                intact = false;
        } catch (const std::bad_alloc&) {
            intact = false;
        }
        at += 4 + static_cast<uint64_t>(cbKeyItem);
    }
    return intact ? ERROR_SUCCESS : ERROR_INVALID_DATA;
}
