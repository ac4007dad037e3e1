// Profiles.cpp - section names read through the platform's profile reader,
// and the wait for the next second of the local clock.
#include <support/Profiles.h>
#include <windows.h>

std::vector<std::string> IniSectionNames(const std::string& path) {
    // The reader leaves a too-small buffer without its closing zero: a
    // zeroed buffer far larger than any test's index keeps the walk inside.
    std::vector<char> buffer(65536, '\0');
    const DWORD length = GetPrivateProfileSectionNamesA(
        buffer.data(), static_cast<DWORD>(buffer.size() - 1), path.c_str());
    std::vector<std::string> names;
    for (size_t at = 0; at < length && buffer[at];) {
        names.emplace_back(buffer.data() + at);
        at += names.back().size() + 1;
    }
    return names;
}

void WaitForNextSecond() {
    SYSTEMTIME start, now;
    GetLocalTime(&start);
    do {
        Sleep(5);
        GetLocalTime(&now);
    } while (now.wSecond == start.wSecond);
}
