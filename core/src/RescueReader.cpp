// RescueReader.cpp - the pieces, records and entries of a rescue file read
// back, and the test of a file's head before the engine deletes it.
#include "RescueReader.h"

#include "FileUtil.h"
#include "Registry.h"
#include "RescueFile.h"
#include "RescueFileIO.h"

const char* PieceReader::Bytes(uint64_t at, size_t length) {
    if (at >= FStart && at + length <= FStart + FPiece.size()) return FPiece.data() + (at - FStart);
    if (at + length > FSize) return nullptr;
    uint64_t left = FSize - at;
    size_t want = length > kRescuePieceSize ? length : kRescuePieceSize;
    if (want > left) want = static_cast<size_t>(left);
    FPiece.resize(want);
    FStart = at;
    if (ReadAt(FFile, at, FPiece.data(), want) != want) {
        FPiece.clear();
        return nullptr;
    }
    return FPiece.data();
}

bool IsWholeText(const char* text, uint32_t length) {
    return memchr(text, 0, length) == nullptr && text[length] == '\0';
}

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

bool IsRescueFileOrEmpty(const char* fileName) {
    if (!fileName || !*fileName) return false;
    FileHandle file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    uint64_t size = 0;
    if (!file || !FileSize(file.Get(), &size)) return false;
    uint32_t magic = 0;
    return size == 0 || (ReadAt(file.Get(), 0, &magic, 4) == 4 && magic == RescueMagic);
}
