// RescueFileIO.h - the file under the rescue records: its size, and reads and
// writes at a given offset of any length, in the pieces the writer and the
// reader move records in.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Records are gathered and written, and read back, in pieces of about this
// size.
constexpr size_t kRescuePieceSize = 1 << 20;

bool FileSize(HANDLE file, uint64_t* size);
// Moves the file pointer to offset from the file's start.
bool Seek(HANDLE file, uint64_t offset);
// Writes size bytes at offset; *done receives how many reached the file.
// Returns 0 or the error of the write (disk full for a write that took
// nothing).
DWORD WriteAt(HANDLE file, uint64_t offset, const void* data, size_t size, size_t* done);
// Reads up to size bytes at offset; returns how many were read.
size_t ReadAt(HANDLE file, uint64_t offset, void* data, size_t size);
