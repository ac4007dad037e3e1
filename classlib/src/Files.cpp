// Files.cpp - opening the files that pictures are loaded from.
#include "Files.h"

#include <classlib/Handles.h>
#include <classlib/SysUtils.h>

#include "Consts.h"

namespace {

using TOwnedFile = TOwnedHandle<HANDLE, CloseHandle>;

TOwnedFile OpenForReading(const std::string& fileName) {
    HANDLE file = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw EFOpenError(Format(SFOpenErrorEx, {fileName, SysErrorMessage(GetLastError())}));
    return TOwnedFile(file);
}

}  // namespace

std::string ReadFileBytes(const std::string& fileName, size_t limit) {
    TOwnedFile file = OpenForReading(fileName);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<uint64_t>(size.QuadPart) > limit)
        return {};
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return {};
    bytes.resize(read);
    return bytes;
}
