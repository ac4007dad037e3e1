// RescueReader.h - a rescue file read back (the layout is in RescueFile.h).
//
//   PieceReader      the file front to back, a piece at a time
//   RecordCursor     the bytes of one record
//   ReadEntry        the next value entry of a record, told apart as sound,
//                    stepped over or broken
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// The smallest record after its cbKeyItem: entry count, cbPath, the zero.
constexpr uint32_t MinRecordSize = 9;

// A rescue file read front to back a piece at a time: the bytes asked for
// come from the piece that holds them, or from a new piece read where they
// begin (as large as they are, when they are larger than a piece).
class PieceReader {
public:
    PieceReader(HANDLE file, uint64_t size) : FFile(file), FSize(size) {}

    // The bytes [at, at + length), or null when they cannot be read.
    const char* Bytes(uint64_t at, size_t length);

private:
    HANDLE FFile;
    uint64_t FSize;
    uint64_t FStart = 0;
    std::vector<char> FPiece;
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
bool IsWholeText(const char* text, uint32_t length);

enum class EntryRead { Ok, Unreadable, Broken };

struct ValueEntry {
    const char* name;  // empty: the default value
    uint32_t type;
    const BYTE* data;
    uint32_t size;
};

// Reads the next entry. Broken: its sizes do not agree or run past the
// record, so nothing after it can be found. Unreadable: its extent is sound
// but its name is not, and it is stepped over.
EntryRead ReadEntry(RecordCursor& cursor, ValueEntry* entry);
