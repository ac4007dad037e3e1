// RescueFile.cpp - the writers that save keys and values into a rescue file
// and the reader that writes them back.
#include "RescueFile.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "FileUtil.h"
#include "Registry.h"

namespace {

// A key named by a full path, opened for full access. A path with nothing
// after the root name stands for the root key itself, used as it is and never
// closed; any other path names its own key, however short its name.
class NamedKey {
public:
    LONG Open(const char* path, bool create) {
        std::string rest;
        HKEY root = SplitRootKey(path, &rest);
        if (!root) return ERROR_INVALID_PARAMETER;
        if (rest.empty()) {
            FRoot = root;
            return ERROR_SUCCESS;
        }
        return create ? FOwned.Create(root, rest.c_str()) : FOwned.Open(root, rest.c_str());
    }
    HKEY Get() const { return FRoot ? FRoot : FOwned.Get(); }

private:
    HKEY FRoot = nullptr;
    RegKey FOwned;
};

DWORD LastErrorOr(DWORD fallback) {
    DWORD error = GetLastError();
    return error ? error : fallback;
}

void MarkIncomplete(bool* complete) {
    if (complete) *complete = false;
}

bool FileSize(HANDLE file, uint64_t* size) {
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file, &length)) return false;
    *size = static_cast<uint64_t>(length.QuadPart);
    return true;
}

bool Seek(HANDLE file, uint64_t offset) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != 0;
}

DWORD WriteAt(HANDLE file, uint64_t offset, const void* data, size_t size) {
    if (!Seek(file, offset)) return LastErrorOr(ERROR_WRITE_FAULT);
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr))
            return LastErrorOr(ERROR_WRITE_FAULT);
        if (written == 0) return ERROR_HANDLE_DISK_FULL;
        bytes += written;
        size -= written;
    }
    return ERROR_SUCCESS;
}

DWORD WriteU32At(HANDLE file, uint64_t offset, uint32_t value) {
    return WriteAt(file, offset, &value, sizeof value);
}

// Reads up to size bytes at offset; returns how many were read.
size_t ReadAt(HANDLE file, uint64_t offset, void* data, size_t size) {
    if (!Seek(file, offset)) return 0;
    char* bytes = static_cast<char*>(data);
    size_t total = 0;
    while (total < size) {
        size_t left = size - total;
        DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(file, bytes + total, chunk, &got, nullptr) || got == 0) break;
        total += got;
    }
    return total;
}

DWORD OpenRescueFile(const char* fileName, int mode, FileHandle* file) {
    if (!fileName || !*fileName) return ERROR_INVALID_PARAMETER;
    if (mode != RescueCreateNew && mode != RescueAppend) return ERROR_INVALID_PARAMETER;
    HANDLE handle = CreateFileA(
        fileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        mode == RescueCreateNew ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return LastErrorOr(ERROR_OPEN_FAILED);
    file->Reset(handle);
    return ERROR_SUCCESS;
}

// A record after its cbKeyItem field, built in memory: cbPath, the path and
// its zero, then the entries.
class RecordBody {
public:
    explicit RecordBody(const char* keyPath) {
        uint32_t length = static_cast<uint32_t>(strlen(keyPath));
        PutU32(length);
        FBytes.append(keyPath, length + 1);
    }

    // Returns false when the entry's size does not fit the format's fields.
    bool AddEntry(const char* name, uint32_t type, const std::vector<BYTE>& data, DWORD size) {
        uint32_t nameLength = name ? static_cast<uint32_t>(strlen(name)) : 0;
        uint64_t nameBytes = nameLength ? nameLength + 1ull : 0;
        uint64_t cbEntry = 12 + nameBytes + size;
        if (cbEntry > UINT32_MAX) return false;
        PutU32(static_cast<uint32_t>(cbEntry));
        PutU32(nameLength);
        PutU32(type);
        PutU32(size);
        if (nameLength) FBytes.append(name, nameLength + 1);
        FBytes.append(reinterpret_cast<const char*>(data.data()), size);
        ++FEntryCount;
        return true;
    }
    // The one entry of a key without values; not counted.
    void AddEmptyKeyEntry() {
        PutU32(12);
        PutU32(0);
        PutU32(0);
        PutU32(0);
    }

    const std::string& Bytes() const { return FBytes; }
    uint32_t EntryCount() const { return FEntryCount; }

private:
    void PutU32(uint32_t value) { FBytes.append(reinterpret_cast<const char*>(&value), 4); }

    std::string FBytes;
    uint32_t FEntryCount = 0;
};

// Appends a record: the header's counter first, then the body, and the two
// length fields last, once the body is on disk. When a write fails the file
// is put back as it was, so that no half record stands in front of a later
// one.
DWORD AppendRecord(HANDLE file, int mode, const RecordBody& body) {
    const std::string& bytes = body.Bytes();
    if (bytes.size() > UINT32_MAX - 4) return ERROR_FILE_TOO_LARGE;
    uint64_t oldSize = 0;
    if (!FileSize(file, &oldSize)) return LastErrorOr(ERROR_READ_FAULT);
    uint32_t counter = 0;
    bool hadCounter = ReadAt(file, 4, &counter, 4) == 4;
    uint64_t at = (mode == RescueAppend && oldSize > RescueHeaderSize) ? oldSize : RescueHeaderSize;

    DWORD error = WriteU32At(file, 0, RescueMagic);
    if (!error) error = WriteU32At(file, 4, (hadCounter ? counter : 0) + 1);
    if (!error) error = WriteAt(file, at + 8, bytes.data(), bytes.size());
    if (!error && !FlushFileBuffers(file)) error = LastErrorOr(ERROR_WRITE_FAULT);
    if (!error) error = WriteU32At(file, at + 4, body.EntryCount());
    if (!error) error = WriteU32At(file, at, static_cast<uint32_t>(bytes.size() + 4));
    if (!error) return ERROR_SUCCESS;

    if (hadCounter) WriteU32At(file, 4, counter);
    if (oldSize <= at && Seek(file, oldSize)) SetEndOfFile(file);
    return error;
}

// Reads one value (null or empty name: the default value) with its type.
LONG ReadValueData(HKEY key, const char* name, DWORD* type, std::vector<BYTE>* data) {
    DWORD size = 0;
    LONG error = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    // The value may grow between asking its size and reading it.
    for (int attempt = 0; error == ERROR_SUCCESS || error == ERROR_MORE_DATA; ++attempt) {
        if (attempt == 4) return ERROR_MORE_DATA;
        data->assign(size ? size : 8, 0);
        size = static_cast<DWORD>(data->size());
        error = RegQueryValueExA(key, name, nullptr, type, data->data(), &size);
        if (error == ERROR_SUCCESS) {
            data->resize(size);
            return ERROR_SUCCESS;
        }
    }
    return error;
}

// Key paths and value names pass through 520-byte buffers when read back.
bool FitsNameBuffer(const char* text) { return strlen(text) < RegNameSize; }

// ---- The tree backup's engine-wide state: one open file and the depth of
// the running BackupKeyTree calls, shared by every level of one tree.
struct TreeBackup {
    FileHandle file;
    int depth = 0;
    bool complete = true;
    DWORD fileError = 0;
};
TreeBackup g_tree;

class TreeLevel {
public:
    TreeLevel() { ++g_tree.depth; }
    ~TreeLevel() {
        if (--g_tree.depth == 0) g_tree.file.Reset();
    }
    TreeLevel(const TreeLevel&) = delete;
    TreeLevel& operator=(const TreeLevel&) = delete;
};

DWORD BackupSubkeys(HKEY key, const std::string& keyPath, const char* fileName) {
    KeyInfo info;
    if (QueryKeyInfo(key, nullptr, &info) != ERROR_SUCCESS) {
        g_tree.complete = false;
        return ERROR_SUCCESS;
    }
    for (DWORD index = 0; index < info.subkeyCount; ++index) {
        PumpMessages();
        char name[RegNameSize];
        DWORD length = RegNameSize;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            g_tree.complete = false;
            continue;
        }
        std::string path = keyPath + "\\" + name;
        if (BackupKeyTree(path.c_str(), fileName, RescueAppend, true) != ERROR_SUCCESS)
            g_tree.complete = false;
        if (g_tree.fileError) return g_tree.fileError;
    }
    return ERROR_SUCCESS;
}

DWORD BackupTreeLevel(const char* keyPath, const char* fileName, int mode, bool recurse,
                      bool outermost) {
    if (!keyPath || !*keyPath || !FitsNameBuffer(keyPath)) return ERROR_INVALID_PARAMETER;
    NamedKey key;
    // The caller's key is created when missing; a subkey found by enumeration
    // exists, and one that can no longer be opened is left out.
    if (LONG error = key.Open(keyPath, outermost)) return static_cast<DWORD>(error);
    if (!g_tree.file) {
        if (DWORD error = OpenRescueFile(fileName, mode, &g_tree.file)) {
            g_tree.fileError = error;
            return error;
        }
    }
    if (DWORD error =
            WriteKeyRecord(keyPath, key.Get(), g_tree.file.Get(), mode, &g_tree.complete)) {
        g_tree.fileError = error;
        return error;
    }
    return recurse ? BackupSubkeys(key.Get(), keyPath, fileName) : ERROR_SUCCESS;
}

// ---- Reading records back.

enum class EntryRead { Ok, Unreadable, Broken };

struct ValueEntry {
    const char* name;  // empty: the default value
    uint32_t type;
    const BYTE* data;
    uint32_t size;
};

// Walks the bytes of one record; its callers check Left() before each read.
class RecordCursor {
public:
    RecordCursor(const char* bytes, size_t size) : FAt(bytes), FEnd(bytes + size) {}

    size_t Left() const { return static_cast<size_t>(FEnd - FAt); }
    uint32_t U32() {
        uint32_t value;
        memcpy(&value, FAt, 4);
        FAt += 4;
        return value;
    }
    const char* Take(size_t size) {
        const char* at = FAt;
        FAt += size;
        return at;
    }

private:
    const char* FAt;
    const char* FEnd;
};

// A name of length bytes that must hold no zero and end with one.
bool IsWholeText(const char* text, uint32_t length) {
    return memchr(text, 0, length) == nullptr && text[length] == '\0';
}

// Reads the next entry. Broken: its sizes do not agree or run past the
// record, so nothing after it can be found. Unreadable: its extent is sound
// but its name is not, and it is stepped over.
EntryRead ReadEntry(RecordCursor& cursor, ValueEntry* entry) {
    if (cursor.Left() < 16) return EntryRead::Broken;
    uint32_t cbEntry = cursor.U32();
    uint32_t nameLength = cursor.U32();
    entry->type = cursor.U32();
    entry->size = cursor.U32();
    uint64_t nameBytes = nameLength ? nameLength + 1ull : 0;
    uint64_t rest = nameBytes + entry->size;
    if (cbEntry != 12 + rest || rest > cursor.Left()) return EntryRead::Broken;
    const char* name = cursor.Take(static_cast<size_t>(nameBytes));
    entry->data = reinterpret_cast<const BYTE*>(cursor.Take(entry->size));
    if (nameLength == 0) {
        entry->name = "";
        return EntryRead::Ok;
    }
    if (nameLength >= RegNameSize || !IsWholeText(name, nameLength)) return EntryRead::Unreadable;
    entry->name = name;
    return EntryRead::Ok;
}

// Where a value has no data: the registry wants a buffer all the same.
const BYTE kNoData[1] = {0};

bool IsSelected(const std::string& path, const char* prefix, int prefixMode) {
    if (!prefix) return true;
    size_t length = strlen(prefix);
    if (prefixMode == 0) return CompareNoCase(path.c_str(), prefix) == 0;
    return path.size() > length && CompareNoCaseN(path.c_str(), prefix, length) == 0 &&
           path[length] == '\\';
}

// Writes one record's values back when its key is selected. Returns false
// when the record was damaged (part of it could not be read).
bool RestoreRecord(const std::vector<char>& record, const char* prefix, int prefixMode) {
    RecordCursor cursor(record.data(), record.size());
    uint32_t entryCount = cursor.U32();
    uint32_t pathLength = cursor.U32();
    if (pathLength >= RegNameSize || pathLength + 1ull > cursor.Left()) return false;
    const char* pathBytes = cursor.Take(pathLength + 1);
    if (!IsWholeText(pathBytes, pathLength)) return false;
    std::string path(pathBytes, pathLength);
    if (!IsSelected(path, prefix, prefixMode)) return true;

    NamedKey key;
    // A key that can't be created is skipped, as the registry refused it.
    if (key.Open(path.c_str(), true) != ERROR_SUCCESS) return true;
    bool intact = true;
    for (uint32_t index = 0; index < entryCount; ++index) {
        ValueEntry entry;
        EntryRead read = ReadEntry(cursor, &entry);
        if (read == EntryRead::Broken) return false;
        if (read == EntryRead::Unreadable) {
            intact = false;
            continue;
        }
        RegSetValueExA(key.Get(), entry.name, 0, entry.type, entry.size ? entry.data : kNoData,
                       entry.size);
    }
    return intact;
}

// The smallest record after its cbKeyItem: entry count, cbPath, the zero.
constexpr uint32_t MinRecordSize = 9;

}  // namespace

DWORD WriteKeyRecord(const char* keyPath, HKEY key, HANDLE file, int mode, bool* complete) {
    if (!keyPath || !*keyPath || !key || !file || file == INVALID_HANDLE_VALUE)
        return ERROR_INVALID_PARAMETER;
    // A longer path could not be read back.
    if (!FitsNameBuffer(keyPath)) return ERROR_INVALID_PARAMETER;
    if (mode != RescueCreateNew && mode != RescueAppend) return ERROR_INVALID_PARAMETER;
    try {
        RecordBody body(keyPath);
        KeyInfo info;
        DWORD valueCount = 0;
        if (QueryKeyInfo(key, nullptr, &info) == ERROR_SUCCESS)
            valueCount = info.valueCount;
        else
            MarkIncomplete(complete);
        if (valueCount == 0) body.AddEmptyKeyEntry();

        std::vector<BYTE> data;
        for (DWORD index = 0; index < valueCount; ++index) {
            char name[RegNameSize];
            DWORD nameLength = RegNameSize;
            LONG error =
                RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
            if (error == ERROR_NO_MORE_ITEMS) break;
            DWORD type = 0;
            if (error == ERROR_SUCCESS) error = ReadValueData(key, name, &type, &data);
            if (error != ERROR_SUCCESS ||
                !body.AddEntry(name, type, data, static_cast<DWORD>(data.size())))
                MarkIncomplete(complete);
        }
        return AppendRecord(file, mode, body);
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

DWORD BackupKeyTree(const char* keyPath, const char* fileName, int mode, bool recurse,
                    BackupOutcome* outcome) {
    bool outermost = g_tree.depth == 0;
    if (outermost) {
        g_tree.complete = true;
        g_tree.fileError = 0;
    }
    TreeLevel level;
    DWORD result;
    try {
        result = BackupTreeLevel(keyPath, fileName, mode, recurse, outermost);
    } catch (const std::bad_alloc&) {
        g_tree.complete = false;
        result = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (outermost && outcome) {
        outcome->saved = result == ERROR_SUCCESS && g_tree.complete;
        outcome->fileError = g_tree.fileError;
    }
    return result;
}

DWORD BackupValue(const char* keyPath, const char* valueName, const char* fileName, int mode,
                  BackupOutcome* outcome) {
    BackupOutcome local;
    if (!outcome) outcome = &local;
    *outcome = BackupOutcome{};
    if (!keyPath || !*keyPath || !fileName || !*fileName) return ERROR_INVALID_PARAMETER;
    if (!SplitRootKey(keyPath, nullptr)) return ERROR_INVALID_PARAMETER;
    // Longer paths and names could not be read back.
    if (!FitsNameBuffer(keyPath) || (valueName && !FitsNameBuffer(valueName)))
        return ERROR_INVALID_PARAMETER;
    try {
        NamedKey key;
        if (LONG error = key.Open(keyPath, true)) return static_cast<DWORD>(error);
        FileHandle file;
        if (DWORD error = OpenRescueFile(fileName, mode, &file)) {
            if (error != ERROR_INVALID_PARAMETER) outcome->fileError = error;
            return error;
        }
        DWORD type = 0;
        std::vector<BYTE> data;
        if (LONG error = ReadValueData(key.Get(), valueName, &type, &data))
            return static_cast<DWORD>(error);
        RecordBody body(keyPath);
        if (!body.AddEntry(valueName, type, data, static_cast<DWORD>(data.size())))
            return ERROR_FILE_TOO_LARGE;
        if (DWORD error = AppendRecord(file.Get(), mode, body)) {
            outcome->fileError = error;
            return error;
        }
        outcome->saved = true;
        return ERROR_SUCCESS;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

DWORD RestoreRescueFile(const char* keyPrefix, const char* fileName, int prefixMode) {
    if (!fileName || !*fileName) return ERROR_INVALID_PARAMETER;
    // Read only: restoring never changes the file, which may be read-only.
    FileHandle file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastErrorOr(ERROR_OPEN_FAILED);
    uint64_t size = 0;
    if (!FileSize(file.Get(), &size)) return LastErrorOr(ERROR_READ_FAULT);
    if (size < RescueHeaderSize) return ERROR_INVALID_DATA;

    bool intact = true;
    for (uint64_t at = RescueHeaderSize; at < size;) {
        PumpMessages();
        uint32_t cbKeyItem = 0;
        // A record too short for its own fields, or running past the end of
        // the file, leaves nothing after it that could be found.
        if (ReadAt(file.Get(), at, &cbKeyItem, 4) != 4 || cbKeyItem < MinRecordSize ||
            at + 4 + cbKeyItem > size) {
            intact = false;
            break;
        }
        try {
            std::vector<char> record(cbKeyItem);
            if (ReadAt(file.Get(), at + 4, record.data(), cbKeyItem) != cbKeyItem ||
                !RestoreRecord(record, keyPrefix, prefixMode))
                intact = false;
        } catch (const std::bad_alloc&) {
            intact = false;
        }
        at += 4 + static_cast<uint64_t>(cbKeyItem);
    }
    return intact ? ERROR_SUCCESS : ERROR_INVALID_DATA;
}

bool IsRescueFileOrEmpty(const char* fileName) {
    if (!fileName || !*fileName) return false;
    FileHandle file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    uint64_t size = 0;
    if (!file || !FileSize(file.Get(), &size)) return false;
    uint32_t magic = 0;
    return size == 0 || (ReadAt(file.Get(), 0, &magic, 4) == 4 && magic == RescueMagic);
}
