// Files.h - reading the files that the graphics classes load.
#pragma once

#include <classlib/Handles.h>

#include <cstdint>
#include <string>

// A file opened for reading in pieces. EFOpenError "Cannot open file "%s".
// <reason>" when it cannot be opened.
class TFileReader {
public:
    explicit TFileReader(const std::string& fileName);

    // The file's size in bytes, or -1 when it cannot be told.
    int64_t Size() const;
    // Reads up to count bytes from offset into buffer; the number read
    // (fewer at the file's end or after a failed read).
    size_t Read(uint64_t offset, void* buffer, size_t count) const;

private:
    TOwnedHandle<HANDLE, CloseHandle> FFile;
};

// The whole file; empty when it is larger than limit. EFOpenError
// "Cannot open file "%s". <reason>" when it cannot be read.
std::string ReadFileBytes(const std::string& fileName, size_t limit);
