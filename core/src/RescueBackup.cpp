// RescueBackup.cpp - the writers: a key with its values, a key tree or one
// value read from the registry into records of a rescue file.
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "Registry.h"
#include "RescueBatch.h"
#include "RescueFile.h"
#include "RescueRecords.h"

namespace {

void MarkIncomplete(bool* complete) {
    if (complete) *complete = false;
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

// ---- Saving a tree: each key's record, then its subkeys depth first.

DWORD SaveTree(const std::string& keyPath, HKEY key, bool recurse, bool* complete);

DWORD SaveSubkeys(HKEY key, DWORD subkeyCount, const std::string& keyPath, bool* complete) {
    for (DWORD index = 0; index < subkeyCount; ++index) {
        PaceBatch();
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

}  // namespace

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
