// RescueRecords.cpp - records built in memory and appended to a rescue file.
#include "RescueRecords.h"

#include <cstring>

#include "FileUtil.h"
#include "RescueFile.h"
#include "RescueFileIO.h"

namespace {

void PutU32(std::string& bytes, uint32_t value) {
    bytes.append(reinterpret_cast<const char*>(&value), 4);
}

}  // namespace

RecordBody::RecordBody(const char* keyPath) {
    uint32_t length = static_cast<uint32_t>(strlen(keyPath));
    PutU32(FBytes, length);
    FBytes.append(keyPath, length + 1);
}

bool RecordBody::AddEntry(const char* name, uint32_t type, const BYTE* data, DWORD size) {
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

void RecordBody::AddEmptyKeyEntry() {
    for (uint32_t field : {12u, 0u, 0u, 0u}) PutU32(FBytes, field);
}

DWORD RecordWriter::Begin(HANDLE file, int mode) {
    *this = RecordWriter();
    FFile = file;
    if (!FileSize(file, &FOldSize)) return LastErrorOr(ERROR_READ_FAULT);
    FHadCounter = ReadAt(file, 4, &FCounter, 4) == 4;
    FAt = (mode == RescueAppend && FOldSize > RescueHeaderSize) ? FOldSize : RescueHeaderSize;
    FFirst = FAt;
    return ERROR_SUCCESS;
}

DWORD RecordWriter::Add(const RecordBody& body) {
    if (FError) return FError;
    const std::string& bytes = body.Bytes();
    if (bytes.size() > UINT32_MAX - 4) return ERROR_FILE_TOO_LARGE;
    PutU32(FPending, static_cast<uint32_t>(bytes.size() + 4));
    PutU32(FPending, body.EntryCount());
    FPending += bytes;
    FEnds.push_back(FPending.size());
    if (FPending.size() >= kRescuePieceSize) FError = WritePending();
    return FError;
}

DWORD RecordWriter::Finish() {
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

DWORD RecordWriter::WritePending() {
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
    if (error && FAt == FFirst && FOldSize <= FFirst && Seek(FFile, FOldSize)) SetEndOfFile(FFile);
    return error;
}
