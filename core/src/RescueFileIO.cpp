// RescueFileIO.cpp - positioned reads and writes of a rescue file.
#include "RescueFileIO.h"

#include "FileUtil.h"

namespace {

// The most one platform read or write is asked to move.
constexpr size_t kMostPerCall = 1u << 30;

DWORD ChunkOf(size_t left) { return static_cast<DWORD>(left > kMostPerCall ? kMostPerCall : left); }

}  // namespace

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

DWORD WriteAt(HANDLE file, uint64_t offset, const void* data, size_t size, size_t* done) {
    *done = 0;
    if (!Seek(file, offset)) return LastErrorOr(ERROR_WRITE_FAULT);
    const char* bytes = static_cast<const char*>(data);
    while (*done < size) {
        DWORD written = 0;
        if (!WriteFile(file, bytes + *done, ChunkOf(size - *done), &written, nullptr))
            return LastErrorOr(ERROR_WRITE_FAULT);
        if (written == 0) return ERROR_HANDLE_DISK_FULL;
        *done += written;
    }
    return ERROR_SUCCESS;
}

size_t ReadAt(HANDLE file, uint64_t offset, void* data, size_t size) {
    if (!Seek(file, offset)) return 0;
    char* bytes = static_cast<char*>(data);
    size_t total = 0;
    while (total < size) {
        DWORD got = 0;
        if (!ReadFile(file, bytes + total, ChunkOf(size - total), &got, nullptr) || got == 0) break;
        total += got;
    }
    return total;
}
