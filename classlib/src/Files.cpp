// Files.cpp - opening the files that pictures are loaded from.
#include "Files.h"

#include <classlib/SysUtils.h>

#include <algorithm>

#include "Consts.h"

namespace {

HANDLE OpenForReading(const std::string& fileName) {
    HANDLE file = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw EFOpenError(Format(SFOpenErrorEx, {fileName, SysErrorMessage(GetLastError())}));
    return file;
}

}  // namespace

TFileReader::TFileReader(const std::string& fileName) : FFile(OpenForReading(fileName)) {}

int64_t TFileReader::Size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(FFile.Get(), &size) || size.QuadPart < 0) return -1;
    return size.QuadPart;
}

size_t TFileReader::Read(uint64_t offset, void* buffer, size_t count) const {
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
        OVERLAPPED place{};
        place.Offset = static_cast<DWORD>(offset + done);
        place.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        const auto piece = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(FFile.Get(), bytes + done, piece, &read, &place) || read == 0) break;
        done += read;
    }
    return done;
}

std::string ReadFileBytes(const std::string& fileName, size_t limit) {
    TFileReader file(fileName);
    const int64_t size = file.Size();
    if (size < 0 || static_cast<uint64_t>(size) > limit) return {};
    std::string bytes(static_cast<size_t>(size), '\0');
    bytes.resize(file.Read(0, bytes.data(), bytes.size()));
    return bytes;
}
