// RescueFile.cpp - the writers that save keys and values into a rescue file
// and the reader that writes them back.
#include "RescueFile.h"

#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <utility>
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

// Writes size bytes at offset; *done receives how many reached the file.
DWORD WriteAt(HANDLE file, uint64_t offset, const void* data, size_t size, size_t* done) {
    *done = 0;
    if (!Seek(file, offset)) return LastErrorOr(ERROR_WRITE_FAULT);
    const char* bytes = static_cast<const char*>(data);
    while (*done < size) {
        size_t left = size - *done;
        DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, bytes + *done, chunk, &written, nullptr))
            return LastErrorOr(ERROR_WRITE_FAULT);
        if (written == 0) return ERROR_HANDLE_DISK_FULL;
        *done += written;
    }
    return ERROR_SUCCESS;
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

void PutU32(std::string& bytes, uint32_t value) {
    bytes.append(reinterpret_cast<const char*>(&value), 4);
}

// A record after its cbKeyItem field, built in memory: cbPath, the path and
// its zero, then the entries.
class RecordBody {
public:
    explicit RecordBody(const char* keyPath) {
        uint32_t length = static_cast<uint32_t>(strlen(keyPath));
        PutU32(FBytes, length);
        FBytes.append(keyPath, length + 1);
    }

    // Returns false when the entry's size does not fit the format's fields.
    bool AddEntry(const char* name, uint32_t type, const BYTE* data, DWORD size) {
        uint32_t nameLength = name ? static_cast<uint32_t>(strlen(name)) : 0;
        uint64_t nameBytes = nameLength ? nameLength + 1ull : 0;
        uint64_t cbEntry = 12 + nameBytes + size;
        if (cbEntry > UINT32_MAX) return false;
        PutU32(FBytes, static_cast<uint32_t>(cbEntry));
        PutU32(FBytes, nameLength);
        PutU32(FBytes, type);
        PutU32(FBytes, size);
        if (nameLength) FBytes.append(name, nameLength + 1);
        FBytes.append(reinterpret_cast<const char*>(data), size);
        ++FEntryCount;
        return true;
    }
    // The one entry of a key without values; not counted.
    void AddEmptyKeyEntry() {
        for (uint32_t field : {12u, 0u, 0u, 0u}) PutU32(FBytes, field);
    }

    const std::string& Bytes() const { return FBytes; }
    uint32_t EntryCount() const { return FEntryCount; }

private:
    std::string FBytes;
    uint32_t FEntryCount = 0;
};

// Records are gathered and written in pieces of about this size.
constexpr size_t kPieceSize = 1 << 20;

// The records appended to one open file by one batch: placed where the
// layout puts them (behind the file's old end, or behind the header),
// gathered and written a piece at a time; the header with the counter is
// written once at the end, then the file is flushed. A write that fails
// keeps the records that reached the file whole and takes the rest back
// out, so no half record stands at the end.
class RecordWriter {
public:
    DWORD Begin(HANDLE file, int mode) {
        *this = RecordWriter();
        FFile = file;
        if (!FileSize(file, &FOldSize)) return LastErrorOr(ERROR_READ_FAULT);
        FHadCounter = ReadAt(file, 4, &FCounter, 4) == 4;
        FAt = (mode == RescueAppend && FOldSize > RescueHeaderSize) ? FOldSize : RescueHeaderSize;
        FFirst = FAt;
        return ERROR_SUCCESS;
    }

    DWORD Add(const RecordBody& body) {
        if (FError) return FError;
        const std::string& bytes = body.Bytes();
        if (bytes.size() > UINT32_MAX - 4) return ERROR_FILE_TOO_LARGE;
        PutU32(FPending, static_cast<uint32_t>(bytes.size() + 4));
        PutU32(FPending, body.EntryCount());
        FPending += bytes;
        FEnds.push_back(FPending.size());
        if (FPending.size() >= kPieceSize) FError = WritePending();
        return FError;
    }

    DWORD Finish() {
        if (!FError) FError = WritePending();
        if (FOnDisk == 0) return FError;
        std::string header;
        PutU32(header, RescueMagic);
        PutU32(header, (FHadCounter ? FCounter : 0) + FOnDisk);
        size_t done = 0;
        DWORD error = WriteAt(FFile, 0, header.data(), header.size(), &done);
        if (!error && !FlushFileBuffers(FFile)) error = LastErrorOr(ERROR_WRITE_FAULT);
        if (!FError) FError = error;
        return FError;
    }

private:
    DWORD WritePending() {
        if (FPending.empty()) return ERROR_SUCCESS;
        size_t done = 0;
        DWORD error = WriteAt(FFile, FAt, FPending.data(), FPending.size(), &done);
        size_t kept = FPending.size();
        size_t records = FEnds.size();
        if (error) {
            records = 0;
            while (records < FEnds.size() && FEnds[records] <= done) ++records;
            kept = records ? FEnds[records - 1] : 0;
        }
        FOnDisk += static_cast<uint32_t>(records);
        FAt += kept;
        FPending.clear();
        FEnds.clear();
        // The file ends behind the last whole record of this batch; without
        // one, at its old size (old content the records were to go over
        // stays as it is).
        if (error && FAt > FFirst && Seek(FFile, FAt)) SetEndOfFile(FFile);
        if (error && FAt == FFirst && FOldSize <= FFirst && Seek(FFile, FOldSize))
            SetEndOfFile(FFile);
        return error;
    }

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

// Adds the entries of every value of an open key to its record. info: the
// key's information, or null when it could not be read (the key then counts
// as having no values, and as not wholly saved).
void AddKeyValues(HKEY key, const KeyInfo* info, RecordBody& body, bool* complete) {
    if (!info) MarkIncomplete(complete);
    DWORD valueCount = info ? info->valueCount : 0;
    if (valueCount == 0) {
        body.AddEmptyKeyEntry();
        return;
    }
    // Name, type and data in one call; the largest value fits the buffer.
    std::vector<BYTE> data(info->valueDataSize ? info->valueDataSize : 1);
    std::vector<BYTE> grown;
    for (DWORD index = 0; index < valueCount; ++index) {
        char name[RegNameSize];
        DWORD nameLength = RegNameSize;
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        LONG error =
            RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &size);
        if (error == ERROR_NO_MORE_ITEMS) break;
        const BYTE* bytes = data.data();
        if (error == ERROR_MORE_DATA) {
            // A name too long to be read back, or a value that grew meanwhile.
            nameLength = RegNameSize;
            error =
                RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
            if (error == ERROR_NO_MORE_ITEMS) break;
            if (error == ERROR_SUCCESS) error = ReadValueData(key, name, &type, &grown);
            bytes = grown.data();
            size = static_cast<DWORD>(grown.size());
        }
        if (error != ERROR_SUCCESS || !body.AddEntry(name, type, bytes, size))
            MarkIncomplete(complete);
    }
}

// ---- The batch that the writers append to: one open file, opened by the
// first writer that needs it.
struct BatchState {
    BatchState(std::string name, int openMode) : fileName(std::move(name)), mode(openMode) {}
    std::string fileName;
    int mode;
    FileHandle file;
    RecordWriter writer;
    DWORD error = 0;  // the first failure of opening or writing the file
    PacedPump pump;   // once per subkey of the trees saved
};
std::optional<BatchState> g_batch;

// Opens the running batch's file when no writer has yet.
DWORD OpenBatchFile() {
    BatchState& batch = *g_batch;
    if (batch.error || batch.file) return batch.error;
    DWORD error = OpenRescueFile(batch.fileName.c_str(), batch.mode, &batch.file);
    if (!error) error = batch.writer.Begin(batch.file.Get(), batch.mode);
    if (error) batch.error = error;
    return error;
}

DWORD AddToBatch(const RecordBody& body) {
    if (DWORD error = OpenBatchFile()) return error;
    DWORD error = g_batch->writer.Add(body);
    if (error && !g_batch->error) g_batch->error = error;
    return error;
}

// ---- Saving a tree: each key's record, then its subkeys depth first.

DWORD SaveTree(const std::string& keyPath, HKEY key, bool recurse, bool* complete);

DWORD SaveSubkeys(HKEY key, DWORD subkeyCount, const std::string& keyPath, bool* complete) {
    for (DWORD index = 0; index < subkeyCount; ++index) {
        g_batch->pump.Step();
        char name[RegNameSize];
        DWORD length = RegNameSize;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            MarkIncomplete(complete);
            continue;
        }
        // A subkey found by enumeration that can no longer be opened, or
        // whose path could not be read back, is left out.
        std::string path = keyPath + "\\" + name;
        RegKey subkey;
        if (!FitsNameBuffer(path.c_str()) || subkey.Open(key, name) != ERROR_SUCCESS) {
            MarkIncomplete(complete);
            continue;
        }
        if (DWORD error = SaveTree(path, subkey.Get(), true, complete)) return error;
    }
    return ERROR_SUCCESS;
}

// Returns 0 or the error of the rescue file, which ends the whole tree.
DWORD SaveTree(const std::string& keyPath, HKEY key, bool recurse, bool* complete) {
    KeyInfo info;
    bool known = QueryOpenKeyInfo(key, &info) == ERROR_SUCCESS;
    RecordBody body(keyPath.c_str());
    AddKeyValues(key, known ? &info : nullptr, body, complete);
    if (DWORD error = AddToBatch(body)) return error;
    if (!recurse) return ERROR_SUCCESS;
    if (!known) {
        MarkIncomplete(complete);
        return ERROR_SUCCESS;
    }
    return SaveSubkeys(key, info.subkeyCount, keyPath, complete);
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

// A rescue file read front to back a piece at a time: the bytes asked for
// come from the piece that holds them, or from a new piece read where they
// begin (as large as they are, when they are larger than a piece).
class PieceReader {
public:
    PieceReader(HANDLE file, uint64_t size) : FFile(file), FSize(size) {}

    // The bytes [at, at + length), or null when they cannot be read.
    const char* Bytes(uint64_t at, size_t length) {
        if (at >= FStart && at + length <= FStart + FPiece.size())
            return FPiece.data() + (at - FStart);
        if (at + length > FSize) return nullptr;
        uint64_t left = FSize - at;
        size_t want = length > kPieceSize ? length : kPieceSize;
        if (want > left) want = static_cast<size_t>(left);
        FPiece.resize(want);
        FStart = at;
        if (ReadAt(FFile, at, FPiece.data(), want) != want) {
            FPiece.clear();
            return nullptr;
        }
        return FPiece.data();
    }

private:
    HANDLE FFile;
    uint64_t FSize;
    uint64_t FStart = 0;
    std::vector<char> FPiece;
};

// The smallest record after its cbKeyItem: entry count, cbPath, the zero.
constexpr uint32_t MinRecordSize = 9;

}  // namespace

RescueFileBatch::RescueFileBatch(const char* fileName, int mode) {
    if (g_batch) return;  // the running batch takes this one's records
    g_batch.emplace(fileName ? fileName : "", mode);
    FOwner = true;
}

RescueFileBatch::~RescueFileBatch() {
    if (!FOwner) return;
    Finish();
    g_batch.reset();
}

DWORD RescueFileBatch::Finish() {
    if (!g_batch) return ERROR_SUCCESS;
    if (FOwner && g_batch->file) {
        DWORD error = g_batch->writer.Finish();
        if (!g_batch->error) g_batch->error = error;
        g_batch->file.Reset();
    }
    return g_batch->error;
}

DWORD WriteKeyRecord(const char* keyPath, HKEY key, HANDLE file, int mode, bool* complete) {
    if (!keyPath || !*keyPath || !key || !file || file == INVALID_HANDLE_VALUE)
        return ERROR_INVALID_PARAMETER;
    // A longer path could not be read back.
    if (!FitsNameBuffer(keyPath)) return ERROR_INVALID_PARAMETER;
    if (mode != RescueCreateNew && mode != RescueAppend) return ERROR_INVALID_PARAMETER;
    try {
        KeyInfo info;
        bool known = QueryOpenKeyInfo(key, &info) == ERROR_SUCCESS;
        RecordBody body(keyPath);
        AddKeyValues(key, known ? &info : nullptr, body, complete);
        RecordWriter writer;
        DWORD error = writer.Begin(file, mode);
        if (!error) error = writer.Add(body);
        DWORD finished = writer.Finish();
        return error ? error : finished;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

DWORD BackupKeyTree(const char* keyPath, const char* fileName, int mode, bool recurse,
                    BackupOutcome* outcome) {
    BackupOutcome local;
    if (!outcome) outcome = &local;
    *outcome = BackupOutcome{};
    if (!keyPath || !*keyPath || !FitsNameBuffer(keyPath)) return ERROR_INVALID_PARAMETER;
    if (mode != RescueCreateNew && mode != RescueAppend) return ERROR_INVALID_PARAMETER;
    try {
        NamedKey key;
        // The caller's key is created when missing.
        if (LONG error = key.Open(keyPath, true)) return static_cast<DWORD>(error);
        RescueFileBatch batch(fileName, mode);
        bool complete = true;
        DWORD result = SaveTree(keyPath, key.Get(), recurse, &complete);
        DWORD fileError = batch.Finish();
        if (fileError != ERROR_INVALID_PARAMETER) outcome->fileError = fileError;
        if (!result) result = fileError;
        outcome->saved = result == ERROR_SUCCESS && complete;
        return result;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
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
    if (mode != RescueCreateNew && mode != RescueAppend) return ERROR_INVALID_PARAMETER;
    try {
        NamedKey key;
        if (LONG error = key.Open(keyPath, true)) return static_cast<DWORD>(error);
        RescueFileBatch batch(fileName, mode);
        if (DWORD error = OpenBatchFile()) {
            outcome->fileError = error;
            return error;
        }
        DWORD type = 0;
        std::vector<BYTE> data;
        if (LONG error = ReadValueData(key.Get(), valueName, &type, &data))
            return static_cast<DWORD>(error);
        RecordBody body(keyPath);
        if (!body.AddEntry(valueName, type, data.data(), static_cast<DWORD>(data.size())))
            return ERROR_FILE_TOO_LARGE;
        // A failing write is the batch's error, which Finish gives back.
        AddToBatch(body);
        if (DWORD error = batch.Finish()) {
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

bool IsRescueFileOrEmpty(const char* fileName) {
    if (!fileName || !*fileName) return false;
    FileHandle file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    uint64_t size = 0;
    if (!file || !FileSize(file.Get(), &size)) return false;
    uint32_t magic = 0;
    return size == 0 || (ReadAt(file.Get(), 0, &magic, 4) == 4 && magic == RescueMagic);
}
